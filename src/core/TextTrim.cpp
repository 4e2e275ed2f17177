#include "core/TextTrim.h"

namespace {

bool isLowChar(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString TrimLowChars(const QString& text)
{
    const QStringView trimmed = TrimLowChars(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QStringView TrimLowChars(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isLowChar(text[begin])) {
        ++begin;
    }
    while (end > begin && isLowChar(text[end - 1])) {
        --end;
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
