#include "core/Gbk.h"

#include <QTextCodec>
#include <QtTest>

class GbkTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void agreesWithTheCodecOnEveryByte();
    void mixedTextsTravelBothWays();
};

void GbkTest::agreesWithTheCodecOnEveryByte()
{
    QTextCodec* codec = QTextCodec::codecForName("GBK");
    QVERIFY(codec);
    // Every single byte, and every byte at the end of an ASCII text (control characters and
    // NUL included): the quick path for ASCII must give what the codec gives.
    for (int value = 0; value < 256; ++value) {
        const QByteArray alone(1, char(value));
        const QByteArray inText = QByteArray("id=12 ") + char(value);
        QCOMPARE(Gbk::decode(alone), codec->toUnicode(alone));
        QCOMPARE(Gbk::decode(inText), codec->toUnicode(inText));
        const QString character = QString(QChar(ushort(value)));
        QCOMPARE(Gbk::encode(character), codec->fromUnicode(character));
    }
}

void GbkTest::mixedTextsTravelBothWays()
{
    const QString text = QStringLiteral("上海 -> 北京 10吨 <b>&amp;</b>\t\r\n");
    const QByteArray bytes = Gbk::encode(text);
    QCOMPARE(bytes, QTextCodec::codecForName("GBK")->fromUnicode(text));
    QCOMPARE(Gbk::decode(bytes), text);
    QCOMPARE(Gbk::encode(QStringLiteral("plain ascii")), QByteArray("plain ascii"));
    QCOMPARE(Gbk::decode(QByteArray("a\0b", 3)), QString::fromLatin1("a\0b", 3));
    QVERIFY(Gbk::decode(QByteArray()).isNull());
    QVERIFY(Gbk::encode(QString()).isNull());
}

QTEST_GUILESS_MAIN(GbkTest)
#include "tst_Gbk.moc"
