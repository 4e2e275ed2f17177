#pragma once

#include <QByteArray>
#include <QString>

// The four ways the site's answers are read.
class WebAnswer
{
public:
    // The body as received.
    static QString plain(const QByteArray& body);
    // The body decoded from UTF-8; characters GBK cannot show become "?".
    static QString utf8Text(const QByteArray& body);
    // UTF-8 text, first "?" removed (a byte-order mark ends up as that "?"), unscrambled.
    static QString scrambled(const QByteArray& body);
    // "true" or "false" in any letter case (surrounding white space ignored); anything else
    // sets *ok to false.
    static bool booleanWord(const QByteArray& body, bool* ok);
};
