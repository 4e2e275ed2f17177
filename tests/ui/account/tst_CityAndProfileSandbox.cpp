// The search, subscribed-cities and profile windows of the composition root against the
// sandbox exchange, with a main window signed in as a seeded user of 上海: a search fills
// searchGrd with the listings the service returns for it, a subscription loads InfoGrd and
// comes back from config.xml, and a profile change is stored by the exchange.
#include "SandboxEndpoints.h"
#include "SoapCall.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "client/ClientWindows.h"
#include "im/XmppIMClient.h"
#include "refdata/RegionListRules.h"
#include "refdata/RegionTree.h"
#include "service/ShellState.h"
#include "service/TThdOrderInfo.h"
#include "service/searchCarogThread.h"
#include "ui/account/TfrmUserInfo.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/MainCommands.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"
#include "ui/main/TfrmOrderCity.h"
#include "ui/main/TfrmSearch.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kPatience = 60000;

void addCity(CityChoiceWindow& window, const QString& province, const QString& city)
{
    const QStringList provinces = RegionListRules::provinceItems(RegionTree::shared());
    window.lstProv->setCurrentRow(provinces.indexOf(province));
    const QList<QListWidgetItem*> found = window.lstCity->findItems(city, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(city));
    window.lstCity->setCurrentItem(found.first());
    window.btnAddClick();
}

// The titles of a grid's filled rows, top to bottom.
QStringList gridTitles(ListingGridView* grid)
{
    QStringList titles;
    for (int row = 0; row < grid->listingModel()->rowCount(); ++row) {
        const QString title = grid->dataRow(row).field(1);
        if (!title.isEmpty())
            titles << title;
    }
    return titles;
}

QStringList serviceTitles(const QList<QVariantMap>& rows)
{
    QStringList titles;
    for (const QVariantMap& row : rows)
        titles << row.value(QStringLiteral("title")).toString().trimmed();
    return titles;
}
} // namespace

class CityAndProfileSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void searchFillsTheSearchGrid();
    void subscriptionLoadsAndSurvivesARestart();
    void profileChangeIsStoredByTheExchange();

private:
    QString labelText(const char* name) const
    {
        return m_window->findChild<QLabel*>(QLatin1String(name))->text();
    }

    XmppIMClient m_client;
    ServiceLoadStarter m_loads{nullptr};
    QTemporaryDir m_dir;
    std::unique_ptr<ClientWindows> m_windows;
    TfrmMain* m_window = nullptr;
    MessageBoxes::Recorder m_boxes;
};

