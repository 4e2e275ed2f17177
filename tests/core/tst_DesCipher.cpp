#include "core/CoreError.h"
#include "core/DesBlockCipher.h"
#include "core/DesCipher.h"
#include "core/Gbk.h"
#include "core/Keys.h"

#include <QtTest>

namespace {

QByteArray encryptBlock(const QByteArray& key, const QByteArray& plain)
{
    const DesBlockCipher cipher(reinterpret_cast<const quint8*>(key.constData()));
    QByteArray out(8, '\0');
    cipher.encryptBlock(reinterpret_cast<const quint8*>(plain.constData()),
                        reinterpret_cast<quint8*>(out.data()));
    return out;
}

QByteArray decryptBlock(const QByteArray& key, const QByteArray& cipherBlock)
{
    const DesBlockCipher cipher(reinterpret_cast<const quint8*>(key.constData()));
    QByteArray out(8, '\0');
    cipher.decryptBlock(reinterpret_cast<const quint8*>(cipherBlock.constData()),
                        reinterpret_cast<quint8*>(out.data()));
    return out;
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CoreError& error) {
        return error.message();
    }
    return QString();
}

const QString kKey = QString::fromLatin1(kConfigurationKey);

} // namespace

class DesCipherTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownAnswerBlocks_data();
    void knownAnswerBlocks();
    void parityBitsOfTheKeyAreIgnored();
    void electronicCodeBookOverSeveralBlocks();
    void emptyTextGivesEmptyResults();
    void blockCountFollowsTextLength_data();
    void blockCountFollowsTextLength();
    void trailingNulIsRefusedAndInnerNulSurvives();
    void onlyTheFirstEightKeyBytesCount();
    void hexInputIsReadInEitherCaseAndOddDigitIgnored();
    void nonHexCharacterRaisesTheError();
    void hexPairToByteReadsBothDigits();
    void chineseTextRoundTripsThroughGbk();
    void partialFinalBlockIsIgnoredAndWrongKeyGivesGarbage();
};

// Published single-block vectors (FIPS 81 sample, NBS validation tables, classic test sets).
void DesCipherTest::knownAnswerBlocks_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");
    auto row = [](const char* name, const char* key, const char* plain, const char* cipher) {
        QTest::newRow(name) << QByteArray::fromHex(key) << QByteArray::fromHex(plain)
                            << QByteArray::fromHex(cipher);
    };
    row("fips81 now is t", "0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815");
    row("textbook", "133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405");
    row("zero key zero text", "0000000000000000", "0000000000000000", "8CA64DE9C1B123A7");
    row("all ones", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58");
    row("variable plaintext 1", "0101010101010101", "8000000000000000", "95F8A5E5DD31D900");
    row("variable key 1", "8001010101010101", "0000000000000000", "95A8D72813DAA94D");
    row("rivest 3000", "3000000000000000", "1000000000000001", "958E6E627A05557B");
    row("ones pattern", "1111111111111111", "1111111111111111", "F40379AB9E0EC533");
    row("key 0123 text 1111", "0123456789ABCDEF", "1111111111111111", "17668DFC7292532D");
}

void DesCipherTest::knownAnswerBlocks()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);
    QCOMPARE(encryptBlock(key, plain).toHex().toUpper(), cipher.toHex().toUpper());
    QCOMPARE(decryptBlock(key, cipher).toHex().toUpper(), plain.toHex().toUpper());
}

void DesCipherTest::parityBitsOfTheKeyAreIgnored()
{
    const QByteArray plain = QByteArray::fromHex("4E6F772069732074");
    QCOMPARE(encryptBlock(QByteArray::fromHex("0022446688AACCEE"), plain),
             encryptBlock(QByteArray::fromHex("0123456789ABCDEF"), plain));
}

void DesCipherTest::electronicCodeBookOverSeveralBlocks()
{
    const QByteArray key = QByteArray::fromHex("0123456789ABCDEF");
    const QByteArray cipher = DesEncryptBytes("Now is the time for all ", key);
    QCOMPARE(cipher.toHex().toUpper(),
             QByteArray("3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53"));
    QCOMPARE(DesDecryptBytes(cipher, key), QByteArray("Now is the time for all "));
    // The hex form writes the same bytes as two upper-case digits each.
    QCOMPARE(DesEncryptHex(QStringLiteral("Now is the time for all "), QStringLiteral("12345678")),
             QString::fromLatin1(DesEncryptBytes("Now is the time for all ", "12345678").toHex())
                 .toUpper());
}

void DesCipherTest::emptyTextGivesEmptyResults()
{
    QVERIFY(DesEncryptText(QString(), kKey).isEmpty());
    QVERIFY(DesEncryptHex(QString(), kKey).isEmpty());
    QVERIFY(DesDecryptText(QByteArray(), kKey).isEmpty());
    QVERIFY(DesDecryptHex(QString(), kKey).isEmpty());
}

void DesCipherTest::blockCountFollowsTextLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hexDigits");
    QTest::newRow("7 chars") << QStringLiteral("1234567") << 16;
    QTest::newRow("8 chars") << QStringLiteral("12345678") << 16;
    QTest::newRow("9 chars") << QStringLiteral("123456789") << 32;
    QTest::newRow("4 chinese = 8 bytes") << QStringLiteral("联系电话") << 16;
    QTest::newRow("5 chinese = 10 bytes") << QStringLiteral("联系人电话") << 32;
}

void DesCipherTest::blockCountFollowsTextLength()
{
    QFETCH(QString, text);
    QFETCH(int, hexDigits);
    const QString hex = DesEncryptHex(text, kKey);
    QCOMPARE(hex.size(), hexDigits);
    QCOMPARE(hex, hex.toUpper());
    QCOMPARE(DesDecryptHex(hex, kKey), text);
}

