#include "MainWindowFakes.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/DesCipher.h"
#include "core/Keys.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/MainImHost.h"
#include "ui/main/NavTreeView.h"
#include "ui/main/ShellLauncher.h"
#include "ui/main/TfrmCopyright.h"
#include "ui/main/TfrmMain.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTreeWidgetItem>
#include <QtTest>

namespace {

QTreeWidgetItem* child(QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}

LandRow landRow(const QString& id, const QString& title, const QString& sender)
{
    return LandRow::build(
        id, title, QStringLiteral("1"), QStringLiteral("2026-12-08 19:30:05"), sender,
        DesEncryptHex(QStringLiteral("张 138"), QString::fromLatin1(kConfigurationKey)),
        QStringLiteral("大连"));
}

// A click on the named button or picture, as the user gives it.
void click(QWidget* window, const char* name)
{
    QWidget* control = window->findChild<QWidget*>(QLatin1String(name));
    QVERIFY2(control, name);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
    else
        QTest::mouseClick(control, Qt::LeftButton);
}

void closeSecondaryWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<TfrmNewBrowser*>(w) || qobject_cast<TfrmCopyright*>(w))
            delete w;
    }
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void layoutHasTheNamedControls();
    void disconnectedGuardedCommandsDoNothing();
    void unguardedCommandsWorkWhileDisconnected();
    void loadingBlocksListingCommandsAndPageSwitches();
    void landViewsLoadForTheCurrentCity();
    void landViewWithoutCityOnlySwitches();
    void signInWithMunicipalityProvinceUsesTheProvince();
    void signInWithOtherProvinceSelectsTheCity();
    void geoTreeProvinceOnlyExpandsCityLoads();
    void familyButtonsLoadTheirDefaults();
    void airTreeNodesLoadByKind();
    void seaTrainAndTenderTrees();
    void liveRowsPushDownAndRaiseTheCounter();
    void liveRowsBeyondTheCapStillCount();
    void priceBroadcastRowsLandBelowHeaders();
    void doubleClickOpensDetailOrConversation();
    void panelTogglesSwitchPicturesAndHints();
    void advertisementRotatesOnTheTimer();
    void toolsMenu();
    void exitAsksUnlessAnUpdateWasInstalled();
    void cancelledReloginEndsEvenWithAnotherModalBoxOpen();
    void reloginWhileTheLoginWindowShowsDoesNothing();
    void trayAnimatesWhileConversationsWait();
    void refreshBoxDrivesAutoReceive();
    void connectionKeepsTheSubscribedCities();

private:
    QMenu* menu(const char* name) const { return window->findChild<QMenu*>(QLatin1String(name)); }

    std::unique_ptr<MainWindowFakes> fakes;
    TfrmMain* window = nullptr;
    MainCommands* commands = nullptr;
    MainGridAdapter* view = nullptr;
    RecordingStarter* starter = nullptr;
    RecordingWindows* windows = nullptr;
    MessageBoxes::Recorder* boxes = nullptr;
    bool online = true;
    QStringList launched;
};

void MainWindowTest::initTestCase()
{
    LazyWebView::setEnginesEnabled(false);
}

