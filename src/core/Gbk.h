#pragma once

#include <QByteArray>
#include <QString>

// Code page 936 (GBK): the only place that converts between texts and GBK bytes.
// Characters GBK cannot show are encoded as "?".
class Gbk
{
public:
    static QByteArray encode(const QString& text);
    static QString decode(const QByteArray& bytes);

    // Number of bytes the text takes in GBK.
    static int byteLength(const QString& text);

    // The longest leading part of text whose GBK form has at most maxBytes bytes; a character
    // is never split (neither a two-byte GBK character nor a surrogate pair).
    static QString truncateToBytes(const QString& text, int maxBytes);

    // True when every character of text has its own GBK form (nothing would become "?").
    static bool canEncode(const QString& text);
};
