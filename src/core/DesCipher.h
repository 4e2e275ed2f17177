#pragma once

#include <QByteArray>
#include <QString>

// DES (FIPS 46-3) in electronic code book mode over NUL-padded GBK texts. The key is a text
// whose GBK form is padded with NUL bytes to 8 and cut after 8 bytes. Round keys are derived
// per call, so the functions are re-entrant. Errors are thrown as CoreError.

// Raw cipher bytes (a multiple of 8). Throws "Error: the last char is NULL char." when the
// text ends in a NUL character.
QByteArray DesEncryptText(const QString& text, const QString& key);

// Deciphers whole 8-byte blocks (a shorter tail is ignored) and removes trailing NUL bytes.
QString DesDecryptText(const QByteArray& cipher, const QString& key);

// Upper-case hexadecimal form of DesEncryptText.
QString DesEncryptHex(const QString& text, const QString& key);

// Reads hex digit pairs (an odd last digit is ignored) and deciphers them. Throws
// "Error: not a Hex String" on a character that is not a hex digit.
QString DesDecryptHex(const QString& hex, const QString& key);

// The byte two hex digits stand for (either case). Throws "Error: not a Hex String".
quint8 HexPairToByte(QChar high, QChar low);

// Byte-level forms of the two block operations, for callers that hold GBK bytes already.
QByteArray DesEncryptBytes(const QByteArray& plain, const QByteArray& key);
QByteArray DesDecryptBytes(const QByteArray& cipher, const QByteArray& key);