void MainWindowTest::init()
{
    resetSession();
    shellState().reset();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().customerServiceUrl = QStringLiteral("http://www.localhost:15280/csr.htm");
    session().findfriendurl = QStringLiteral("http://www.localhost:15280/index.php/User/search");
    online = true;
    launched.clear();
    ShellLauncher::setHandler([this](ShellLauncher::Target t, const QString& arg) {
        launched << (t == ShellLauncher::Target::Browser ? arg : QStringLiteral("calculator"));
        return true;
    });
    boxes = new MessageBoxes::Recorder;
    fakes = std::make_unique<MainWindowFakes>();
    starter = &fakes->loads;
    windows = &fakes->windows;
    window = new TfrmMain(fakes->services());
    commands = window->commands();
    view = window->listingView();
    shellState().setConnectedProbe([this] { return online; });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void MainWindowTest::cleanup()
{
    shellState().closeWithoutAsking = true;
    delete window;
    window = nullptr;
    fakes.reset();
    delete boxes;
    closeSecondaryWindows();
    ShellLauncher::setHandler(nullptr);
}

void MainWindowTest::layoutHasTheNamedControls()
{
    const QStringList names = {
        "pnlMenu",     "btnMyaccount",   "btnLog",       "btnTools",      "btnHelp",
        "btnCSR",      "pnlToolBar",     "imgLeft",      "btnLocal",      "btnCargo",
        "btnCar",      "btnSearch",      "btnGroup",     "btnTrain",      "btnSea",
        "btnAir",      "btnBidding",     "SpeedButton1", "Image1",        "imgXZ",
        "imgDX",       "imgAirIssue",    "chkRefresh",   "pnlAddviser",   "wbHeadLeft",
        "pnlLeft",     "Label3",         "nbNav",        "tvGeo",         "tvAir",
        "TvSea",       "tvTrain",        "tvBidding",    "pnlMain",       "nbInfo",
        "pgGrd",       "wbMrvAd",        "wbMrvGg",      "lblTypes",      "lblCount1",
        "InfoGrd",     "pnlSearchGrd",   "searchGrd",    "Image10",       "SpeedButton5",
        "pgAir",       "wbAirRecomment", "wbNotice",     "airInfoGrd",    "wbSeaRecomment",
        "wbSeaNotice", "seaInfoGrd",     "wbTrainInfo",  "wbTrianNotice", "TrianInfoGrd",
        "pgWeb",       "wbMsg",          "pnlBot",       "URLAd",         "lblUserInfo",
        "lblConn",     "lblEndate",      "nbmain",       "pnlTop",        "TimerAd"};
    for (const QString& name : names)
        QVERIFY2(window->findChild<QObject*>(name), qPrintable(name));
    QCOMPARE(window->windowTitle(), QStringLiteral("Tovanta"));
    QCOMPARE(window->findChild<QPushButton*>("btnMyaccount")->text(), QStringLiteral("我的资料"));
    QCOMPARE(window->findChild<QLabel*>("lblConn")->text(), QStringLiteral("未连接"));
    QCOMPARE(window->findChild<QLabel*>("lblEndate")->text(), QStringLiteral("有效期:"));
    QCOMPARE(window->findChild<QLabel*>("Label3")->text(), QStringLiteral("选择地区信息"));
    QCOMPARE(window->findChild<QWidget*>("imgAirIssue")->toolTip(),
             QStringLiteral("空运.铁路.海运信息发布"));
    QCOMPARE(window->minimumSize(), QSize(897, 628));
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0xCE, 0xDC, 0xEF));
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QCOMPARE(window->shownPage(PageSet::Main), QStringLiteral("infopage"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgLand"));
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
    QVERIFY(!window->adTimer()->isActive());
    QCOMPARE(window->adTimer()->interval(), 10000);
    QVERIFY(!window->findChild<QAction*>("N20")->isEnabled());
    QVERIFY(!window->findChild<QAction*>("N66")->isEnabled());
    QVERIFY(
        window->webView(ShellWebView::HeadBanner)->address().toString().endsWith("/ad/headAd.htm"));
    // The province list without the placeholder, the municipalities with their single child.
    NavTreeView* geo = window->navTree(NavTree::Geo);
    QCOMPARE(geo->topLevelItemCount(), 31);
    QCOMPARE(geo->topLevelItem(0)->text(0), QStringLiteral("北京"));
    QCOMPARE(geo->topLevelItem(0)->childCount(), 1);
    QVERIFY(window->navTree(NavTree::Air)->topLevelNamed(QStringLiteral("国内空港"))->childCount() >
            100);
}

void MainWindowTest::disconnectedGuardedCommandsDoNothing()
{
    online = false;
    shellState().currentCity = QStringLiteral("大连");
    for (int kind : {1, 2, 3, 5, 6, 8, 9})
        commands->showLandView(kind);
    window->findChild<QAction*>("N35")->trigger();
    click(window, "btnAir");
    click(window, "btnSea");
    click(window, "btnTrain");
    click(window, "btnSearch");
    click(window, "imgInfo");
    click(window, "imgDX");
    click(window, "imgXZ");
    window->findChild<QAction*>("N4")->trigger();
    click(window, "lblUserInfo");
    commands->tvGeoPressed(child(window->navTree(NavTree::Geo)->topLevelNamed("辽宁"), "沈阳"));
    commands->tvTrainPressed(window->navTree(NavTree::Rail)->topLevelItem(3));
    for (const char* button :
         {"btnLocal", "btnCargo", "btnCar", "btnMyaccount", "btnLog", "btnTools", "imgAirIssue"})
        click(window, button);
    for (const char* name :
         {"pmLocal", "pMnuCargo", "pMnuTruck", "pmMyAccount", "pmLog", "pmtools", "pmnuIssue"})
        QVERIFY2(!menu(name)->isVisible(), name);

    QCOMPARE(starter->total(), 0);
    QVERIFY(windows->calls.isEmpty());
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgLand"));
    QVERIFY(!TfrmNewBrowser::tracked());
    QCOMPARE(shellState().landViewKind, 1);
}

void MainWindowTest::unguardedCommandsWorkWhileDisconnected()
{
    online = false;
    click(window, "btnGroup");
    QTRY_VERIFY(menu("pmStatus")->isVisible());
    menu("pmStatus")->hide();

    click(window, "SpeedButton1");
    QCOMPARE(windows->calls, QStringList{"ordercity"});

    click(window, "btnHelp");
    QVERIFY(TfrmCopyright::current());
    QCOMPARE(TfrmCopyright::current()->windowTitle(), QStringLiteral(" 关于Tovanta"));

    click(window, "btnBidding");
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgWeb"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgBidding"));
    QCOMPARE(window->webView(ShellWebView::Message)->address().toString(),
             QStringLiteral("http://admin.localhost/agent.php/Bidding/listbid"));

    click(window, "btnCSR");
    TfrmNewBrowser* csr = TfrmNewBrowser::tracked();
    QVERIFY(csr);
    QCOMPARE(csr->windowTitle(), QStringLiteral(" 在线客服"));
    QCOMPARE(csr->size(), QSize(710, 470));
    // A second use reuses the tracked window.
    click(window, "btnCSR");
    QCOMPARE(TfrmNewBrowser::tracked(), csr);
}

