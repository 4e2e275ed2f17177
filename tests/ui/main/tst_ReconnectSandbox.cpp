#include "SandboxEndpoints.h"
#include "SandboxHttp.h"
#include "SandboxWindowParts.h"
#include "SandboxXmppSession.h"
#include "app/SessionState.h"
#include "im/IMSession.h"
#include "im/ReconnectScheduler.h"
#include "im/XmppIMClient.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/MainImHost.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

// The main window stays connected to the sandbox exchange: a restarted exchange, a silent one
// (stopped with SIGSTOP) and a password changed on the site, while a user is signed in.
class ReconnectSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void restartedExchangeIsRejoinedWithTheGapsListings();
    void silentExchangeIsNoticedAndRejoined();
    void changedPasswordStopsTheRetries();

private:
    bool stopExchange();
    bool startExchange();
    qint64 exchangePid() const;
    bool waitForLoadEnd();
    bool gridHolds(const QString& title) const;
    QString lblConn() const;
    ReconnectScheduler* reconnection() const { return window->imHost()->reconnection(); }

    SandboxWindowParts parts;
    XmppIMClient& client = parts.client;
    TfrmMain* window = nullptr;
};

namespace {

constexpr int kPatience = 60000;
const QString kReconnecting = QString::fromUtf8(IMSession::ReconnectingText);

QString sandboxScript(const char* name)
{
    return QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/") + QLatin1String(name);
}

QStringList exchangeArguments()
{
    return {QStringLiteral("--rundir"), qEnvironmentVariable("TOVANTA_SANDBOX_RUNDIR"),
            QStringLiteral("--c2s-port"), QString::number(SandboxEndpoints::c2sPort())};
}

// Runs a sandbox script to its end. Its output goes nowhere: the exchange it starts lives on
// and must not hold the test's own output open.
bool runScript(const char* name, const QStringList& arguments)
{
    QProcess script;
    script.setStandardInputFile(QProcess::nullDevice());
    script.setStandardOutputFile(QProcess::nullDevice());
    script.setStandardErrorFile(QProcess::nullDevice());
    script.start(sandboxScript(name), arguments);
    return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
           script.exitCode() == 0;
}

bool setPassword(const QString& user, const QString& password)
{
    return SandboxHttp::get(QStringLiteral("/sandbox/password/%1/%2").arg(user, password)).status ==
           200;
}

} // namespace

