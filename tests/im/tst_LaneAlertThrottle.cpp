#include "im/LaneAlertThrottle.h"
#include "im/WatchedLanes.h"

#include <QtTest>

// Which live listings raise an alert (a subscribed destination) and how often: one notice per
// ten seconds, the rest summed up in the next.
class LaneAlertThrottleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void destinationsAreMatched_data();
    void destinationsAreMatched();
    void oneNoticePerIntervalTheRestSummedUp();
    void aQuietSpellStartsAfresh();
    void noticeTextsAreSafe();
};

namespace {
LaneAlert alert(const QString& to, const QString& title)
{
    return LaneAlert{QStringLiteral("上海"), to, title};
}
} // namespace

void LaneAlertThrottleTest::destinationsAreMatched_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("watched");
    const QStringList watched{"北京", " 大连 ", "沈阳市"};
    QTest::newRow("exact") << watched << "北京" << true;
    QTest::newRow("blanks around the city") << watched << "大连" << true;
    QTest::newRow("trailing 市 on the listing") << watched << "北京市" << true;
    QTest::newRow("trailing 市 on the subscription") << watched << "沈阳" << true;
    QTest::newRow("control characters") << watched << "\t北京\n" << true;
    QTest::newRow("other city") << watched << "广州" << false;
    QTest::newRow("part of a name") << watched << "北" << false;
    QTest::newRow("longer name") << watched << "北京西" << false;
    QTest::newRow("empty destination") << watched << "" << false;
    QTest::newRow("市 alone") << QStringList{"市"} << "市" << true;
    QTest::newRow("no subscription") << QStringList() << "北京" << false;
    QTest::newRow("blank subscription") << QStringList{"", " "} << "" << false;
}

void LaneAlertThrottleTest::destinationsAreMatched()
{
    QFETCH(QStringList, cities);
    QFETCH(QString, destination);
    QFETCH(bool, watched);
    QCOMPARE(WatchedLanes(cities).watches(destination), watched);
}

void LaneAlertThrottleTest::oneNoticePerIntervalTheRestSummedUp()
{
    LaneAlertThrottle throttle;
    const qint64 t0 = 1000000;
    const auto first = throttle.offer(alert("北京", "钢材20吨"), t0);
    QVERIFY(first);
    QCOMPARE(first->caption, QStringLiteral("上海 → 北京"));
    QCOMPARE(first->text, QStringLiteral("钢材20吨"));

    // Three more within ten seconds: held back.
    QVERIFY(!throttle.offer(alert("北京", "煤炭"), t0 + 2000));
    QVERIFY(!throttle.offer(alert("大连", "化肥"), t0 + 5000));
    QVERIFY(!throttle.offer(alert("北京", "木材"), t0 + 9999));
    QCOMPARE(throttle.held(), 3);
    QCOMPARE(throttle.nextNoticeAt(), t0 + 10000);
    QVERIFY(!throttle.flush(t0 + 9999));

    // Then one notice: the newest, and the other two counted.
    const auto summed = throttle.flush(t0 + 10000);
    QVERIFY(summed);
    QCOMPARE(summed->caption, QStringLiteral("上海 → 北京"));
    QCOMPARE(summed->text, QStringLiteral("木材\n另有 2 条"));
    QCOMPARE(throttle.held(), 0);
    QVERIFY(!throttle.flush(t0 + 30000));

    // The summed notice opened a new interval.
    QVERIFY(!throttle.offer(alert("北京", "水泥"), t0 + 15000));
    const auto alone = throttle.flush(t0 + 20000);
    QVERIFY(alone);
    QCOMPARE(alone->text, QStringLiteral("水泥"));
}

void LaneAlertThrottleTest::aQuietSpellStartsAfresh()
{
    LaneAlertThrottle throttle;
    QVERIFY(throttle.offer(alert("北京", "一"), 0));
    QVERIFY(!throttle.offer(alert("北京", "二"), 3000));
    // An alert after the interval with one still held shows at once and counts it.
    const auto next = throttle.offer(alert("北京", "三"), 12000);
    QVERIFY(next);
    QCOMPARE(next->text, QStringLiteral("三\n另有 1 条"));

    // Dropped held alerts are not counted later.
    QVERIFY(!throttle.offer(alert("北京", "四"), 13000));
    throttle.dropHeld();
    QVERIFY(!throttle.flush(30000));
    const auto later = throttle.offer(alert("北京", "五"), 30000);
    QVERIFY(later);
    QCOMPARE(later->text, QStringLiteral("五"));
}

void LaneAlertThrottleTest::noticeTextsAreSafe()
{
    const QString huge = QString(QStringLiteral("长")).repeated(5000);
    const LaneAlertThrottle::Notice notice = LaneAlertThrottle::noticeFor(
        LaneAlert{QStringLiteral("<b>上海</b>"), QStringLiteral("北京\x01"),
                  QStringLiteral("<a href='x'>点我</a> & \x1b[31m") + huge},
        0);
    QVERIFY(!notice.caption.contains(QLatin1Char('<')));
    QVERIFY(!notice.text.contains(QLatin1Char('<')));
    QVERIFY(!notice.text.contains(QLatin1Char('&')));
    QVERIFY(!notice.text.contains(QChar(0x1b)));
    QVERIFY(!notice.caption.contains(QChar(0x01)));
    QVERIFY(notice.caption.contains(QStringLiteral("上海")));
    QVERIFY(notice.text.startsWith(QStringLiteral("＜a href='x'＞点我")));
    QVERIFY(notice.text.size() <= LaneAlertThrottle::MaxTitleLength + 1);
    QVERIFY(notice.text.endsWith(QStringLiteral("…")));
}

QTEST_GUILESS_MAIN(LaneAlertThrottleTest)
#include "tst_LaneAlertThrottle.moc"
