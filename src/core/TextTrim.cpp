#include "core/TextTrim.h"

namespace {

bool isLowChar(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString TrimLowChars(const QString& text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isLowChar(text.at(begin))) {
        ++begin;
    }
    while (end > begin && isLowChar(text.at(end - 1))) {
        --end;
    }
    if (begin == 0 && end == text.size()) {
        return text;
    }
    return text.mid(begin, end - begin);
}

bool IsBlankText(const QString& text)
{
    for (QChar c : text) {
        if (!isLowChar(c)) {
            return false;
        }
    }
    return true;
}
