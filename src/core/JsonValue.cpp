#include "core/JsonValue.h"

#include <cmath>
#include <limits>

namespace {

// "1e+20" -> "1E20", "1.5e-07" -> "1.5E-7": the exponent without "+" and leading zeros.
QString withShortExponent(const QString& formatted)
{
    const int e = formatted.indexOf(QLatin1Char('e'));
    if (e < 0) {
        return formatted;
    }
    const QString mantissa = formatted.left(e);
    int exponent = formatted.midRef(e + 1).toInt();
    return mantissa + QLatin1Char('E') + QString::number(exponent);
}

} // namespace

QString FormatJsonNumber(double number)
{
    if (std::isnan(number)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(number)) {
        return number > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    }
    if (number == 0) {
        return QStringLiteral("0");
    }
    return withShortExponent(QString::number(number, 'g', 15));
}

QString JsonValueToText(const QVariant& value)
{
    switch (static_cast<QMetaType::Type>(value.userType())) {
    case QMetaType::Double:
        return FormatJsonNumber(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QString:
        return value.toString();
    default:
        return value.isValid() ? value.toString() : QString();
    }
}

qint64 JsonValueToInteger(const QVariant& value, bool* ok)
{
    bool converted = false;
    qint64 result = 0;
    switch (static_cast<QMetaType::Type>(value.userType())) {
    case QMetaType::Double: {
        const double rounded = std::round(value.toDouble());
        // 2^63 is the first double beyond the range of qint64.
        if (std::isfinite(rounded) && rounded >= -9223372036854775808.0 &&
            rounded < 9223372036854775808.0) {
            result = static_cast<qint64>(rounded);
            converted = true;
        }
        break;
    }
    case QMetaType::Bool:
        result = value.toBool() ? 1 : 0;
        converted = true;
        break;
    case QMetaType::QString:
        result = value.toString().toLongLong(&converted, 10);
        break;
    default:
        break;
    }
    if (ok) {
        *ok = converted;
    }
    return converted ? result : 0;
}
