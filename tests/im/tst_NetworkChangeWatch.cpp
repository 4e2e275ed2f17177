#include "im/NetworkChangeWatch.h"

#include <QSignalSpy>
#include <QtTest>

// The network watch reports a network that came back or changed (a new address), not one that
// went away or stayed as it was.
class NetworkChangeWatchTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aNewAddressIsAChange();
    void theTimerReadsTheAddresses();
};

void NetworkChangeWatchTest::aNewAddressIsAChange()
{
    QStringList addresses{"192.168.1.20"};
    NetworkChangeWatch watch([&addresses] { return addresses; });
    QSignalSpy changed(&watch, &NetworkChangeWatch::networkChanged);
    watch.start();
    watch.poll();
    QCOMPARE(changed.count(), 0);

    addresses.clear(); // the cable is out
    watch.poll();
    QCOMPARE(changed.count(), 0);
    addresses = QStringList{"192.168.1.20"}; // and back
    watch.poll();
    QCOMPARE(changed.count(), 1);

    addresses = QStringList{"10.0.0.7", "192.168.1.20"}; // another network joins
    watch.poll();
    QCOMPARE(changed.count(), 2);
    addresses = QStringList{"192.168.1.20", "10.0.0.7"}; // the same, in another order
    watch.poll();
    QCOMPARE(changed.count(), 2);
}

void NetworkChangeWatchTest::theTimerReadsTheAddresses()
{
    int reads = 0;
    NetworkChangeWatch watch([&reads] { return QStringList{QString::number(++reads)}; });
    QSignalSpy changed(&watch, &NetworkChangeWatch::networkChanged);
    watch.setInterval(10);
    watch.start();
    QVERIFY(watch.running());
    QTRY_VERIFY(changed.count() >= 2);
    watch.stop();
    const int seen = changed.count();
    QTest::qWait(50);
    QCOMPARE(changed.count(), seen);
}

QTEST_GUILESS_MAIN(NetworkChangeWatchTest)
#include "tst_NetworkChangeWatch.moc"