void CityAndProfileSandboxTest::initTestCase()
{
    resetSession();
    SandboxEndpoints::retarget(session());
    shellState().reset();
    session().loginIdentity = QStringLiteral("zhangwei@localhost");
    session().password = QStringLiteral("demo1234");
    CityWindowServices cities;
    cities.loads = &m_loads;
    const QString path = m_dir.filePath(QStringLiteral("config.xml"));
    cities.saveOrderCities = [path](const QString& plain) {
        return SettingsFile::writeMain(session(), plain, path);
    };
    m_windows = std::make_unique<ClientWindows>(cities, UserInfoWindowServices{});
    m_window = new TfrmMain({&m_client, &m_loads, m_windows.get(), nullptr});
    m_windows->setMainWindow(m_window);
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->signIn();
    QTRY_VERIFY_WITH_TIMEOUT(shellState().isConnected(), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(shellState().currentCity, QStringLiteral("上海"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(!shellState().loading, kPatience);
}

void CityAndProfileSandboxTest::cleanupTestCase()
{
    shellState().closeWithoutAsking = true;
    delete m_window;
    m_windows.reset();
}

void CityAndProfileSandboxTest::searchFillsTheSearchGrid()
{
    m_window->commands()->btnSearchClick();
    TfrmSearch* search = m_windows->searchWindow();
    QVERIFY(search);
    QCOMPARE(search->edtFromCity->text(), QStringLiteral("上海"));
    addCity(*search, QStringLiteral("北京"), QStringLiteral("北京"));
    addCity(*search, QStringLiteral("广东"), QStringLiteral("广州"));
    search->rbCargo->setChecked(true);
    search->btnSearchClick();

    const QString expectedCount = QStringLiteral("[上海 -> 广州,北京,]");
    QTRY_VERIFY_WITH_TIMEOUT(labelText("lblCount1S").endsWith(expectedCount), kPatience);
    const SoapCall::Result answer =
        SoapCall::call(QStringLiteral("cargoSearch"), {{"fromcity", "上海"},
                                                       {"tocity", "广州,北京,"},
                                                       {"category", "1"},
                                                       {"citytype", "1"},
                                                       {"pagenumber", "1"},
                                                       {"ssticket", ""},
                                                       {"blocal", "0"}});
    QVERIFY(!answer.fault);
    const QStringList expected = serviceTitles(SoapCall::rows(answer.value));
    QVERIFY2(!expected.isEmpty(), "the seed has cargo from 上海 to 北京 or 广州");
    QCOMPARE(gridTitles(m_window->grid(ListingGrid::searchGrd)), expected);
    QCOMPARE(labelText("lblCount1S"),
             QStringLiteral("%1 %2").arg(expected.size()).arg(expectedCount));
    QCOMPARE(m_window->shownPage(PageSet::Main), QStringLiteral("infopage"));
    QTRY_VERIFY(!m_windows->searchWindow());
}

void CityAndProfileSandboxTest::subscriptionLoadsAndSurvivesARestart()
{
    m_window->commands()->speedButton1Click();
    TfrmOrderCity* order = m_windows->orderCityWindow();
    QVERIFY(order);
    order->clearChosen();
    addCity(*order, QStringLiteral("北京"), QStringLiteral("北京"));
    addCity(*order, QStringLiteral("辽宁"), QStringLiteral("沈阳"));
    order->btnOkClick();
    QTRY_COMPARE_WITH_TIMEOUT(labelText("lblTypes"), QStringLiteral("[定制信息]"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(!shellState().loading, kPatience);

    const SoapCall::Result list =
        SoapCall::call(QStringLiteral("orderInfo"),
                       {{"citylst", "'北京','沈阳'"}, {"pagenumber", "1"}, {"ssticket", ""}});
    QVERIFY(!list.fault);
    const QStringList expected = serviceTitles(SoapCall::rows(list.value));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(gridTitles(m_window->grid(ListingGrid::InfoGrd)), expected.mid(0, 200));
    QCOMPARE(labelText("lblCount1"),
             QStringLiteral("北京,沈阳：%1").arg(qMin(expected.size(), 200)));

    // What the next start reads, and the window it opens with.
    SessionState restarted;
    SettingsFile::LoginFields fields;
    SettingsFile::load(fields, restarted, m_dir.filePath(QStringLiteral("config.xml")));
    QCOMPARE(restarted.orderCities, QStringList({"北京", "沈阳"}));
    session().orderCities = restarted.orderCities;
    QTRY_VERIFY(!m_windows->orderCityWindow());
    m_window->commands()->speedButton1Click();
    QCOMPARE(m_windows->orderCityWindow()->chosenCities(), QStringList({"北京", "沈阳"}));
    m_windows->orderCityWindow()->close();
}

void CityAndProfileSandboxTest::profileChangeIsStoredByTheExchange()
{
    QVERIFY(session().profile.id > 0);
    m_window->commands()->imgInfoClick();
    TfrmUserInfo* info = m_windows->userInfoWindow();
    QVERIFY(info);
    const QString company =
        QStringLiteral("沪通物流%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000);
    info->edtCompany->setText(company);
    info->edtTel2->setText(QStringLiteral("021-(6666)"));
    info->btnSubmitClick();
    QTRY_VERIFY_WITH_TIMEOUT(!info->busy(), kPatience);
    QCOMPARE(m_boxes.last().text, QStringLiteral("资料修改成功! "));
    QCOMPARE(session().profile.company, company);

    // A fresh fetch returns what the exchange stored.
    session().profile.company.clear();
    session().profile.telephone2.clear();
    bool fetched = false;
    m_loads.startProfileFetch([&fetched] { fetched = true; });
    QTRY_VERIFY_WITH_TIMEOUT(fetched, kPatience);
    QCOMPARE(session().profile.company, company);
    QCOMPARE(session().profile.telephone2, QStringLiteral("021-6666"));

    // The open window is refilled by its command.
    m_window->commands()->imgInfoClick();
    QCOMPARE(m_windows->userInfoWindow(), info);
    QCOMPARE(info->edtCompany->text(), company);
    info->close();
}

QTEST_MAIN(CityAndProfileSandboxTest)
#include "tst_CityAndProfileSandbox.moc"
