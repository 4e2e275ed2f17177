#include "ManualRetryTimer.h"
#include "im/ReconnectScheduler.h"

#include <QSignalSpy>
#include <QtTest>

// The reconnection waits: exponential backoff with jitter within its bounds, longer waits
// after each failed attempt, a fresh start after a connection, and waits cut short or
// cancelled.
class ReconnectSchedulerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backoffDoublesUpToTheCap_data();
    void backoffDoublesUpToTheCap();
    void jitterSpreadsTheWaitsWithinTheBound();
    void eachFailedAttemptWaitsLonger();
    void aConnectionStartsTheBackoffOver();
    void retryNowCutsOnlyARunningWait();
    void cancelEndsTheAttempts();
};

void ReconnectSchedulerTest::backoffDoublesUpToTheCap_data()
{
    QTest::addColumn<int>("attempt");
    QTest::addColumn<int>("nominal");
    QTest::newRow("first") << 0 << 1000;
    QTest::newRow("second") << 1 << 2000;
    QTest::newRow("third") << 2 << 4000;
    QTest::newRow("sixth") << 5 << 32000;
    QTest::newRow("capped") << 6 << 60000;
    QTest::newRow("far beyond") << 40 << 60000;
}

void ReconnectSchedulerTest::backoffDoublesUpToTheCap()
{
    QFETCH(int, attempt);
    QFETCH(int, nominal);
    // The middle of the jitter range is the nominal wait itself.
    const ReconnectPolicy policy([] { return 0.5; });
    QCOMPARE(policy.nominalDelay(attempt), nominal);
    QCOMPARE(policy.delayFor(attempt), nominal);
    QVERIFY(policy.upperBound(attempt) <= 60000);
}

void ReconnectSchedulerTest::jitterSpreadsTheWaitsWithinTheBound()
{
    double draw = 0;
    const ReconnectPolicy policy([&draw] { return draw; });
    for (int attempt = 0; attempt < 8; ++attempt) {
        draw = 0;
        const int low = policy.delayFor(attempt);
        draw = 0.999999;
        const int high = policy.delayFor(attempt);
        const int nominal = policy.nominalDelay(attempt);
        QCOMPARE(low, qRound(nominal * 0.8));
        QVERIFY2(high > nominal || nominal == 60000, qPrintable(QString::number(high)));
        QVERIFY(high <= policy.upperBound(attempt));
    }
    // A random source out of its range still gives a wait within the bounds.
    draw = 7.0;
    QCOMPARE(policy.delayFor(0), policy.upperBound(0));
    draw = -3.0;
    QCOMPARE(policy.delayFor(0), 800);
}

void ReconnectSchedulerTest::eachFailedAttemptWaitsLonger()
{
    auto* timer = new ManualRetryTimer;
    ReconnectScheduler scheduler(ReconnectPolicy([] { return 0.5; }),
                                 std::unique_ptr<RetryTimer>(timer));
    QSignalSpy due(&scheduler, &ReconnectScheduler::attemptDue);
    QSignalSpy scheduled(&scheduler, &ReconnectScheduler::attemptScheduled);

    scheduler.connectionLost();
    QVERIFY(scheduler.waiting());
    QCOMPARE(due.count(), 0);
    QVERIFY(timer->fire());
    QCOMPARE(due.count(), 1);
    for (int i = 0; i < 7; ++i) {
        scheduler.attemptFailed();
        QVERIFY(timer->fire());
    }
    QCOMPARE(due.count(), 8);
    QCOMPARE(timer->delays, (QList<int>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000}));
    QCOMPARE(scheduled.count(), 8);
    QCOMPARE(scheduled.last().at(0).toInt(), 7);
    QCOMPARE(scheduled.last().at(1).toInt(), 60000);
    QCOMPARE(scheduler.failedAttempts(), 7);
}

void ReconnectSchedulerTest::aConnectionStartsTheBackoffOver()
{
    auto* timer = new ManualRetryTimer;
    ReconnectScheduler scheduler(ReconnectPolicy([] { return 0.5; }),
                                 std::unique_ptr<RetryTimer>(timer));
    QSignalSpy ended(&scheduler, &ReconnectScheduler::ended);
    scheduler.connectionLost();
    timer->fire();
    scheduler.attemptFailed();
    timer->fire();
    scheduler.connected();
    QVERIFY(!scheduler.active());
    QCOMPARE(ended.count(), 1);
    scheduler.connected(); // nothing was running
    QCOMPARE(ended.count(), 1);

    scheduler.connectionLost();
    QCOMPARE(timer->delays, (QList<int>{1000, 2000, 1000}));
}

void ReconnectSchedulerTest::retryNowCutsOnlyARunningWait()
{
    auto* timer = new ManualRetryTimer;
    ReconnectScheduler scheduler(ReconnectPolicy{}, std::unique_ptr<RetryTimer>(timer));
    QSignalSpy due(&scheduler, &ReconnectScheduler::attemptDue);
    scheduler.retryNow(); // not waiting: no attempt
    QCOMPARE(due.count(), 0);

    scheduler.connectionLost();
    scheduler.retryNow();
    QCOMPARE(due.count(), 1);
    QVERIFY(!scheduler.waiting());
    // While the attempt runs there is no wait to cut short.
    scheduler.retryNow();
    QCOMPARE(due.count(), 1);
    QVERIFY(!timer->fire());
}

void ReconnectSchedulerTest::cancelEndsTheAttempts()
{
    auto* timer = new ManualRetryTimer;
    ReconnectScheduler scheduler(ReconnectPolicy{}, std::unique_ptr<RetryTimer>(timer));
    QSignalSpy due(&scheduler, &ReconnectScheduler::attemptDue);
    QSignalSpy ended(&scheduler, &ReconnectScheduler::ended);
    scheduler.connectionLost();
    scheduler.cancel();
    QVERIFY(!scheduler.waiting());
    QCOMPARE(ended.count(), 1);
    QVERIFY(!timer->fire());
    // A failure reported after the cancel starts no new wait.
    scheduler.attemptFailed();
    QVERIFY(!scheduler.waiting());
    QCOMPARE(due.count(), 0);
    QCOMPARE(timer->delays.size(), 1);
}

QTEST_GUILESS_MAIN(ReconnectSchedulerTest)
#include "tst_ReconnectScheduler.moc"
