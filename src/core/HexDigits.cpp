#include "core/HexDigits.h"

int HexDigitValue(int code)
{
    if (code >= '0' && code <= '9') {
        return code - '0';
    }
    if (code >= 'A' && code <= 'F') {
        return code - 'A' + 10;
    }
    if (code >= 'a' && code <= 'f') {
        return code - 'a' + 10;
    }
    return -1;
}
