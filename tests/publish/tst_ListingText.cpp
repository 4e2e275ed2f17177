// The listing text's limit holds for additions, and backspace takes whole characters.
#include "publish/ListingText.h"

#include <QtTest>

class ListingTextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void additionPastTheLimitIsRefusedWhole();
    void backspaceTakesAWholeCharacter();
};

void ListingTextTest::additionPastTheLimitIsRefusedWhole()
{
    QString text(398, QLatin1Char('a'));
    QVERIFY(ListingText::append(text, QStringLiteral("货物")));
    QCOMPARE(text.size(), ListingText::MaxLength);
    QVERIFY(!ListingText::append(text, QStringLiteral("吨")));
    QCOMPARE(text.size(), ListingText::MaxLength);
    QVERIFY(text.endsWith(QStringLiteral("货物")));

    QString shorter(399, QLatin1Char('a'));
    QVERIFY(!ListingText::append(shorter, QStringLiteral("元/吨")));
    QCOMPARE(shorter.size(), 399);
    QVERIFY(ListingText::append(shorter, QString()));
}

void ListingTextTest::backspaceTakesAWholeCharacter()
{
    QCOMPARE(ListingText::withoutLastCharacter(QStringLiteral("钢材20吨")),
             QStringLiteral("钢材20"));
    QCOMPARE(ListingText::withoutLastCharacter(QStringLiteral("吨")), QString());
    QCOMPARE(ListingText::withoutLastCharacter(QString()), QString());
    // A character outside the basic plane goes as one.
    const QString wide = QStringLiteral("货") + QString::fromUcs4(U"\U00020BB7");
    QCOMPARE(ListingText::withoutLastCharacter(wide), QStringLiteral("货"));
}

QTEST_GUILESS_MAIN(ListingTextTest)
#include "tst_ListingText.moc"
