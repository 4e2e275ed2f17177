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

} // namespace

QByteArray Gbk::encode(const QString& text)
{
    if (text.isEmpty()) {
        return QByteArray();
    }
    return gbkCodec()->fromUnicode(text);
}

QString Gbk::decode(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        return QString();
    }
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