void DesCipherTest::trailingNulIsRefusedAndInnerNulSurvives()
{
    const QString expected = QStringLiteral("Error: the last char is NULL char.");
    QCOMPARE(errorOf([] { DesEncryptText(QStringLiteral("abc") + QChar(0), kKey); }), expected);
    QCOMPARE(errorOf([] { DesEncryptHex(QString(QChar(0)), kKey); }), expected);
    QCOMPARE(QString::fromUtf8(CoreError(expected).what()), expected);

    const QString inner = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    QCOMPARE(DesDecryptHex(DesEncryptHex(inner, kKey), kKey), inner);

    // Padding is NUL bytes, so a text and the same text with NULs up to the block end give
    // the same cipher: the NULs cannot come back.
    const QByteArray key = Gbk::encode(kKey);
    QCOMPARE(DesEncryptText(QStringLiteral("ab"), kKey),
             encryptBlock(key.left(8), QByteArray("ab\0\0\0\0\0\0", 8)));
    QCOMPARE(DesDecryptText(encryptBlock(key.left(8), QByteArray("ab\0\0\0\0\0\0", 8)), kKey),
             QStringLiteral("ab"));
}

void DesCipherTest::onlyTheFirstEightKeyBytesCount()
{
    const QString text = QStringLiteral("13800138000 张三");
    QCOMPARE(DesEncryptHex(text, QStringLiteral("TovantaC")),
             DesEncryptHex(text, QStringLiteral("TovantaConfKey16")));
    QVERIFY(DesEncryptHex(text, QStringLiteral("TovantaD")) !=
            DesEncryptHex(text, QStringLiteral("TovantaC")));
    // A short key is padded with NUL bytes.
    QCOMPARE(DesEncryptText(text, QStringLiteral("abc")),
             DesEncryptBytes(Gbk::encode(text), QByteArray("abc\0\0\0\0\0", 8)));
    QCOMPARE(DesEncryptText(text, QString()),
             DesEncryptBytes(Gbk::encode(text), QByteArray(8, '\0')));
    // A Chinese key counts in GBK bytes: four characters fill the key.
    QCOMPARE(DesEncryptHex(text, QStringLiteral("运输货物信息")),
             DesEncryptHex(text, QStringLiteral("运输货物")));
}

void DesCipherTest::hexInputIsReadInEitherCaseAndOddDigitIgnored()
{
    const QString text = QStringLiteral("password");
    const QString hex = DesEncryptHex(text, kKey);
    QCOMPARE(DesDecryptHex(hex.toLower(), kKey), text);
    QCOMPARE(DesDecryptHex(hex + QStringLiteral("F"), kKey), text);
    QCOMPARE(DesDecryptHex(hex + QStringLiteral("Z"), kKey), text);
}

void DesCipherTest::nonHexCharacterRaisesTheError()
{
    const QString expected = QStringLiteral("Error: not a Hex String");
    QCOMPARE(errorOf([] { DesDecryptHex(QStringLiteral("0G"), kKey); }), expected);
    QCOMPARE(errorOf([] { DesDecryptHex(QStringLiteral("3FA40E8A984D481 "), kKey); }), expected);
    QCOMPARE(errorOf([] { DesDecryptHex(QStringLiteral("中文"), kKey); }), expected);
    QCOMPARE(errorOf([] { DesDecryptHex(QStringLiteral("-1"), kKey); }), expected);
}

void DesCipherTest::hexPairToByteReadsBothDigits()
{
    QCOMPARE(HexPairToByte(QLatin1Char('0'), QLatin1Char('0')), quint8(0x00));
    QCOMPARE(HexPairToByte(QLatin1Char('9'), QLatin1Char('a')), quint8(0x9A));
    QCOMPARE(HexPairToByte(QLatin1Char('F'), QLatin1Char('f')), quint8(0xFF));
    QCOMPARE(HexPairToByte(QLatin1Char('a'), QLatin1Char('0')), quint8(0xA0));
    QVERIFY_EXCEPTION_THROWN(HexPairToByte(QLatin1Char('g'), QLatin1Char('0')), CoreError);
    QVERIFY_EXCEPTION_THROWN(HexPairToByte(QLatin1Char('0'), QChar(0xFF10)), CoreError);
}

void DesCipherTest::chineseTextRoundTripsThroughGbk()
{
    const QString contact = QStringLiteral("王先生 13912345678 上海市浦东新区");
    const QByteArray cipher = DesEncryptText(contact, kKey);
    QCOMPARE(cipher.size() % 8, 0);
    QCOMPARE(cipher, DesEncryptBytes(Gbk::encode(contact), Gbk::encode(kKey)));
    QCOMPARE(DesDecryptText(cipher, kKey), contact);
    QCOMPARE(DesDecryptHex(DesEncryptHex(contact, kKey), kKey), contact);
}

void DesCipherTest::partialFinalBlockIsIgnoredAndWrongKeyGivesGarbage()
{
    const QByteArray cipher = DesEncryptText(QStringLiteral("12345678abc"), kKey);
    QCOMPARE(DesDecryptText(cipher.left(13), kKey), QStringLiteral("12345678"));
    QCOMPARE(DesDecryptText(cipher.left(7), kKey), QString());
    const QString garbage = DesDecryptText(cipher, QStringLiteral("otherkey"));
    QVERIFY(garbage != QStringLiteral("12345678abc"));
}

QTEST_APPLESS_MAIN(DesCipherTest)
#include "tst_DesCipher.moc"
