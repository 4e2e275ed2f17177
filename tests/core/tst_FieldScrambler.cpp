#include "core/FieldScrambler.h"
#include "core/Gbk.h"
#include "core/TextTrim.h"

#include <QtTest>

class FieldScramblerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blankInputScramblesToNothing();
    void knownScrambledForms();
    void roundTrip_data();
    void roundTrip();
    void unscrambleToleratesCaseOddDigitAndBadPairs();
    void replaceTextGuards();
    void replaceTextScansOnceWithoutOverlap();
    void replaceTextIgnoresCaseWhenAsked();
    void replaceTextGrowsBeyondItsFirstBuffer();
    void screening_data();
    void screening();
    void apostropheChecks();
    void gbkLengthsAndCuts();
    void trimKeepsWideSpaces();
};

void FieldScramblerTest::blankInputScramblesToNothing()
{
    QCOMPARE(ScrambleField(QString()), QString());
    QCOMPARE(ScrambleField(QStringLiteral("    ")), QString());
    QCOMPARE(ScrambleField(QStringLiteral(" \t\r\n")), QString());
    QCOMPARE(UnscrambleField(QString()), QString());
    QCOMPARE(UnscrambleField(QStringLiteral("   ")), QString());
}

// The servers hold the same key; these forms are what they compute.
void FieldScramblerTest::knownScrambledForms()
{
    QCOMPARE(ScrambleField(QStringLiteral(" a")), QStringLiteral("7417"));
    QCOMPARE(ScrambleField(QStringLiteral("中")), QStringLiteral("B0CE95"));
    // The ninth byte uses the first key byte again.
    const QString nine = ScrambleField(QStringLiteral("aaaaaaaaa"));
    QCOMPARE(nine.size(), 18);
    QCOMPARE(nine.mid(16), nine.left(2));
    QVERIFY(nine.mid(2, 2) != nine.left(2));
}

void FieldScramblerTest::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("13800138000");
    QTest::newRow("chinese") << QStringLiteral("王先生，上海市浦东新区张江路88号");
    QTest::newRow("mixed with outer spaces") << QStringLiteral("  联系人 Li Lei  ");
    QTest::newRow("json text") << QStringLiteral("[{\"id\":\"1\",\"title\":\"钢材 30吨\"}]");
    QTest::newRow("single char") << QStringLiteral("x");
    QTest::newRow("outside gbk") << QStringLiteral("ok \U0001F69A");
    QTest::newRow("inner nul") << (QStringLiteral("1\n") + QChar(0) + QStringLiteral("D"));
}

void FieldScramblerTest::roundTrip()
{
    QFETCH(QString, text);
    const QString scrambled = ScrambleField(text);
    QCOMPARE(scrambled.size(), 2 * text.toUtf8().size());
    QCOMPARE(scrambled, scrambled.toUpper());
    QVERIFY(scrambled != QString::fromLatin1(text.toUtf8().toHex().toUpper()));
    QCOMPARE(UnscrambleField(scrambled), text);
}

void FieldScramblerTest::unscrambleToleratesCaseOddDigitAndBadPairs()
{
    const QString scrambled = ScrambleField(QStringLiteral("货物abc"));
    QCOMPARE(UnscrambleField(scrambled.toLower()), QStringLiteral("货物abc"));
    QCOMPARE(UnscrambleField(scrambled + QStringLiteral("7")), QStringLiteral("货物abc"));
    // Reading stops quietly at a pair that is not hexadecimal.
    QCOMPARE(UnscrambleField(QStringLiteral("7417") + QStringLiteral("ZZ") + scrambled),
             QStringLiteral(" a"));
    QCOMPARE(UnscrambleField(QStringLiteral("74G1")), QStringLiteral(" "));
    QCOMPARE(UnscrambleField(QStringLiteral("?7417")), QString());
    // A cut inside a multi-byte character never fails.
    QVERIFY(!UnscrambleField(scrambled.left(4)).contains(QStringLiteral("货")));
}

void FieldScramblerTest::replaceTextGuards()
{
    QCOMPARE(ReplaceText(QString(), QStringLiteral("a"), QStringLiteral("b"), true), QString());
    QCOMPARE(ReplaceText(QStringLiteral("abc"), QString(), QStringLiteral("x"), true),
             QStringLiteral("abc"));
    QCOMPARE(ReplaceText(QStringLiteral("ab"), QStringLiteral("abc"), QString(), true),
             QStringLiteral("ab"));
    QCOMPARE(ReplaceText(QStringLiteral("abc"), QStringLiteral("abc"), QString(), true), QString());
}

void FieldScramblerTest::replaceTextScansOnceWithoutOverlap()
{
    QCOMPARE(ReplaceText(QStringLiteral("aaaaa"), QStringLiteral("aa"), QStringLiteral("x"), true),
             QStringLiteral("xxa"));
    QCOMPARE(ReplaceText(QStringLiteral("ab"), QStringLiteral("a"), QStringLiteral("aa"), true),
             QStringLiteral("aab"));
    QCOMPARE(ReplaceText(QStringLiteral("it's Bob's"), QStringLiteral("'"), QString(), true),
             QStringLiteral("its Bobs"));
    QCOMPARE(ReplaceText(QStringLiteral("北京'上海'"), QStringLiteral("'"), QString(), true),
             QStringLiteral("北京上海"));
    QCOMPARE(ReplaceText(QStringLiteral("xyz"), QStringLiteral("z"), QStringLiteral("!"), true),
             QStringLiteral("xy!"));
}

