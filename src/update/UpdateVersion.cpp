#include "update/UpdateVersion.h"

#include <QStringList>

namespace UpdateVersion {

namespace {

constexpr int partCount = 4;

QStringList partsOf(const QString& version)
{
    QStringList parts = version.split(QLatin1Char('.'));
    while (parts.size() < partCount)
        parts.append(QStringLiteral("0"));
    return parts;
}

bool readPart(const QString& part, quint64& number)
{
    if (part.isEmpty())
        return false;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    number = part.toULongLong(&ok);
    return ok;
}

} // namespace

bool isNewer(const QString& offered, const QString& current)
{
    const QStringList offeredParts = partsOf(offered);
    const QStringList currentParts = partsOf(current);
    for (int i = 0; i < partCount; ++i) {
        quint64 offeredNumber = 0;
        quint64 currentNumber = 0;
        if (!readPart(offeredParts.at(i), offeredNumber) ||
            !readPart(currentParts.at(i), currentNumber))
            return offered.toUtf8() > current.toUtf8();
        if (offeredNumber != currentNumber)
            return offeredNumber > currentNumber;
    }
    return false;
}

QDate readDate(const QString& text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("MM/dd/yyyy"));
}

QString writeDate(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

bool isNewerByDate(const QString& offeredDate, const QString& versionDate, const QDate& today)
{
    QDate offered = readDate(offeredDate);
    QDate version = readDate(versionDate);
    if (!offered.isValid())
        offered = today;
    if (!version.isValid())
        version = today;
    return offered > version;
}

} // namespace UpdateVersion