void ReconnectSandboxTest::initTestCase()
{
    QVERIFY(!qEnvironmentVariable("TOVANTA_SANDBOX_RUNDIR").isEmpty());
    // No web pages here: their engine's helper processes would outlive the test.
    LazyWebView::setEnginesEnabled(false);
    resetSession();
    SandboxEndpoints::retarget(session());
    shellState().reset();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().password = QStringLiteral("demo1234");
    // A silent exchange is noticed after a ping left unanswered: 6 s apart, 5 s for the answer.
    client.setKeepAliveInterval(6);
    window = new TfrmMain(parts.services());
    window->setWindowState(Qt::WindowNoState);
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->signIn();
    QTRY_VERIFY_WITH_TIMEOUT(shellState().isConnected(), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(shellState().currentCity, QStringLiteral("北京"), kPatience);
    QVERIFY(waitForLoadEnd());
    QTRY_COMPARE_WITH_TIMEOUT(lblConn(), QStringLiteral("联机"), kPatience);
}

void ReconnectSandboxTest::cleanupTestCase()
{
    shellState().closeWithoutAsking = true;
    delete window;
    if (qEnvironmentVariable("TOVANTA_SANDBOX_RUNDIR").isEmpty())
        return;
    // The exchange is shared by the tests that follow: running, with its seeded passwords.
    if (exchangePid() <= 0)
        startExchange();
    ::kill(pid_t(exchangePid()), SIGCONT);
    setPassword(QStringLiteral("lina"), QStringLiteral("demo1234"));
}

qint64 ReconnectSandboxTest::exchangePid() const
{
    QFile file(qEnvironmentVariable("TOVANTA_SANDBOX_RUNDIR") + QStringLiteral("/sandbox.pid"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

bool ReconnectSandboxTest::stopExchange()
{
    return runScript("stop", exchangeArguments() << QStringLiteral("--force"));
}

bool ReconnectSandboxTest::startExchange()
{
    // The same run folder and ports, its data kept (accounts, listings, passwords).
    QStringList args = exchangeArguments();
    args << QStringLiteral("--http-port") << QString::number(SandboxEndpoints::httpPort())
         << QStringLiteral("--daemon") << QStringLiteral("--keep") << QStringLiteral("--quiet");
    return runScript("run", args);
}

bool ReconnectSandboxTest::waitForLoadEnd()
{
    QTest::qWait(0);
    return QTest::qWaitFor([] { return !shellState().loading; }, kPatience);
}

bool ReconnectSandboxTest::gridHolds(const QString& title) const
{
    ListingGridView* grid = window->grid(ListingGrid::InfoGrd);
    for (int row = 0; row < grid->listingModel()->rowCount(); ++row) {
        if (grid->dataRow(row).field(1) == title)
            return true;
    }
    return false;
}

QString ReconnectSandboxTest::lblConn() const
{
    return window->findChild<QLabel*>(QStringLiteral("lblConn"))->text();
}

void ReconnectSandboxTest::restartedExchangeIsRejoinedWithTheGapsListings()
{
    QSignalSpy scheduled(reconnection(), &ReconnectScheduler::attemptScheduled);
    QVERIFY(stopExchange());
    QTRY_VERIFY_WITH_TIMEOUT(!client.connected(), kPatience);
    QCOMPARE(lblConn(), kReconnecting);
    // Wait for a longer wait (the third attempt's), so the publication below surely falls into
    // the gap.
    QTRY_VERIFY_WITH_TIMEOUT(!scheduled.isEmpty() && scheduled.last().at(1).toInt() >= 3000,
                             kPatience);
    const int attempt = scheduled.last().at(0).toInt();
    QVERIFY(attempt >= 2);
    const QDateTime restarted = QDateTime::currentDateTime();
    QVERIFY(startExchange());

    // Another user publishes a listing for Beijing while this session is still away.
    const QString title =
        QStringLiteral("重连期间发布的货源 %1").arg(QDateTime::currentMSecsSinceEpoch());
    SandboxXmppSession publisher;
    QVERIFY(publisher.signIn(QStringLiteral("zhangwei"), QStringLiteral("demo1234")));
    QVERIFY(publisher.sendRaw(
        QStringLiteral("<iq type='set' to='localhost' id='gap1'><query xmlns='haulway:iq:cargo'>"
                       "<title>%1</title><fromcity>上海</fromcity><tocity>北京</tocity>"
                       "<position>上海</position><sender>zhangwei</sender><category>1</category>"
                       "<isrc>1</isrc><contact></contact></query></iq>")
            .arg(title)));
    QVERIFY(publisher.waitForText(QStringLiteral("id='gap1'")));
    QVERIFY2(!client.connected(), "the session came back before the publication");

    // Back within the wait that was running, and the grid caught up.
    const int bound = reconnection()->policy().upperBound(attempt) + 10000;
    QTRY_VERIFY_WITH_TIMEOUT(client.connected(), bound);
    QVERIFY(restarted.msecsTo(QDateTime::currentDateTime()) <= bound);
    QTRY_COMPARE_WITH_TIMEOUT(lblConn(), QStringLiteral("联机"), kPatience);
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(gridHolds(title), kPatience);
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
    QCOMPARE(shellState().currentCity, QStringLiteral("北京"));
    publisher.signOut();
}

void ReconnectSandboxTest::silentExchangeIsNoticedAndRejoined()
{
    QVERIFY(client.connected());
    const qint64 pid = exchangePid();
    QVERIFY(pid > 0);
    QVERIFY(::kill(pid_t(pid), SIGSTOP) == 0);
    // Ping every 6 s, 5 s for the answer: noticed well within the minute.
    QElapsedTimer silence;
    silence.start();
    const bool noticed = QTest::qWaitFor([this] { return !client.connected(); }, 40000);
    const qint64 noticedAfter = silence.elapsed();
    const QString shown = lblConn();
    QTest::qWait(2000);
    QVERIFY(::kill(pid_t(pid), SIGCONT) == 0);
    QVERIFY2(noticed, "the silent exchange went unnoticed");
    QVERIFY(noticedAfter < 60000);
    QCOMPARE(shown, kReconnecting);
    QTRY_VERIFY_WITH_TIMEOUT(client.connected(), 90000);
    QTRY_COMPARE_WITH_TIMEOUT(lblConn(), QStringLiteral("联机"), kPatience);
    QVERIFY(!reconnection()->active());
}

void ReconnectSandboxTest::changedPasswordStopsTheRetries()
{
    QVERIFY(client.connected());
    QVERIFY(setPassword(QStringLiteral("lina"), QStringLiteral("changed99")));
    QVERIFY(stopExchange());
    QTRY_VERIFY_WITH_TIMEOUT(!client.connected(), kPatience);
    QVERIFY(startExchange());
    // The next attempt is refused: no more attempts, the failure shown.
    QTRY_COMPARE_WITH_TIMEOUT(lblConn(), QStringLiteral("连接服务器失败"), kPatience);
    QVERIFY(!reconnection()->active());
    QSignalSpy scheduled(reconnection(), &ReconnectScheduler::attemptScheduled);
    QTest::qWait(3000);
    QVERIFY(scheduled.isEmpty());
    QVERIFY(!client.connected());
    QVERIFY(setPassword(QStringLiteral("lina"), QStringLiteral("demo1234")));
}

QTEST_MAIN(ReconnectSandboxTest)
#include "tst_ReconnectSandbox.moc"
