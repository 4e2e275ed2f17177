#pragma once

#include <QChar>

// The value of one hexadecimal digit of either case, or -1 for any other character.
int HexDigitValue(int code);

inline int HexDigitValue(QChar c)
{
    return HexDigitValue(static_cast<int>(c.unicode()));
}
