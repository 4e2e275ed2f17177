#include "MainWindowFakes.h"
#include "app/SessionState.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/MainImHost.h"
#include "ui/main/TfrmMain.h"

#include <QDir>
#include <QSet>
#include <QtTest>

// Pictures of the main window with loaded rows on each listing page, kept under the build
// folder's artifacts/ for people to look at.
class ScreenshotsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void landPage();
    void airPage();
    void seaPage();
    void railPage();

private:
    void fillLand();
    void fillAir();
    void fillSea();
    void fillRail();
    void shoot(const QString& name);

    MainWindowFakes fakes;
    TfrmMain* window = nullptr;
    MainGridAdapter* view = nullptr;
    MessageBoxes::Recorder boxes;
    QString folder;
};

void ScreenshotsTest::initTestCase()
{
    LazyWebView::setEnginesEnabled(false);
    resetSession();
    shellState().reset();
    session().loginIdentity = QStringLiteral("lina@localhost");
    shellState().currentCity = QStringLiteral("大连");
    window = new TfrmMain(fakes.services());
    view = window->listingView();
    window->setWindowState(Qt::WindowNoState);
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    view->setLabel(ShellLabel::NationalCount, QStringLiteral("全国:1024"));
    window->imHost()->setConnectionText(QStringLiteral("已连接"), IMSessionHost::Normal);
    folder = QStringLiteral(TOVANTA_ARTIFACT_DIR) + QStringLiteral("/ui_main");
    QVERIFY(QDir().mkpath(folder));
}

void ScreenshotsTest::cleanupTestCase()
{
    shellState().closeWithoutAsking = true;
    delete window;
}

void ScreenshotsTest::shoot(const QString& name)
{
    QApplication::processEvents();
    const QImage image = window->grab().toImage();
    QCOMPARE(image.size(), window->size());
    // A real picture, not an empty frame: grids, icons and text give many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(image.save(path), qPrintable(path));
}

void ScreenshotsTest::fillLand()
{
    const QString key = QString::fromLatin1(kConfigurationKey);
    const struct
    {
        const char* title;
        const char* type;
        const char* sender;
    } rows[] = {
        {"大连-沈阳 钢材 30吨 求9.6米高栏车 今日装车", "1", "wangwei"},
        {"空车 13米平板 大连返哈尔滨 求货", "2", "lijun"},
        {"<b>冷链</b> 海鲜 5吨 大连至北京 急走 & 价格面议", "1", "-1"},
        {"长途整车零担 大连发往全国各地，回程车辆充足，价格优惠，专线直达，安全快捷，"
         "欢迎来电咨询洽谈合作，另有仓储配送及装卸服务，诚信经营多年，服务周到",
         "1", "zhaoqiang"},
        {"6.8米厢式货车 大连本地搬家配送", "2", "-1"},
    };
    view->setRowCount(ListingGrid::InfoGrd, 5);
    int row = 0;
    for (const auto& r : rows) {
        ++row;
        view->putLandRow(
            ListingGrid::InfoGrd, row - 1,
            LandRow::build(
                QString::number(1000 + row), QString::fromUtf8(r.title), QLatin1String(r.type),
                QStringLiteral("2026-12-08 09:%1:00").arg(10 + row), QLatin1String(r.sender),
                DesEncryptHex(QStringLiteral("电话 138"), key), QStringLiteral("大连")));
    }
    view->insertLandRow(ListingGrid::InfoGrd,
                        LandRow::build(QStringLiteral("2001"),
                                       QStringLiteral("新到 大连-长春 化肥 40吨"),
                                       QStringLiteral("1"), QStringLiteral("2026-12-08 10:05:00"),
                                       QStringLiteral("sunli"), QString(), QStringLiteral("大连")));
    view->setLabel(ShellLabel::LandHeading, QStringLiteral("[本地信息]"));
    view->setRowCount(ListingGrid::searchGrd, 2);
    view->putLandRow(ListingGrid::searchGrd, 0,
                     LandRow::build(QStringLiteral("3001"),
                                    QStringLiteral("搜索结果 大连-营口 水泥"), QStringLiteral("1"),
                                    QStringLiteral("2026-12-08 08:00:00"), QStringLiteral("qian"),
                                    QString(), QStringLiteral("大连")));
    view->putLandRow(ListingGrid::searchGrd, 1,
                     LandRow::build(QStringLiteral("3002"),
                                    QStringLiteral("搜索结果 9.6米车 回营口"), QStringLiteral("2"),
                                    QStringLiteral("2026-12-08 08:30:00"), QStringLiteral("-1"),
                                    QString(), QStringLiteral("大连")));
    view->setLabel(ShellLabel::SearchHeading, QStringLiteral(" 搜索结果："));
    view->setLabel(ShellLabel::SearchCount, QStringLiteral("2 [大连 -> 营口]"));
    view->showPanel(ShellPanel::SearchResults);
}

