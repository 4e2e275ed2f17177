#include "im/TrailPacer.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTest>

class TrailPacerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aUnitOnAnIdlePacerIsHandledAtOnce();
    void aBurstIsSpreadOverTurnsInOrder();
    void unitsArrivingWhileOthersWaitGoBehindThem();
};

namespace {

// A handler whose every call costs `costMs` on a fake clock.
struct Bench
{
    qint64 now = 0;
    qint64 costMs = 3;
    QStringList handled;
    TrailPacer pacer{[this](const QString& unit) {
                         handled << unit;
                         now += costMs;
                     },
                     nullptr, [this] { return now; }};
};

QStringList units(int from, int count)
{
    QStringList list;
    for (int i = from; i < from + count; ++i)
        list << QStringLiteral("u%1").arg(i);
    return list;
}

} // namespace

void TrailPacerTest::aUnitOnAnIdlePacerIsHandledAtOnce()
{
    Bench bench;
    bench.pacer.feed(QStringLiteral("a"));
    QCOMPARE(bench.handled, QStringList{QStringLiteral("a")});
    QCOMPARE(bench.pacer.waiting(), 0);
}

void TrailPacerTest::aBurstIsSpreadOverTurnsInOrder()
{
    Bench bench;
    for (const QString& unit : units(0, 10))
        bench.pacer.feed(unit);
    // 3 ms each against 8 ms a turn: three units now, the rest later.
    QCOMPARE(bench.handled, units(0, 3));
    QCOMPARE(bench.pacer.waiting(), 7);
    QTRY_COMPARE(bench.handled.size(), 10);
    QCOMPARE(bench.handled, units(0, 10));
    QCOMPARE(bench.pacer.waiting(), 0);
}

void TrailPacerTest::unitsArrivingWhileOthersWaitGoBehindThem()
{
    Bench bench;
    bench.costMs = 10; // one unit spends a turn's budget
    bench.pacer.feed(QStringLiteral("a"));
    bench.pacer.feed(QStringLiteral("b"));
    QCOMPARE(bench.handled, QStringList{QStringLiteral("a")});
    QTest::qWait(20); // later turns: "b" goes, and the budget is spent again
    bench.pacer.feed(QStringLiteral("c"));
    bench.pacer.feed(QStringLiteral("d"));
    QTRY_COMPARE(bench.handled.size(), 4);
    QCOMPARE(bench.handled, (QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                         QStringLiteral("c"), QStringLiteral("d")}));
}

QTEST_GUILESS_MAIN(TrailPacerTest)

#include "tst_TrailPacer.moc"
