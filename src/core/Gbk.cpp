#include "core/Gbk.h"

#include <QTextCodec>

namespace {

QTextCodec* gbkCodec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("GBK");
    return codec;
}

// Length in code units of the character starting at index (2 for a surrogate pair).
int characterLength(const QString& text, int index)
{
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() &&
        text.at(index + 1).isLowSurrogate()) {
        return 2;
    }
    return 1;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

} // namespace

// GBK keeps the ASCII range as it is. Most texts are names, numbers and addresses that stay
// within it, and the codec is far slower than a copy (it sets up a converter each call).
QByteArray Gbk::encode(const QString& text)
{
    if (text.isEmpty()) {
        return QByteArray();
    }
    if (isAscii(text))
        return text.toLatin1();
    return gbkCodec()->fromUnicode(text);
}

QString Gbk::decode(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        return QString();
    }
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.constData(), bytes.size());
    return gbkCodec()->toUnicode(bytes);
}

int Gbk::byteLength(const QString& text)
{
    return encode(text).size();
}

QString Gbk::truncateToBytes(const QString& text, int maxBytes)
{
    int used = 0;
    int index = 0;
    while (index < text.size()) {
        const int length = characterLength(text, index);
        const int bytes = encode(text.mid(index, length)).size();
        if (used + bytes > maxBytes) {
            break;
        }
        used += bytes;
        index += length;
    }
    return text.left(index);
}

bool Gbk::canEncode(const QString& text)
{
    return decode(encode(text)) == text;
}
