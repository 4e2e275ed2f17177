#include "publish/ListingText.h"

bool ListingText::append(QString& text, const QString& addition, int limit)
{
    if (text.size() + addition.size() > limit)
        return false;
    text += addition;
    return true;
}

QString ListingText::withoutLastCharacter(const QString& text)
{
    if (text.isEmpty())
        return text;
    int cut = 1;
    if (text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate() &&
        text.at(text.size() - 2).isHighSurrogate())
        cut = 2;
    return text.left(text.size() - cut);
}
