#include "SandboxEndpoints.h"
#include "SandboxWindowParts.h"
#include "SandboxXmppSession.h"
#include "app/SessionState.h"
#include "im/XmppIMClient.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/MainCommands.h"
#include "ui/main/NavTreeView.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QTreeWidgetItem>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// The main window against the sandbox exchange: signed in as a seeded user, it loads every
// listing family from its commands and trees, shows live broadcasts at the top and opens its
// web pages.
class MainWindowSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void signInLoadsTheHomeCity();
    void familyCommandsLoadTheirGrids();
    void cityTreeLoadsAnotherCity();
    void liveBroadcastLandsAtTheTop();
    void bannerPageOpensWithoutBorder();
    void keepAPictureOfTheSignedInWindow();

private:
    bool waitForLoadEnd();
    int dataRows(ListingGrid which) const;
    QString labelText(const char* name) const;

    // The real client and loaders; the other windows and the login are recorded.
    SandboxWindowParts parts;
    TfrmMain* window = nullptr;
};

namespace {
constexpr int kPatience = 60000;
}

void MainWindowSandboxTest::initTestCase()
{
    resetSession();
    SandboxEndpoints::retarget(session());
    shellState().reset();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().password = QStringLiteral("demo1234");
    window = new TfrmMain(parts.services());
    window->setWindowState(Qt::WindowNoState);
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void MainWindowSandboxTest::cleanupTestCase()
{
    shellState().closeWithoutAsking = true;
    delete window;
}

bool MainWindowSandboxTest::waitForLoadEnd()
{
    QTest::qWait(0);
    return QTest::qWaitFor([] { return !shellState().loading; }, kPatience);
}

int MainWindowSandboxTest::dataRows(ListingGrid which) const
{
    int rows = 0;
    ListingGridView* grid = window->grid(which);
    const int field = which == ListingGrid::InfoGrd ? 1 : 0;
    for (int row = 0; row < grid->listingModel()->rowCount(); ++row) {
        if (!grid->dataRow(row).field(field).isEmpty())
            ++rows;
    }
    return rows;
}

QString MainWindowSandboxTest::labelText(const char* name) const
{
    return window->findChild<QLabel*>(QLatin1String(name))->text();
}

void MainWindowSandboxTest::signInLoadsTheHomeCity()
{
    window->signIn();
    QTRY_VERIFY_WITH_TIMEOUT(shellState().isConnected(), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(shellState().currentCity, QStringLiteral("北京"), kPatience);
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(dataRows(ListingGrid::InfoGrd) > 0, kPatience);
    QVERIFY2(labelText("lblCount1").startsWith(QStringLiteral("北京：")),
             qPrintable(labelText("lblCount1")));
    QCOMPARE(labelText("lblTypes"), QStringLiteral("[本地信息]"));
    QCOMPARE(window->navTree(NavTree::Geo)->currentItem()->text(0), QStringLiteral("北京"));
    QCOMPARE(labelText("lblConn"), QStringLiteral("联机"));
}

void MainWindowSandboxTest::familyCommandsLoadTheirGrids()
{
    window->commands()->btnAirClick();
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(dataRows(ListingGrid::airInfoGrd) > 0, kPatience);
    QVERIFY(labelText("lblAirInfo").startsWith(QStringLiteral("国内空运：")));
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgAir"));

    window->commands()->btnSeaClick();
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(dataRows(ListingGrid::seaInfoGrd) > 0, kPatience);
    QCOMPARE(window->grid(ListingGrid::seaInfoGrd)->dataRow(0).field(1).isEmpty(), false);
    QVERIFY(labelText("lblSeaInfo").startsWith(QStringLiteral("大连港：")));

    window->commands()->btnTrainClick();
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(dataRows(ListingGrid::TrianInfoGrd) > 0, kPatience);
    QVERIFY(labelText("lblTrianInfo").startsWith(QStringLiteral("哈尔滨：")));

    // A tree node of another family: an airline.
    NavTreeView* air = window->navTree(NavTree::Air);
    window->commands()->tvAirClicked(air->topLevelNamed(QStringLiteral("欧洲线")));
    QVERIFY(waitForLoadEnd());
    QVERIFY(labelText("lblAirInfo").startsWith(QStringLiteral("欧洲线：")));
}

void MainWindowSandboxTest::cityTreeLoadsAnotherCity()
{
    NavTreeView* geo = window->navTree(NavTree::Geo);
    QTreeWidgetItem* shanghai = geo->topLevelNamed(QStringLiteral("上海"))->child(0);
    window->commands()->tvGeoPressed(shanghai);
    QCOMPARE(shellState().currentCity, QStringLiteral("上海"));
    QVERIFY(waitForLoadEnd());
    QTRY_VERIFY_WITH_TIMEOUT(labelText("lblCount1").startsWith(QStringLiteral("上海：")),
                             kPatience);
    QVERIFY(dataRows(ListingGrid::InfoGrd) > 0);
    QCOMPARE(window->shownPage(PageSet::Info), QStringLiteral("pgGrd"));
}

void MainWindowSandboxTest::liveBroadcastLandsAtTheTop()
{
    SandboxXmppSession publisher;
    QVERIFY(publisher.signIn(QStringLiteral("zhangwei"), QStringLiteral("demo1234"),
                             QStringLiteral("publisher")));
    const int before = shellState().listingCounter;
    const QString title =
        QStringLiteral("实时 上海-北京 机床 %1").arg(QDateTime::currentMSecsSinceEpoch());
    QVERIFY(publisher.sendRaw(
        QStringLiteral(
            "<iq type='set' to='localhost'><query xmlns='haulway:iq:cargo'><title>%1</title>"
            "<fromcity>上海</fromcity><tocity>北京</tocity><position>上海</position>"
            "<sender>zhangwei</sender><category>1</category><isrc>1</isrc><contact>00</contact>"
            "</query></iq>")
            .arg(title)));
    ListingGridView* info = window->grid(ListingGrid::InfoGrd);
    QTRY_COMPARE_WITH_TIMEOUT(info->dataRow(0).field(1), title, kPatience);
    QCOMPARE(info->dataRow(0).field(5), QStringLiteral("zhangwei"));
    QCOMPARE(shellState().listingCounter, before + 1);
    QVERIFY(labelText("Label3").startsWith(QStringLiteral("全国:")));
}

void MainWindowSandboxTest::bannerPageOpensWithoutBorder()
{
    LazyWebView* banner = window->webView(ShellWebView::HeadBanner);
    QVERIFY(banner->isCreated());
    QString border;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            qobject_cast<QWebEngineView*>(banner->view())
                ->page()
                ->runJavaScript(
                    QStringLiteral(
                        "document.title + '|' + (document.body ? document.body.style.border : '')"),
                    [&](const QVariant& value) { border = value.toString(); });
            QTest::qWait(100);
            return border.startsWith(QStringLiteral("头部广告|")) &&
                   border.contains(QStringLiteral("none"));
        }(),
        kPatience);
}

void MainWindowSandboxTest::keepAPictureOfTheSignedInWindow()
{
    window->commands()->showLandView(1);
    QVERIFY(waitForLoadEnd());
    QTest::qWait(1500); // let the web views paint their pages
    const QString folder = QStringLiteral(TOVANTA_ARTIFACT_DIR) + QStringLiteral("/ui_main");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(window->grab().save(folder + QStringLiteral("/sandbox_signed_in.png")));
}

QTEST_MAIN(MainWindowSandboxTest)
#include "tst_MainWindowSandbox.moc"
