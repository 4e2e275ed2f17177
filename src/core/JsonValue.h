#pragma once

#include <QString>
#include <QVariant>

// Conversions callers apply to JsonNode::value(), independent of the system locale.

// Empty gives ""; a number its general form with up to 15 significant digits and "." as
// decimal point (12 -> "12", 2.5 -> "2.5", 1e20 -> "1E20"); a boolean "True" or "False".
QString JsonValueToText(const QVariant& value);

// A number rounded to the nearest integer (halves away from zero); a text read as a decimal
// integer. Gives 0 and sets *ok to false when there is no integer (empty, not a number, out
// of range).
qint64 JsonValueToInteger(const QVariant& value, bool* ok = nullptr);

// The general decimal form of a number as above.
QString FormatJsonNumber(double number);