void MainWindowTest::loadingBlocksListingCommandsAndPageSwitches()
{
    shellState().currentCity = QStringLiteral("大连");
    click(window, "btnBidding"); // show something else first
    shellState().loading = true;
    commands->showLandView(2);
    click(window, "btnAir");
    click(window, "btnSea");
    click(window, "btnTrain");
    commands->tvAirClicked(window->navTree(NavTree::Air)->topLevelItem(1));
    commands->tvSeaClicked(window->navTree(NavTree::Sea)->topLevelItem(1));
    commands->tvGeoPressed(child(window->navTree(NavTree::Geo)->topLevelNamed("辽宁"), "沈阳"));
    QCOMPARE(starter->total(), 0);
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgWeb"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgBidding"));
    QCOMPARE(shellState().landViewKind, 1);
    QCOMPARE(shellState().currentCity, QStringLiteral("大连"));
}

void MainWindowTest::landViewsLoadForTheCurrentCity()
{
    shellState().currentCity = QStringLiteral("大连");
    const struct
    {
        const char* item;
        int kind;
    } items[] = {{"MenuItem4", 1}, {"MenuItem10", 2}, {"MenuItem11", 3}, {"N11", 5},
                 {"N64", 6},       {"N12", 8},        {"N65", 9}};
    for (const auto& item : items) {
        click(window, "btnBidding");
        shellState().listingCounter = 42;
        window->findChild<QAction*>(item.item)->trigger();
        QCOMPARE(shellState().landViewKind, item.kind);
        QCOMPARE(shellState().listingCounter, 0);
        QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
        QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgLand"));
    }
    QCOMPARE(starter->land.size(), 7);
    QCOMPARE(starter->land[0].fromCity, QStringLiteral("大连"));
    QVERIFY(starter->land[0].local);
    QCOMPARE(starter->land[1].category, QStringLiteral("1"));
    QCOMPARE(starter->land[2].category, QStringLiteral("2"));
    QVERIFY(!starter->land[3].local);
    QCOMPARE(starter->land[3].fromCity, QStringLiteral("大连"));
    QCOMPARE(starter->land[5].fromCity, QString());
    QCOMPARE(starter->land[5].toCity, QStringLiteral("大连"));
    QCOMPARE(starter->land[6].category, QStringLiteral("2"));
    // The "all departing" item loads view 4.
    window->findChild<QAction*>("N34")->trigger();
    QCOMPARE(shellState().landViewKind, 4);
    QCOMPARE(starter->land.last().category, QString());
    QCOMPARE(starter->land.last().fromCity, QStringLiteral("大连"));
}

