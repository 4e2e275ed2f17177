#include "core/DesCipher.h"

#include "core/CoreError.h"
#include "core/DesBlockCipher.h"
#include "core/Gbk.h"
#include "core/HexDigits.h"

namespace {

const char kLastCharNul[] = "Error: the last char is NULL char.";
const char kNotHex[] = "Error: not a Hex String";

DesBlockCipher cipherForKey(const QByteArray& key)
{
    quint8 padded[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 8 && i < key.size(); ++i) {
        padded[i] = static_cast<quint8>(key.at(i));
    }
    return DesBlockCipher(padded);
}

void stripTrailingNuls(QByteArray& bytes)
{
    int size = bytes.size();
    while (size > 0 && bytes.at(size - 1) == '\0') {
        --size;
    }
    bytes.truncate(size);
}

} // namespace

QByteArray DesEncryptBytes(const QByteArray& plain, const QByteArray& key)
{
    if (!plain.isEmpty() && plain.at(plain.size() - 1) == '\0') {
        throw CoreError(QString::fromLatin1(kLastCharNul));
    }
    const DesBlockCipher cipher = cipherForKey(key);
    QByteArray padded = plain;
    while (padded.size() % 8 != 0) {
        padded.append('\0');
    }
    QByteArray result(padded.size(), '\0');
    const auto* in = reinterpret_cast<const quint8*>(padded.constData());
    auto* out = reinterpret_cast<quint8*>(result.data());
    for (int offset = 0; offset < padded.size(); offset += 8) {
        cipher.encryptBlock(in + offset, out + offset);
    }
    return result;
}

QByteArray DesDecryptBytes(const QByteArray& cipherBytes, const QByteArray& key)
{
    const DesBlockCipher cipher = cipherForKey(key);
    const int wholeBlocks = cipherBytes.size() / 8;
    QByteArray result(wholeBlocks * 8, '\0');
    const auto* in = reinterpret_cast<const quint8*>(cipherBytes.constData());
    auto* out = reinterpret_cast<quint8*>(result.data());
    for (int block = 0; block < wholeBlocks; ++block) {
        cipher.decryptBlock(in + block * 8, out + block * 8);
    }
    stripTrailingNuls(result);
    return result;
}

QByteArray DesEncryptText(const QString& text, const QString& key)
{
    return DesEncryptBytes(Gbk::encode(text), Gbk::encode(key));
}

QString DesDecryptText(const QByteArray& cipher, const QString& key)
{
    return Gbk::decode(DesDecryptBytes(cipher, Gbk::encode(key)));
}

QString DesEncryptHex(const QString& text, const QString& key)
{
    return QString::fromLatin1(DesEncryptText(text, key).toHex().toUpper());
}

quint8 HexPairToByte(QChar high, QChar low)
{
    const int highValue = HexDigitValue(high);
    const int lowValue = HexDigitValue(low);
    if (highValue < 0 || lowValue < 0) {
        throw CoreError(QString::fromLatin1(kNotHex));
    }
    return static_cast<quint8>(highValue * 16 + lowValue);
}

QString DesDecryptHex(const QString& hex, const QString& key)
{
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    for (int i = 0; i + 1 < hex.size(); i += 2) {
        bytes.append(static_cast<char>(HexPairToByte(hex.at(i), hex.at(i + 1))));
    }
    return DesDecryptText(bytes, key);
}
