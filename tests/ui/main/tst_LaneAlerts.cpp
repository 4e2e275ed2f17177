#include "MainWindowFakes.h"
#include "app/SessionState.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LaneAlerts.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/TfrmMain.h"

#include <QSystemTrayIcon>
#include <QtTest>

#include <memory>

// Desktop notices of live listings to the subscribed cities, as the main window raises them
// from the protocol trail: which listings, how often, quiet while those listings are on
// screen, and what a click on a notice shows.
class LaneAlertsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LazyWebView::setEnginesEnabled(false); }
    void init();
    void cleanup();
    void watchedDestinationsAlertWhateverThePage();
    void oneNoticePerTenSecondsTheRestSummedUp();
    void clickShowsTheSubscribedListings();
    void quietWhileTheSubscribedListingsAreOnScreen();

private:
    void broadcast(const QString& to, const QString& title);

    std::unique_ptr<MainWindowFakes> fakes;
    std::unique_ptr<MessageBoxes::Recorder> boxes;
    TfrmMain* window = nullptr;
    qint64 clock = 5000000;
    int ids = 0;
    QStringList notices; // "caption|text"
};

void LaneAlertsTest::init()
{
    resetSession();
    shellState().reset();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().HostName = QStringLiteral("localhost");
    session().orderCities = QStringList{"北京", "大连"};
    boxes = std::make_unique<MessageBoxes::Recorder>();
    fakes = std::make_unique<MainWindowFakes>();
    window = new TfrmMain(fakes->services());
    shellState().setConnectedProbe([] { return true; });
    notices.clear();
    LaneAlerts* alerts = window->laneAlerts();
    alerts->setClock([this] { return clock; });
    alerts->setPresenter([this](const QString& caption, const QString& text) {
        notices << caption + QLatin1Char('|') + text;
    });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void LaneAlertsTest::cleanup()
{
    shellState().closeWithoutAsking = true;
    delete window;
    window = nullptr;
    fakes.reset();
    boxes.reset();
}

void LaneAlertsTest::broadcast(const QString& to, const QString& title)
{
    const QString unit =
        QStringLiteral("<message from='localhost' to='lina@localhost/haulway'><broadcastcargo>"
                       "<tag>robot</tag><fcity>上海</fcity><tcity>%1</tcity><id>%2</id>"
                       "<title>%3</title><tpy>1</tpy><sender>zhangwei</sender><contact>AB</contact>"
                       "<isuat>2026-12-08 10:00:00</isuat><postion>上海</postion>"
                       "</broadcastcargo></message>")
            .arg(to, QString::number(++ids), title);
    Q_EMIT fakes->client.OnPITrail(IMClient::TrailIn, unit);
}

void LaneAlertsTest::watchedDestinationsAlertWhateverThePage()
{
    window->commands()->btnSeaClick(); // the sea lines are on screen
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgSea"));
    broadcast(QStringLiteral("广州"), QStringLiteral("不是订阅的城市"));
    QVERIFY(notices.isEmpty());
    broadcast(QStringLiteral("北京市"), QStringLiteral("钢材20吨 &lt;急&gt;"));
    QCOMPARE(notices, QStringList{"上海 → 北京市|钢材20吨 ＜急＞"});

    // A listing the exchange did not publish itself raises nothing.
    clock += 20000;
    Q_EMIT fakes->client.OnPITrail(
        IMClient::TrailIn,
        QStringLiteral("<message from='localhost' to='lina@localhost/haulway'><broadcastcargo>"
                       "<tag>user</tag><fcity>上海</fcity><tcity>大连</tcity><title>假的</title>"
                       "<tpy>1</tpy></broadcastcargo></message>"));
    QCOMPARE(notices.size(), 1);
}

void LaneAlertsTest::oneNoticePerTenSecondsTheRestSummedUp()
{
    broadcast(QStringLiteral("北京"), QStringLiteral("第一条"));
    clock += 3000;
    broadcast(QStringLiteral("大连"), QStringLiteral("第二条"));
    broadcast(QStringLiteral("广州"), QStringLiteral("不算"));
    broadcast(QStringLiteral("北京"), QStringLiteral("第三条"));
    QCOMPARE(notices, QStringList{"上海 → 北京|第一条"});

    clock += 6999; // 9.999 s after the first notice
    window->laneAlerts()->flushHeld();
    QCOMPARE(notices.size(), 1);
    clock += 1;
    window->laneAlerts()->flushHeld();
    QCOMPARE(notices.size(), 2);
    QCOMPARE(notices.last(), QStringLiteral("上海 → 北京|第三条\n另有 1 条"));
}

void LaneAlertsTest::clickShowsTheSubscribedListings()
{
    window->commands()->btnAirClick();
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgAir"));
    broadcast(QStringLiteral("大连"), QStringLiteral("化肥"));
    QCOMPARE(notices.size(), 1);
    window->showMinimized();

    Q_EMIT window->trayIcon()->messageClicked();
    QCOMPARE(fakes->loads.subscription.size(), 1);
    QCOMPARE(fakes->loads.subscription.at(0).cityList, QStringLiteral("'北京','大连'"));
    QCOMPARE(fakes->loads.subscription.at(0).page, 1);
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
    QCOMPARE(window->shownPage(PageSet::Main), QStringLiteral("infopage"));
    QTRY_VERIFY(!window->isMinimized());

    // Nothing subscribed any more: a click loads nothing.
    session().orderCities.clear();
    Q_EMIT window->trayIcon()->messageClicked();
    QCOMPARE(fakes->loads.subscription.size(), 1);
}

void LaneAlertsTest::quietWhileTheSubscribedListingsAreOnScreen()
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        QSKIP("the display activates no window");
    Q_EMIT window->trayIcon()->messageClicked();
    // The subscription load heads the grid as it starts.
    window->listingView()->setLabel(ShellLabel::LandHeading, QStringLiteral("[定制信息]"));
    broadcast(QStringLiteral("北京"), QStringLiteral("正在看"));
    QVERIFY(notices.isEmpty());

    // Another land view on screen: the alerts come back.
    window->listingView()->setLabel(ShellLabel::LandHeading, QStringLiteral("[本地信息]"));
    broadcast(QStringLiteral("北京"), QStringLiteral("没在看"));
    QCOMPARE(notices, QStringList{"上海 → 北京|没在看"});
}

QTEST_MAIN(LaneAlertsTest)
#include "tst_LaneAlerts.moc"