void FieldScramblerTest::replaceTextIgnoresCaseWhenAsked()
{
    QCOMPARE(ReplaceText(QStringLiteral("Select sElEcT"), QStringLiteral("select"),
                         QStringLiteral("-"), false),
             QStringLiteral("- -"));
    QCOMPARE(
        ReplaceText(QStringLiteral("Select"), QStringLiteral("select"), QStringLiteral("-"), true),
        QStringLiteral("Select"));
    QCOMPARE(ReplaceText(QStringLiteral("ÄPFEL äpfel"), QStringLiteral("äpfel"),
                         QStringLiteral("x"), false),
             QStringLiteral("x x"));
}

void FieldScramblerTest::replaceTextGrowsBeyondItsFirstBuffer()
{
    const QString text(50, QLatin1Char('a'));
    const QString longer(30, QLatin1Char('b'));
    const QString replaced = ReplaceText(text, QStringLiteral("a"), longer, true);
    QCOMPARE(replaced, QString(1500, QLatin1Char('b')));
    const QString mixed =
        ReplaceText(QStringLiteral("a-a-a"), QStringLiteral("a"), QStringLiteral("中文字"), true);
    QCOMPARE(mixed, QStringLiteral("中文字-中文字-中文字"));
}

void FieldScramblerTest::screening_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("by substring") << QStringLiteral("order") << QStringLiteral("der");
    QTest::newRow("exact case") << QStringLiteral("ORDER") << QStringLiteral("ORDER");
    QTest::newRow("select before or") << QStringLiteral("selector") << QString();
    QTest::newRow("removal not rescanned")
        << QStringLiteral("seleselectct") << QStringLiteral("select");
    QTest::newRow("outer spaces, brackets")
        << QStringLiteral("  ( cargo )  ") << QStringLiteral(" cargo ");
    QTest::newRow("space before bracket stays")
        << QStringLiteral("  see (cargo)  ") << QStringLiteral("see cargo");
    QTest::newRow("quotes and slashes")
        << QStringLiteral("\"a\"/'b'<c>[d]{e}") << QStringLiteral("abcde");
    QTest::newRow("databases before database")
        << QStringLiteral("show databases;database") << QStringLiteral(" ;");
    QTest::newRow("sql words") << QStringLiteral("drop table users") << QStringLiteral("  users");
    QTest::newRow("and then or") << QStringLiteral("Landlord") << QStringLiteral("Lld");
    QTest::newRow("inside ordinary words")
        << QStringLiteral("password") << QStringLiteral("passwd");
    QTest::newRow("chinese untouched")
        << QStringLiteral(" 北京到上海 整车 ") << QStringLiteral("北京到上海 整车");
    QTest::newRow("blank") << QStringLiteral(" \t ") << QString();
}

void FieldScramblerTest::screening()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(ScreenInput(input), expected);
}

void FieldScramblerTest::apostropheChecks()
{
    QVERIFY(ContainsApostrophe(QStringLiteral("o'neil")));
    QVERIFY(!ContainsApostrophe(QStringLiteral("oneil")));
    QVERIFY(!ContainsApostropheOrTooLong(QString(20, QLatin1Char('a'))));
    QVERIFY(ContainsApostropheOrTooLong(QString(21, QLatin1Char('a'))));
    QVERIFY(ContainsApostropheOrTooLong(QStringLiteral("a'")));
    // Length counts GBK bytes: ten Chinese characters are twenty bytes.
    QVERIFY(!ContainsApostropheOrTooLong(QString(10, QChar(0x4E2D))));
    QVERIFY(ContainsApostropheOrTooLong(QString(11, QChar(0x4E2D))));
}

void FieldScramblerTest::gbkLengthsAndCuts()
{
    QCOMPARE(Gbk::encode(QStringLiteral("你")), QByteArray("\xC4\xE3"));
    QCOMPARE(Gbk::decode(QByteArray("\xC4\xE3")), QStringLiteral("你"));
    QCOMPARE(Gbk::byteLength(QStringLiteral("ab中文")), 6);
    QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 3), QStringLiteral("ab"));
    QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 4), QStringLiteral("ab中"));
    QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 100), QStringLiteral("ab中文"));
    QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab"), 0), QString());
    // A character outside GBK is one "?" byte and its surrogate pair is never split.
    const QString truck = QStringLiteral("a\U0001F69Ab");
    QCOMPARE(Gbk::byteLength(truck), 3);
    QCOMPARE(Gbk::truncateToBytes(truck, 2), QStringLiteral("a\U0001F69A"));
    QVERIFY(!Gbk::canEncode(truck));
    QVERIFY(Gbk::canEncode(QStringLiteral("整车 ok")));
}

void FieldScramblerTest::trimKeepsWideSpaces()
{
    QCOMPARE(TrimLowChars(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
    QCOMPARE(TrimLowChars(QStringLiteral("\u3000货\u3000")), QStringLiteral("\u3000货\u3000"));
    QVERIFY(IsBlankText(QString()));
    QVERIFY(IsBlankText(QString(QChar(1))));
    QVERIFY(!IsBlankText(QStringLiteral("\u3000")));
}

QTEST_APPLESS_MAIN(FieldScramblerTest)
#include "tst_FieldScrambler.moc"