void ScreenshotsTest::landPage()
{
    fillLand();
    view->showPage(ShellPage::InfoLand);
    ListingGridView* info = window->grid(ListingGrid::InfoGrd);
    QCOMPARE(info->gridRowCount(), 6);
    info->setFocus();
    info->setCurrentIndex(info->model()->index(2, 1)); // the focused cell on its gradient
    shoot(QStringLiteral("main_land"));
}

void ScreenshotsTest::fillAir()
{
    view->setRowCount(ListingGrid::airInfoGrd, 4);
    const char* routes[][3] = {{"浦东(PVG)", "成田(NRT)", "chenjie"},
                               {"首都(PEK)", "法兰克福(FRA)", "-1"},
                               {"白云(CAN)", "洛杉矶(LAX)", "liu"}};
    int row = 1;
    for (const auto& r : routes) {
        AirRow air;
        air.departure = QString::fromUtf8(r[0]);
        air.destination = QString::fromUtf8(r[1]);
        air.info =
            QStringLiteral("运价:18/16/14/12,MU 中国东方航空公司,航运周期:1,3,5,航运时间:2天,直达");
        air.sender = QString::fromUtf8(r[2]);
        air.senderIcon = senderIconFor(air.sender);
        air.contact = ScrambleField(QStringLiteral("陈 021"));
        view->putAirRow(row++, air);
    }
    view->setLabel(ShellLabel::AirHeading, QStringLiteral("[航线服务]"));
    view->setLabel(ShellLabel::AirCount, QStringLiteral("国内空运：3"));
}

void ScreenshotsTest::airPage()
{
    fillAir();
    view->showPage(ShellPage::NavAir);
    view->showPage(ShellPage::InfoAir);
    shoot(QStringLiteral("main_air"));
}

void ScreenshotsTest::fillSea()
{
    view->setRowCount(ListingGrid::seaInfoGrd, 3);
    for (int row = 1; row <= 2; ++row) {
        SeaRow sea;
        sea.carrier = row == 1 ? QStringLiteral("中远海运") : QStringLiteral("马士基");
        sea.departurePort = QStringLiteral("大连港");
        sea.destinationPort = row == 1 ? QStringLiteral("汉堡") : QStringLiteral("鹿特丹");
        sea.transshipmentOption = QStringLiteral("直达");
        sea.schedule = QStringLiteral("周三");
        sea.voyageDays = QStringLiteral("32");
        sea.portSequence = QStringLiteral("大连-上海-新加坡-汉堡");
        sea.routeName = QStringLiteral("欧洲线");
        sea.sender = row == 1 ? QStringLiteral("zhou") : QStringLiteral("-1");
        sea.senderIcon = senderIconFor(sea.sender);
        view->putSeaRow(row, sea);
    }
    view->setLabel(ShellLabel::SeaHeading, QStringLiteral("[海运航线]"));
    view->setLabel(ShellLabel::SeaCount, QStringLiteral("大连港：2"));
}

void ScreenshotsTest::seaPage()
{
    fillSea();
    view->showPage(ShellPage::NavSea);
    view->showPage(ShellPage::InfoSea);
    shoot(QStringLiteral("main_sea"));
}

void ScreenshotsTest::fillRail()
{
    view->setRowCount(ListingGrid::TrianInfoGrd, 3);
    for (int row = 1; row <= 2; ++row) {
        RailRow rail;
        rail.trainNumber = QStringLiteral("X%1").arg(8000 + row);
        rail.loadingStation = QStringLiteral("哈尔滨东");
        rail.departureStation = QStringLiteral("哈尔滨南");
        rail.arrivalStation2 = QStringLiteral("广州北");
        rail.cycle = QStringLiteral("3");
        rail.departureTime = QStringLiteral("08:20");
        rail.arrivalTime = QStringLiteral("16:40");
        rail.sender = row == 1 ? QStringLiteral("wu") : QStringLiteral("-1");
        rail.senderIcon = senderIconFor(rail.sender);
        view->putRailRow(row, rail);
    }
    view->setLabel(ShellLabel::RailHeading, QStringLiteral("[铁路车次]"));
    view->setLabel(ShellLabel::RailCount, QStringLiteral("哈尔滨：2"));
}

void ScreenshotsTest::railPage()
{
    fillRail();
    view->showPage(ShellPage::NavRail);
    view->showPage(ShellPage::InfoRail);
    shoot(QStringLiteral("main_rail"));
}

QTEST_MAIN(ScreenshotsTest)
#include "tst_Screenshots.moc"