void MainWindowTest::landViewWithoutCityOnlySwitches()
{
    click(window, "btnBidding");
    shellState().currentCity = QStringLiteral("  ");
    window->findChild<QAction*>("N40")->trigger();
    QCOMPARE(shellState().landViewKind, 9);
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
    QCOMPARE(starter->total(), 0);
}

void MainWindowTest::signInWithMunicipalityProvinceUsesTheProvince()
{
    session().profile.userprove = QStringLiteral("北京");
    session().profile.usercity = QStringLiteral("朝阳区");
    session().profile.company = QStringLiteral("顺达物流");
    commands->signInFollowUp();
    QCOMPARE(shellState().currentCity, QStringLiteral("北京"));
    QTreeWidgetItem* selected = window->navTree(NavTree::Geo)->currentItem();
    QVERIFY(selected);
    QCOMPARE(selected->text(0), QStringLiteral("北京"));
    QCOMPARE(selected->childCount(), 0);
    QCOMPARE(starter->land.size(), 1);
    QCOMPARE(starter->land[0].fromCity, QStringLiteral("北京"));
    QVERIFY(starter->land[0].local);
    QCOMPARE(shellState().landViewKind, 1);
    const QString site = session().siteAddress();
    QCOMPARE(window->webView(ShellWebView::LandAd)->address(),
             QUrl(site + QStringLiteral("/index.php/Recommend/index/city/朝阳区")));
    for (const char* name : {"wbMrvGg", "wbNotice", "wbSeaNotice", "wbTrianNotice"})
        QCOMPARE(window->findChild<LazyWebView*>(QLatin1String(name))->address(),
                 QUrl(site + QStringLiteral("/index.php/Sysnotice/notice/city/朝阳区")));
}

void MainWindowTest::signInWithOtherProvinceSelectsTheCity()
{
    session().profile.userprove = QStringLiteral("辽宁");
    session().profile.usercity = QStringLiteral("大连");
    commands->signInFollowUp();
    QCOMPARE(shellState().currentCity, QStringLiteral("大连"));
    QCOMPARE(window->navTree(NavTree::Geo)->currentItem()->text(0), QStringLiteral("大连"));
    QCOMPARE(window->navTree(NavTree::Geo)->currentItem()->parent()->text(0),
             QStringLiteral("辽宁"));

    // No province: the city is not touched and nothing loads.
    starter->land.clear();
    shellState().currentCity = QStringLiteral("沈阳");
    session().profile.userprove = QStringLiteral("  ");
    commands->signInFollowUp();
    QCOMPARE(shellState().currentCity, QStringLiteral("沈阳"));
    QVERIFY(starter->land.isEmpty());
}

void MainWindowTest::geoTreeProvinceOnlyExpandsCityLoads()
{
    NavTreeView* geo = window->navTree(NavTree::Geo);
    QTreeWidgetItem* liaoning = geo->topLevelNamed("辽宁");
    QTreeWidgetItem* jilin = geo->topLevelNamed("吉林");
    commands->tvGeoPressed(jilin);
    QVERIFY(jilin->isExpanded());
    commands->tvGeoPressed(liaoning);
    QVERIFY(liaoning->isExpanded());
    QVERIFY(!jilin->isExpanded()); // one open branch at a time
    QCOMPARE(starter->total(), 0);

    window->findChild<QWidget*>("pnlSearchGrd")->show();
    click(window, "Image10"); // search results fill the middle, InfoGrd hidden
    QVERIFY(window->grid(ListingGrid::InfoGrd)->isHidden());
    shellState().listingCounter = 9;
    commands->tvGeoPressed(child(liaoning, "大连"));
    QCOMPARE(shellState().currentCity, QStringLiteral("大连"));
    QCOMPARE(shellState().listingCounter, 0);
    QCOMPARE(shellState().landViewKind, 1);
    QVERIFY(!window->grid(ListingGrid::InfoGrd)->isHidden());
    QCOMPARE(window->findChild<QWidget*>("pnlSearchGrd")->height(), 301);
    QVERIFY(window->findChild<QWidget*>("pnlTop")->isHidden());
    QCOMPARE(starter->land.size(), 1);
    QCOMPARE(starter->land[0].fromCity, QStringLiteral("大连"));
    QVERIFY(window->webView(ShellWebView::LandAd)
                ->address()
                .toString()
                .endsWith("/Recommend/index/city/大连"));
}

