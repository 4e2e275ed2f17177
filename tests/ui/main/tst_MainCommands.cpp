// The main window's commands without the window: their guards, the loads they start and the
// windows they open, against a recorded surface, starter and secondary windows.
#include "RecordingStarter.h"
#include "RecordingSurface.h"
#include "RecordingWindows.h"
#include "app/SessionState.h"
#include "service/ShellState.h"
#include "ui/main/MainCommands.h"

#include <QtTest>

#include <functional>

namespace {

struct Case
{
    const char* name;
    std::function<void()> run;
};

} // namespace

class MainCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void listingCommandsNeedTheConnectionAndNoRunningLoad();
    void windowCommandsNeedTheConnection();
    void onlyTheStatusMenuDropsDownWhileOffline();
    void signInDuringALoadSelectsTheHomeCityWithoutLoading();

private:
    void forget();

    RecordingSurface surface;
    RecordingStarter loads;
    RecordingWindows windows;
    MainCommands commands{&surface, &loads, &windows};
    bool online = true;
};

void MainCommandsTest::init()
{
    resetSession();
    shellState().reset();
    shellState().currentCity = QStringLiteral("大连");
    online = true;
    shellState().setConnectedProbe([this] { return online; });
    forget();
}

void MainCommandsTest::cleanup()
{
    shellState().setConnectedProbe({});
}

void MainCommandsTest::forget()
{
    surface.clear();
    loads = RecordingStarter();
    windows.calls.clear();
}

void MainCommandsTest::listingCommandsNeedTheConnectionAndNoRunningLoad()
{
    QTreeWidgetItem* route = surface.air.topLevelItem(0);
    QTreeWidgetItem* port = RecordingSurface::topLevel(surface.sea, QStringLiteral("上海港"));
    QTreeWidgetItem* station = surface.rail.topLevelItem(2);
    QTreeWidgetItem* city = surface.geo.topLevelItem(0)->child(1);
    QVERIFY(route && port && station && city);
    auto land = [this] { return loads.land.size(); };
    auto air = [this] { return loads.air.size(); };
    auto sea = [this] { return loads.sea.size(); };
    auto rail = [this] { return loads.rail.size(); };
    const struct
    {
        const char* name;
        std::function<void()> run;
        std::function<int()> loadsOfItsFamily;
    } cases[] = {
        {"land view", [&] { commands.showLandView(2); }, land},
        {"city node", [&] { commands.tvGeoPressed(city); }, land},
        {"air button", [&] { commands.btnAirClick(); }, air},
        {"air node", [&] { commands.tvAirClicked(route); }, air},
        {"sea button", [&] { commands.btnSeaClick(); }, sea},
        {"sea node", [&] { commands.tvSeaClicked(port); }, sea},
        {"rail button", [&] { commands.btnTrainClick(); }, rail},
        {"rail node", [&] { commands.tvTrainPressed(station); }, rail},
    };
    for (const auto& entry : cases) {
        // Offline, then online while another load runs: nothing loads, nothing switches.
        for (const bool loading : {false, true}) {
            online = loading;
            shellState().loading = loading;
            entry.run();
            QVERIFY2(loads.total() == 0, entry.name);
            QVERIFY2(surface.pages.isEmpty() && surface.addresses.isEmpty(), entry.name);
            QVERIFY2(surface.cityListingsShown == 0, entry.name);
        }
        online = true;
        shellState().loading = false;
        entry.run();
        QVERIFY2(loads.total() == 1 && entry.loadsOfItsFamily() == 1, entry.name);
        forget();
    }
}

void MainCommandsTest::windowCommandsNeedTheConnection()
{
    const struct
    {
        std::function<void()> run;
        const char* opened;
    } cases[] = {
        {[this] { commands.btnSearchClick(); }, "search:大连"},
        {[this] { commands.imgInfoClick(); }, "userinfo"},
        {[this] { commands.imgDXClick(); }, "mrvissue01"},
        {[this] { commands.imgXZClick(); }, "mrvissue"},
        {[this] { commands.showIssue(0); }, "issueair"},
        {[this] { commands.showIssue(1); }, "issuesea"},
        {[this] { commands.showIssue(2); }, "issuetrian"},
    };
    for (const auto& entry : cases) {
        online = false;
        entry.run();
        QVERIFY2(windows.calls.isEmpty(), entry.opened);
        online = true;
        entry.run();
        QCOMPARE(windows.calls, QStringList{QString::fromUtf8(entry.opened)});
        windows.calls.clear();
    }
    // The subscriptions window has no guard.
    online = false;
    commands.speedButton1Click();
    QCOMPARE(windows.calls, QStringList{"ordercity"});
}

void MainCommandsTest::onlyTheStatusMenuDropsDownWhileOffline()
{
    const ShellMenu menus[] = {ShellMenu::Local,     ShellMenu::Cargo, ShellMenu::Truck,
                               ShellMenu::MyAccount, ShellMenu::Log,   ShellMenu::Tools,
                               ShellMenu::Status,    ShellMenu::Issue};
    online = false;
    for (ShellMenu menu : menus)
        commands.dropDown(menu);
    QCOMPARE(surface.dropped, QVector<ShellMenu>{ShellMenu::Status});
    surface.clear();
    online = true;
    for (ShellMenu menu : menus)
        commands.dropDown(menu);
    QCOMPARE(surface.dropped.size(), 8);
}

void MainCommandsTest::signInDuringALoadSelectsTheHomeCityWithoutLoading()
{
    session().profile.userprove = QStringLiteral("辽宁");
    session().profile.usercity = QStringLiteral("沈阳");
    shellState().loading = true;
    shellState().landViewKind = 5;
    commands.signInFollowUp();
    QCOMPARE(shellState().currentCity, QStringLiteral("沈阳"));
    QCOMPARE(surface.selectedCity, QStringLiteral("沈阳"));
    QCOMPARE(shellState().landViewKind, 1);
    QCOMPARE(loads.total(), 0);
    const QUrl notice(session().siteAddress() +
                      QStringLiteral("/index.php/Sysnotice/notice/city/沈阳"));
    for (ShellWebView view : {ShellWebView::LandNotice, ShellWebView::AirNotice,
                              ShellWebView::SeaNotice, ShellWebView::RailNotice})
        QCOMPARE(surface.addresses.value(view), notice);

    // Once the load has ended the same sign-in loads the city's land listings.
    shellState().loading = false;
    commands.signInFollowUp();
    QCOMPARE(loads.land.size(), 1);
    QCOMPARE(loads.land[0].fromCity, QStringLiteral("沈阳"));
    QVERIFY(loads.land[0].local);
}

QTEST_MAIN(MainCommandsTest)
#include "tst_MainCommands.moc"
