#include "service/ListingAge.h"

#include <QtTest>
#include <ctime>

// The age of a listing in words, and when it counts as stale.
class ListingAgeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wording_data();
    void wording();
    void issueTimesAsTheExchangeWritesThem();
    void issueTimesFollowTheLocalZoneAcrossSummerTime();
    void staleAfterADay();
};

void ListingAgeTest::wording_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("words");
    QTest::newRow("now") << qint64(0) << "刚刚";
    QTest::newRow("59 s") << qint64(59) << "刚刚";
    QTest::newRow("a little ahead of the clock") << qint64(-90) << "刚刚";
    QTest::newRow("1 min") << qint64(60) << "1分钟前";
    QTest::newRow("5 min 59 s") << qint64(5 * 60 + 59) << "5分钟前";
    QTest::newRow("59 min") << qint64(59 * 60 + 59) << "59分钟前";
    QTest::newRow("1 h") << qint64(3600) << "1小时前";
    QTest::newRow("3 h 50 min") << qint64(3 * 3600 + 50 * 60) << "3小时前";
    QTest::newRow("23 h 59 min") << qint64(24 * 3600 - 1) << "23小时前";
    QTest::newRow("1 day") << qint64(24 * 3600) << "1天前";
    QTest::newRow("2 days 23 h") << qint64(3 * 24 * 3600 - 1) << "2天前";
    QTest::newRow("400 days") << qint64(400) * 24 * 3600 << "400天前";
}

void ListingAgeTest::wording()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, words);
    QCOMPARE(ListingAge::words(seconds), words);
    const QDateTime now(QDate(2026, 12, 8), QTime(12, 0));
    QCOMPARE(ListingAge::words(now.addSecs(-seconds), now), words);
}

void ListingAgeTest::issueTimesAsTheExchangeWritesThem()
{
    const QDateTime issued = ListingAge::parseIssueTime(QStringLiteral("2026-12-08 10:05:30"));
    QCOMPARE(issued, QDateTime(QDate(2026, 12, 8), QTime(10, 5, 30)));
    QCOMPARE(ListingAge::parseIssueTime(QStringLiteral(" 2026-12-08 10:05 ")),
             QDateTime(QDate(2026, 12, 8), QTime(10, 5)));
    QCOMPARE(ListingAge::words(issued, QDateTime(QDate(2026, 12, 8), QTime(13, 6))),
             QStringLiteral("3小时前"));
    // Anything else has no age.
    for (const char* text : {"", "昨天", "2026-13-40 10:00:00", "12-08 10:00",
                             "2026-12-08 10:00:00<script>", "2026-12-08T10:00:00"}) {
        const QDateTime none = ListingAge::parseIssueTime(QString::fromUtf8(text));
        QVERIFY2(!none.isValid(), text);
        QCOMPARE(ListingAge::words(none, QDateTime::currentDateTime()), QString());
    }
}

void ListingAgeTest::issueTimesFollowTheLocalZoneAcrossSummerTime()
{
    // Times read one after another in a zone with summer time: each gets its own offset.
    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    for (const char* text : {"2026-07-01 10:00:00", "2026-12-01 10:00:00", "2026-07-01 10:30",
                             "2026-03-29 01:59:00", "2026-03-29 03:00:00"}) {
        const QDateTime read = ListingAge::parseIssueTime(QString::fromLatin1(text));
        const QDateTime local = QDateTime::fromString(QString::fromLatin1(text).left(16),
                                                      QStringLiteral("yyyy-MM-dd HH:mm"));
        QCOMPARE(read.toMSecsSinceEpoch() / 60000, local.toMSecsSinceEpoch() / 60000);
    }
    qputenv("TZ", savedZone);
    tzset();
}

void ListingAgeTest::staleAfterADay()
{
    const QDateTime issued(QDate(2026, 12, 8), QTime(10, 0));
    QVERIFY(!ListingAge::isStale(issued, issued.addSecs(24 * 3600 - 1)));
    QVERIFY(ListingAge::isStale(issued, issued.addSecs(24 * 3600)));
    QVERIFY(!ListingAge::isStale(QDateTime(), issued));
}

QTEST_GUILESS_MAIN(ListingAgeTest)
#include "tst_ListingAge.moc"