void MainWindowTest::familyButtonsLoadTheirDefaults()
{
    click(window, "btnAir");
    QCOMPARE(starter->air.size(), 1);
    QCOMPARE(starter->air[0].route, QStringLiteral("国内空运"));
    QCOMPARE(starter->air[0].heading, QStringLiteral("[航线服务]"));
    QCOMPARE(shellState().airSelectionKind, 1);
    QCOMPARE(shellState().airSelectionText, QStringLiteral("国内空运"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgAirprice"));
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgAir"));
    QVERIFY(
        window->webView(ShellWebView::AirRecommend)->address().toString().endsWith("/ad/021.htm"));

    click(window, "btnSea");
    QCOMPARE(starter->sea.size(), 1);
    QCOMPARE(starter->sea[0].portCode, QStringLiteral("DALIAN"));
    QCOMPARE(starter->sea[0].countLabel, QStringLiteral("大连港"));
    QCOMPARE(starter->sea[0].heading, QStringLiteral("[海运航线]"));
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgSea"));
    QCOMPARE(window->shownPage(PageSet::Nav), QStringLiteral("pgSea"));

    click(window, "btnTrain");
    QCOMPARE(starter->rail.size(), 1);
    QCOMPARE(starter->rail[0].departureCity, QStringLiteral("哈尔滨"));
    QCOMPARE(starter->rail[0].heading, QStringLiteral("[铁路车次]"));
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgTrian"));
}

void MainWindowTest::airTreeNodesLoadByKind()
{
    NavTreeView* air = window->navTree(NavTree::Air);
    QTreeWidgetItem* airlines = air->topLevelNamed("航空公司");
    commands->tvAirClicked(airlines);
    QVERIFY(airlines->isExpanded());
    QCOMPARE(starter->air.size(), 0);

    commands->tvAirClicked(airlines->child(0));
    QCOMPARE(starter->air.last().airline, QStringLiteral("CA 中国国际航空股份有限公司"));
    QCOMPARE(starter->air.last().route, QString());
    QCOMPARE(starter->air.last().heading, QStringLiteral("[航空公司]"));
    QCOMPARE(shellState().airSelectionKind, 3);

    QTreeWidgetItem* airports = air->topLevelNamed("国内空港");
    QTreeWidgetItem* airport = airports->child(0);
    commands->tvAirClicked(airport);
    QCOMPARE(starter->air.last().airportName, airport->text(0));
    QVERIFY(!starter->air.last().airportCode.isEmpty());
    QCOMPARE(starter->air.last().airportCode.size(), 3);
    QCOMPARE(starter->air.last().heading, QStringLiteral("[国内空港]"));
    QCOMPARE(shellState().airSelectionKind, 4);

    QTreeWidgetItem* booking = air->topLevelNamed("订舱询价");
    commands->tvAirClicked(booking->child(0));
    QCOMPARE(starter->air.size(), 2);
    QCOMPARE(shellState().airSelectionKind, 2);
    QCOMPARE(shellState().airSelectionText, QString());
    QVERIFY(TfrmNewBrowser::tracked());
    QCOMPARE(TfrmNewBrowser::tracked()->windowTitle(), QStringLiteral(" 在线客服"));
}

void MainWindowTest::seaTrainAndTenderTrees()
{
    NavTreeView* sea = window->navTree(NavTree::Sea);
    commands->tvSeaClicked(sea->topLevelNamed("上海港"));
    QCOMPARE(starter->sea.last().portCode, QStringLiteral("SHANGHAI"));
    QCOMPARE(starter->sea.last().countLabel, QStringLiteral("上海港"));
    QTreeWidgetItem* booking = sea->topLevelNamed("订舱询价");
    commands->tvSeaClicked(booking);
    QVERIFY(booking->isExpanded());
    QCOMPARE(starter->sea.size(), 1);
    commands->tvSeaClicked(booking->child(0));
    QCOMPARE(starter->sea.size(), 1);
    QVERIFY(TfrmNewBrowser::tracked());

    commands->tvTrainPressed(window->navTree(NavTree::Rail)->topLevelItem(2));
    QCOMPARE(starter->rail.last().departureCity, QStringLiteral("北京"));
    QCOMPARE(starter->rail.last().countLabel, QStringLiteral("北京"));

    online = false; // tenders have no guard
    NavTreeView* bidding = window->navTree(NavTree::Tender);
    commands->tvBiddingClicked(bidding->topLevelItem(1));
    QCOMPARE(window->webView(ShellWebView::Message)->address().toString(),
             QStringLiteral("http://admin.localhost/agent.php/Bidding/listbid/cat/2"));
    QTreeWidgetItem* services = bidding->topLevelNamed("招标服务");
    delete TfrmNewBrowser::tracked();
    commands->tvBiddingClicked(services->child(0));
    QVERIFY(TfrmNewBrowser::tracked());
}

void MainWindowTest::liveRowsPushDownAndRaiseTheCounter()
{
    shellState().currentCity = QStringLiteral("大连");
    shellState().listingCounter = 10;
    view->insertLandRow(ListingGrid::InfoGrd, landRow("1", "钢材 20吨", "wang"));
    view->insertLandRow(ListingGrid::InfoGrd, landRow("2", "空车 9.6米", "-1"));
    view->insertLandRow(ListingGrid::InfoGrd, landRow("3", "   ", "wang")); // no title: nothing
    ListingGridView* info = window->grid(ListingGrid::InfoGrd);
    QCOMPARE(info->gridRowCount(), 2);
    QCOMPARE(info->dataRow(0).field(2), QStringLiteral("2"));
    QCOMPARE(info->dataRow(1).field(2), QStringLiteral("1"));
    QCOMPARE(info->dataRow(0).senderImage, 3);
    QCOMPARE(info->model()->index(0, 4).data(Qt::ToolTipRole).toString(),
             QStringLiteral("座席发布"));
    QCOMPARE(shellState().listingCounter, 12);
    QCOMPARE(window->findChild<QLabel*>("lblCount1")->text(), QStringLiteral("大连：12"));
    // The search grid counts too but leaves the land label alone.
    view->insertLandRow(ListingGrid::searchGrd, landRow("4", "玻璃", "zhao"));
    QCOMPARE(window->grid(ListingGrid::searchGrd)->gridRowCount(), 1);
    QCOMPARE(shellState().listingCounter, 13);
    QCOMPARE(window->findChild<QLabel*>("lblCount1")->text(), QStringLiteral("大连：12"));

    view->setNationalCountText(QStringLiteral("全国:8"));
    QCOMPARE(window->findChild<QLabel*>("Label3")->text(), QStringLiteral("全国:8"));
    // Texts from the server are shown as they are, never as markup.
    for (const char* name :
         {"Label3", "lblCount1", "lblTypes", "lblCount1S", "lblAirInfo", "lblUserInfo"})
        QCOMPARE(window->findChild<QLabel*>(QLatin1String(name))->textFormat(), Qt::PlainText);
    QVERIFY(view->isInfoPageShown(ShellPage::InfoLand));
    QVERIFY(!view->isInfoPageShown(ShellPage::InfoAir));
}

void MainWindowTest::liveRowsBeyondTheCapStillCount()
{
    shellState().currentCity = QStringLiteral("大连");
    shellState().listingCounter = 5;
    const int cap = ListingTableModel::MaxRows;
    for (int i = 0; i <= cap; ++i)
        view->insertLandRow(ListingGrid::InfoGrd, landRow(QString::number(i), "钢材", "wang"));
    // The grid keeps the newest rows; the oldest fell off the bottom.
    ListingGridView* info = window->grid(ListingGrid::InfoGrd);
    QCOMPARE(view->rowCount(ListingGrid::InfoGrd), cap);
    QCOMPARE(info->dataRow(0).field(2), QString::number(cap));
    QCOMPARE(info->dataRow(cap - 1).field(2), QStringLiteral("1"));
    // The counter and its label count every row that arrived.
    QCOMPARE(shellState().listingCounter, 5 + cap + 1);
    QCOMPARE(window->findChild<QLabel*>("lblCount1")->text(),
             QStringLiteral("大连：%1").arg(5 + cap + 1));
}

void MainWindowTest::priceBroadcastRowsLandBelowHeaders()
{
    view->setRowCount(ListingGrid::seaInfoGrd, 3);
    QCOMPARE(view->rowCount(ListingGrid::seaInfoGrd), 3);
    SeaRow loaded;
    loaded.carrier = QStringLiteral("中远");
    loaded.sender = QStringLiteral("a");
    view->putSeaRow(1, loaded);
    SeaRow live;
    live.carrier = QStringLiteral("马士基");
    live.sender = QStringLiteral("-1");
    live.senderIcon = senderIconFor(live.sender);
    view->insertSeaRow(live);
    ListingGridView* sea = window->grid(ListingGrid::seaInfoGrd);
    QCOMPARE(view->rowCount(ListingGrid::seaInfoGrd), 4);
    QCOMPARE(sea->dataRow(0).field(0), QStringLiteral("马士基"));
    QCOMPARE(sea->dataRow(0).senderImage, 3);
    QCOMPARE(sea->dataRow(1).field(0), QStringLiteral("中远"));

    view->clearToEmptyRow(ListingGrid::seaInfoGrd);
    QCOMPARE(view->rowCount(ListingGrid::seaInfoGrd), 2); // header and one empty row
}

void MainWindowTest::doubleClickOpensDetailOrConversation()
{
    view->insertLandRow(ListingGrid::InfoGrd, landRow("55", "钢材", "wang"));
    view->insertLandRow(ListingGrid::InfoGrd, landRow("-1", "说明行", "wang"));
    ListingGridView* info = window->grid(ListingGrid::InfoGrd);
    Q_EMIT info->fieldDoubleClicked(0, 1); // id -1: nothing
    QVERIFY(windows->details.isEmpty());
    Q_EMIT info->fieldDoubleClicked(1, 1);
    QCOMPARE(windows->details.size(), 1);
    QCOMPARE(windows->details[0].caption, QStringLiteral("55"));
    QCOMPARE(windows->details[0].contact, QStringLiteral("张 138"));
    Q_EMIT info->fieldDoubleClicked(1, 4);
    QCOMPARE(windows->calls, QStringList{"chat:wang@localhost"});
    view->insertLandRow(ListingGrid::InfoGrd, landRow("56", "座席发布的货源", "-1"));
    Q_EMIT info->fieldDoubleClicked(0, 4);
    QCOMPARE(windows->calls.size(), 1);
    QVERIFY(TfrmNewBrowser::tracked());
    QCOMPARE(TfrmNewBrowser::tracked()->windowTitle(), QStringLiteral(" 在线客服"));
}

void MainWindowTest::panelTogglesSwitchPicturesAndHints()
{
    QWidget* left = window->findChild<QWidget*>("pnlLeft");
    QWidget* imgLeft = window->findChild<QWidget*>("imgLeft");
    click(window, "imgLeft");
    QVERIFY(left->isHidden());
    QCOMPARE(imgLeft->toolTip(), QStringLiteral("展开侧边"));
    QVERIFY(window->grid(ListingGrid::InfoGrd)->isColumnHidden(2));
    click(window, "imgLeft");
    QVERIFY(!left->isHidden());
    QCOMPARE(imgLeft->toolTip(), QStringLiteral("收起侧边"));

    QWidget* panel = window->findChild<QWidget*>("pnlSearchGrd");
    QWidget* image10 = window->findChild<QWidget*>("Image10");
    panel->show();
    click(window, "Image10");
    QCOMPARE(image10->toolTip(), QStringLiteral("还原"));
    QTRY_VERIFY(panel->height() > 301);
    click(window, "Image10");
    QCOMPARE(image10->toolTip(), QStringLiteral("最大化"));
    QCOMPARE(panel->height(), 301);
    click(window, "Image10");
    click(window, "SpeedButton5");
    QVERIFY(panel->isHidden());
    QVERIFY(!window->grid(ListingGrid::InfoGrd)->isHidden());
    QVERIFY(!view->isSearchPanelVisible());
}

void MainWindowTest::advertisementRotatesOnTheTimer()
{
    view->setAdvertisementList(QStringLiteral(
        "[{\"content\":\"招商热线\",\"linkaddress\":\"http://www.localhost:15280/ad/1.htm\"},"
        "{\"content\":\"<b>新线路</b>\",\"linkaddress\":\"http://www.localhost:15280/ad/"
        "2.htm\"}]"));
    view->startAdvertisementTimer();
    QVERIFY(window->adTimer()->isActive());
    QLabel* ad = window->findChild<QLabel*>("URLAd");
    view->adTick();
    QVERIFY(!ad->isHidden());
    QVERIFY(ad->text().contains(QStringLiteral("招商热线")));
    view->adTick();
    QVERIFY(ad->text().contains(QStringLiteral("&lt;b&gt;新线路")));
    QCOMPARE(view->adIndex(), 2);
    view->setAdvertisementList(QStringLiteral("[{\"content\":\"唯一\",\"linkaddress\":\"\"}]"));
    view->adTick();
    QVERIFY(ad->text().contains(QStringLiteral("唯一")));
    view->setAdvertisementList(QStringLiteral("oops"));
    view->adTick();
    QVERIFY(ad->isHidden());
}

void MainWindowTest::toolsMenu()
{
    window->findChild<QAction*>("N51")->trigger();
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(boxes->last().text, QStringLiteral("请选择您当前所在位置"));
    QCOMPARE(boxes->last().caption, QStringLiteral("信息"));
    QVERIFY(!TfrmNewBrowser::tracked());

    shellState().currentCity = QStringLiteral("大连");
    window->findChild<QAction*>("N51")->trigger();
    TfrmNewBrowser* map = TfrmNewBrowser::tracked();
    QVERIFY(map);
    QCOMPARE(map->windowTitle(), QStringLiteral("  当地地图"));
    QCOMPARE(map->size(), QSize(790, 586));

    window->findChild<QAction*>("N53")->trigger();
    QCOMPARE(TfrmNewBrowser::tracked()->windowTitle(), QStringLiteral(" 万年历"));

    window->findChild<QAction*>("N52")->trigger();
    window->findChild<QAction*>("N57")->trigger();
    QCOMPARE(launched, (QStringList{"calculator", session().siteAddress() + "/tools/fg.htm"}));
}

void MainWindowTest::exitAsksUnlessAnUpdateWasInstalled()
{
    shellState().closeWithoutAsking = false;
    boxes->setDefaultAnswer(MessageBoxes::Answer::No);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(boxes->last().text, QStringLiteral("确定要退出Tovanta系统吗 ?"));
    QCOMPARE(boxes->last().buttons, MessageBoxes::Buttons::YesNo);

    window->updateInstalled();
    QCOMPARE(boxes->last().text, QStringLiteral("您的系统已升级到最新版,点击确定重新启动程序"));
    const int asked = boxes->count();
    QVERIFY(window->close());
    QCOMPARE(boxes->count(), asked);
}

void MainWindowTest::cancelledReloginEndsEvenWithAnotherModalBoxOpen()
{
    // A modal box of another kind (a question, a friend request) is on screen meanwhile.
    QDialog other;
    other.setModal(true);
    other.show();
    QCOMPARE(QApplication::activeModalWidget(), &other);
    QVERIFY(!window->imHost()->runLoginAgain());
    QCOMPARE(fakes->login.shown, 1);
    QVERIFY(shellState().closeWithoutAsking);
    QVERIFY(!window->isVisible());
}

void MainWindowTest::reloginWhileTheLoginWindowShowsDoesNothing()
{
    session().loginWindowAvailable = false;
    QVERIFY(!window->imHost()->runLoginAgain());
    QCOMPARE(fakes->login.shown, 0);
    QVERIFY(!shellState().closeWithoutAsking);
    QVERIFY(window->isVisible());
    session().loginWindowAvailable = true;
}

void MainWindowTest::trayAnimatesWhileConversationsWait()
{
    QVERIFY(!window->trayAnimating());
    window->setConversationsPending(true);
    QVERIFY(window->trayAnimating());
    window->setConversationsPending(false);
    QVERIFY(!window->trayAnimating());

    windows->pendingConversation = true;
    Q_EMIT window->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(windows->pendingOpened, 1);
    windows->pendingConversation = false;
    window->showMinimized();
    Q_EMIT window->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(windows->pendingOpened, 1);
    QTRY_VERIFY(!window->isMinimized());
}

void MainWindowTest::refreshBoxDrivesAutoReceive()
{
    auto* box = window->findChild<QCheckBox*>("chkRefresh");
    QVERIFY(box->isChecked());
    QVERIFY(shellState().autoReceive);
    box->setChecked(false);
    QVERIFY(!shellState().autoReceive);
}

void MainWindowTest::connectionKeepsTheSubscribedCities()
{
    const QStringList stored = {QStringLiteral("北京"), QStringLiteral("大连"),
                                QStringLiteral("北京")};
    session().orderCities = stored;
    window->imHost()->writeMainSettings();

    SettingsFile::LoginFields fields;
    SessionState reloaded;
    SettingsFile::load(fields, reloaded, SettingsFile::defaultPath());
    QCOMPARE(reloaded.orderCities, QStringList({QStringLiteral("北京"), QStringLiteral("大连")}));
    QFile::remove(SettingsFile::defaultPath());
}

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
