#include "update/UpgraderCommandLine.h"

namespace UpgraderCommandLine {

QStringList arguments(const QString& executablePath, const QString& restartParameters, int method)
{
    const QString parameters =
        restartParameters.isEmpty() ? QStringLiteral(" ") : restartParameters;
    return {executablePath, QLatin1Char('+') + parameters + QString::number(method)};
}

Parsed parse(const QStringList& arguments)
{
    Parsed parsed;
    if (arguments.size() < 2 || arguments.first().isEmpty())
        return parsed;
    const QString tail = arguments.mid(1).join(QLatin1Char(' '));
    if (tail.size() < 2 || !tail.startsWith(QLatin1Char('+')))
        return parsed;
    const QChar digit = tail.back();
    if (digit < QLatin1Char('0') || digit > QLatin1Char('2'))
        return parsed;
    parsed.ok = true;
    parsed.executablePath = arguments.first();
    parsed.restartParameters = tail.mid(1, tail.size() - 2);
    parsed.method = digit.unicode() - '0';
    return parsed;
}

QStringList restartArguments(const QString& restartParameters)
{
    return restartParameters.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace UpgraderCommandLine
