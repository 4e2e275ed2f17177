#include "ui/common/SingleInstanceGuard.h"

#include <QProcess>
#include <QSignalSpy>
#include <QUuid>
#include <QWidget>
#include <QtTest>

namespace {
// Long enough never to run out on a slow machine; only guards against a hung test.
constexpr int kPatienceMs = 60000;

QString uniqueTitle()
{
    return QStringLiteral("TovantaTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

struct ProbeRun
{
    int exitCode = -1;
    QByteArray output;
};

// Runs the start-sequence probe while this process keeps serving its event loop.
ProbeRun runProbe(const QString& title)
{
    QProcess probe;
    probe.start(QStringLiteral(TOVANTA_STARTUP_PROBE), {title});
    probe.waitForStarted();
    QElapsedTimer patience;
    patience.start();
    while (probe.state() != QProcess::NotRunning && patience.elapsed() < kPatienceMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        probe.waitForFinished(20);
    }
    return {probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1,
            probe.readAllStandardOutput()};
}
} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartReachesTheLogin();
    void secondStartExitsAndActivatesTheFirst();
    void lockIsReleasedWithTheGuard();
    void crashedInstanceDoesNotBlockTheNextStart();
};

void SingleInstanceTest::firstStartReachesTheLogin()
{
    const ProbeRun run = runProbe(uniqueTitle());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output.trimmed(), QByteArray("login"));
}

void SingleInstanceTest::secondStartExitsAndActivatesTheFirst()
{
    const QString title = uniqueTitle();
    SingleInstanceGuard first(title);
    QVERIFY(first.acquire());
    QWidget window;
    window.showMinimized();
    QSignalSpy requests(&first, &SingleInstanceGuard::activationRequested);
    connect(&first, &SingleInstanceGuard::activationRequested,
            [&window] { SingleInstanceGuard::bringToFront(&window); });

    const ProbeRun second = runProbe(title);
    QCOMPARE(second.exitCode, 0);
    QVERIFY2(second.output.isEmpty(), second.output.constData()); // never reached the login
    QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 1, kPatienceMs);
    QVERIFY(!window.isMinimized());

    // Another title is another program: it starts normally.
    QCOMPARE(runProbe(uniqueTitle()).output.trimmed(), QByteArray("login"));
}

void SingleInstanceTest::lockIsReleasedWithTheGuard()
{
    const QString title = uniqueTitle();
    {
        SingleInstanceGuard first(title);
        QVERIFY(first.acquire());
        QVERIFY(first.isPrimary());
    }
    SingleInstanceGuard again(title);
    QVERIFY(again.acquire());
}

void SingleInstanceTest::crashedInstanceDoesNotBlockTheNextStart()
{
    const QString title = uniqueTitle();
    QProcess crashed;
    crashed.start(QStringLiteral(TOVANTA_STARTUP_PROBE), {title, QStringLiteral("hold")});
    QVERIFY(crashed.waitForStarted());
    QByteArray output;
    QElapsedTimer patience;
    patience.start();
    while (!output.contains("login") && patience.elapsed() < kPatienceMs) {
        crashed.waitForReadyRead(50);
        output += crashed.readAllStandardOutput();
    }
    QVERIFY(output.contains("login"));
    crashed.kill(); // no chance to release its lock or socket
    QVERIFY(crashed.waitForFinished(kPatienceMs));

    QCOMPARE(runProbe(title).output.trimmed(), QByteArray("login"));
}

QTEST_MAIN(SingleInstanceTest)
#include "tst_SingleInstance.moc"
