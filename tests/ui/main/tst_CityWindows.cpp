// The search and subscribed-cities windows with recorded loads: their texts, the add and
// remove rules on the lists, the search's loader arguments and main-window page, and the
// subscription's loader arguments, session list and config.xml.
#include "RecordingStarter.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "refdata/RegionListRules.h"
#include "refdata/RegionTree.h"
#include "service/ShellState.h"
#include "service/searchCarogThread.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/TfrmOrderCity.h"
#include "ui/main/TfrmSearch.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks the province, then selects the city in lstCity.
void pickCity(CityChoiceWindow& window, const QString& province, const QString& city)
{
    const QStringList provinces = RegionListRules::provinceItems(RegionTree::shared());
    window.lstProv->setCurrentRow(provinces.indexOf(province));
    const QList<QListWidgetItem*> found = window.lstCity->findItems(city, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(city));
    window.lstCity->setCurrentItem(found.first());
}

void addCity(CityChoiceWindow& window, const QString& province, const QString& city)
{
    pickCity(window, province, city);
    QTest::mouseClick(window.btnAdd, Qt::LeftButton);
}

} // namespace

class CityWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void textsAndCaptions();
    void addAndRemoveRules();
    void searchStartsItsLoadAndShowsTheInfoPage();
    void searchWithoutDestinationStaysOpen();
    void subscriptionReplacesTheListAndWritesConfig();
    void subscriptionStaysOpenWhenSavingFails();
    void keepPicturesOfBothWindows();

private:
    CityWindowServices services(const QString& configPath = QString());

    RecordingStarter m_loads;
    QList<ShellPage> m_pages;
    MessageBoxes::Recorder m_boxes;
};

void CityWindowsTest::init()
{
    resetSession();
    shellState().reset();
    m_loads = RecordingStarter();
    m_pages.clear();
    m_boxes.clear();
}

CityWindowServices CityWindowsTest::services(const QString& configPath)
{
    CityWindowServices s;
    s.loads = &m_loads;
    s.showMainPage = [this](ShellPage page) { m_pages << page; };
    s.saveOrderCities = [configPath](const QString& plain) {
        return SettingsFile::writeMain(session(), plain, configPath);
    };
    return s;
}

void CityWindowsTest::textsAndCaptions()
{
    const QList<QPair<QString, QString>> searchTexts{
        {"btnAdd", "添加 >"},          {"btnDel", "< 删除"},        {"btnDelAll", "<< 全删除"},
        {"btnSearch", "搜索"},         {"rbAll", "全部信息"},       {"rbCargo", "货源信息"},
        {"rbTruck", "车源信息"},       {"lblFrom", "从"},           {"lblStart", "出发"},
        {"lblProv", "省(点击列表市)"}, {"lblCity", "市(双击添加)"}, {"lblTocity", "(双击删除)"},
    };
    const QList<QPair<QString, QString>> orderTexts{
        {"btnAdd", "添加 >"}, {"btnDel", " 删除"}, {"btnClear", "清空"}, {"btnOk", "确定"}};

    TfrmSearch search(services());
    QCOMPARE(search.windowTitle(), QStringLiteral("搜索条件"));
    for (const auto& entry : searchTexts) {
        QWidget* widget = search.findChild<QWidget*>(entry.first);
        QVERIFY2(widget, qPrintable(entry.first));
        const QVariant text = widget->property("text");
        QCOMPARE(text.toString(), entry.second);
    }
    QVERIFY(search.rbAll->isChecked());
    QVERIFY(search.edtFromCity->isReadOnly());
    QVERIFY(search.isWindow());
    QVERIFY(search.testAttribute(Qt::WA_DeleteOnClose));

    TfrmOrderCity order(services());
    QCOMPARE(order.windowTitle(), QStringLiteral("定制信息"));
    for (const auto& entry : orderTexts) {
        auto* button = order.findChild<QPushButton*>(entry.first);
        QVERIFY2(button, qPrintable(entry.first));
        QCOMPARE(button->text(), entry.second);
    }
    QVERIFY(order.testAttribute(Qt::WA_DeleteOnClose));

    for (CityChoiceWindow* window :
         {static_cast<CityChoiceWindow*>(&search), static_cast<CityChoiceWindow*>(&order)}) {
        QCOMPARE(window->lstProv->count(), 31);
        QCOMPARE(window->lstProv->item(0)->text(), QStringLiteral("北京"));
        QVERIFY(window->lstProv->isWrapping()); // shown in columns
        QCOMPARE(window->lbxTocity->count(), 0);
    }
}

void CityWindowsTest::addAndRemoveRules()
{
    TfrmSearch search(services());
    search.setDepartureCity(QStringLiteral("上海"));

    QTest::mouseClick(search.btnAdd, Qt::LeftButton);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("请点选城市后再添加 "));
    QCOMPARE(m_boxes.last().caption, QStringLiteral("提示信息"));
    QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Warning);

    addCity(search, QStringLiteral("上海"), QStringLiteral("上海"));
    QCOMPARE(m_boxes.last().text, QStringLiteral("出发地不能和目的地相同 "));
    QCOMPARE(search.lstCity->count(), 1); // a municipality offers itself only

    // A double click in lstCity adds like the button; a duplicate is ignored silently.
    pickCity(search, QStringLiteral("辽宁"), QStringLiteral("大连"));
    QListWidgetItem* dalian = search.lstCity->currentItem();
    Q_EMIT search.lstCity->itemDoubleClicked(dalian);
    const int boxes = m_boxes.count();
    addCity(search, QStringLiteral("辽宁"), QStringLiteral("大连"));
    QCOMPARE(m_boxes.count(), boxes);
    for (const QString& city : QStringList{"北京", "天津", "重庆", "上海"})
        addCity(search, city, city);
    QCOMPARE(m_boxes.last().text, QStringLiteral("出发地不能和目的地相同 "));
    addCity(search, QStringLiteral("辽宁"), QStringLiteral("沈阳"));
    QCOMPARE(search.chosenCities(), QStringList({"大连", "北京", "天津", "重庆", "沈阳"}));
    addCity(search, QStringLiteral("辽宁"), QStringLiteral("鞍山"));
    QCOMPARE(m_boxes.last().text, QStringLiteral("最多能添加5个城市"));
    QCOMPARE(search.chosenCities().size(), 5);

    // Removing: the selected one by button or double click, then all.
    search.lbxTocity->setCurrentRow(1);
    QTest::mouseClick(search.btnDel, Qt::LeftButton);
    Q_EMIT search.lbxTocity->itemDoubleClicked(search.lbxTocity->item(0));
    search.lbxTocity->setCurrentRow(0);
    Q_EMIT search.lbxTocity->itemDoubleClicked(search.lbxTocity->item(0));
    QCOMPARE(search.chosenCities(), QStringList({"重庆", "沈阳"}));
    QTest::mouseClick(search.btnDelAll, Qt::LeftButton);
    QVERIFY(search.chosenCities().isEmpty());

    // The subscription knows no departure city; its delete and clear buttons do the same.
    TfrmOrderCity order(services());
    addCity(order, QStringLiteral("上海"), QStringLiteral("上海"));
    addCity(order, QStringLiteral("辽宁"), QStringLiteral("大连"));
    QCOMPARE(order.chosenCities(), QStringList({"上海", "大连"}));
    order.lbxTocity->setCurrentRow(0);
    QTest::mouseClick(order.btnDel, Qt::LeftButton);
    QCOMPARE(order.chosenCities(), QStringList({"大连"}));
    QTest::mouseClick(order.btnClear, Qt::LeftButton);
    QVERIFY(order.chosenCities().isEmpty());
    QVERIFY(m_loads.total() == 0);
}

void CityWindowsTest::searchStartsItsLoadAndShowsTheInfoPage()
{
    shellState().landViewKind = 5;
    shellState().searchToCities = QStringList{QStringLiteral("旧城")};
    QPointer<TfrmSearch> search = new TfrmSearch(services());
    search->setDepartureCity(QStringLiteral("上海"));
    search->show();
    addCity(*search, QStringLiteral("辽宁"), QStringLiteral("大连"));
    addCity(*search, QStringLiteral("辽宁"), QStringLiteral("沈阳"));
    QTest::mouseClick(search->rbTruck, Qt::LeftButton);
    QTest::mouseClick(search->btnSearch, Qt::LeftButton);

    QCOMPARE(m_loads.search.size(), 1);
    const SearchLoadRequest& request = m_loads.search.first();
    QCOMPARE(request.fromCity, QStringLiteral("上海"));
    QCOMPARE(request.toCities, QStringList({"大连", "沈阳"}));
    QCOMPARE(request.category, QStringLiteral("2"));
    QCOMPARE(request.cityType, QStringLiteral("1"));
    QCOMPARE(searchCarogThread::toCityList(request.toCities), QStringLiteral("沈阳,大连,"));
    QCOMPARE(m_pages, QList<ShellPage>{ShellPage::MainInfo});
    QCOMPARE(shellState().landViewKind, 1);
    QCOMPARE(shellState().searchFromCity, QStringLiteral("上海"));
    QCOMPARE(shellState().searchToCities, QStringList({"大连", "沈阳"}));
    QCOMPARE(m_loads.total(), 1);
    QTRY_VERIFY(search.isNull()); // closed and freed

    // The other types: cargo "1", all the empty text.
    for (auto pick : {&TfrmSearch::rbCargo, &TfrmSearch::rbAll}) {
        auto* again = new TfrmSearch(services());
        again->setDepartureCity(QStringLiteral("上海"));
        addCity(*again, QStringLiteral("北京"), QStringLiteral("北京"));
        (again->*pick)->setChecked(true);
        again->btnSearchClick();
    }
    QCOMPARE(m_loads.search.at(1).category, QStringLiteral("1"));
    QCOMPARE(m_loads.search.at(2).category, QString());
}

void CityWindowsTest::searchWithoutDestinationStaysOpen()
{
    QPointer<TfrmSearch> search = new TfrmSearch(services());
    search->show();
    search->btnSearchClick();
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("请添加到达城市"));
    QCOMPARE(m_boxes.last().caption, QStringLiteral("提示信息"));
    QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Warning);
    QTest::qWait(0);
    QVERIFY(search && search->isVisible());
    QCOMPARE(m_loads.total(), 0);
    QVERIFY(m_pages.isEmpty());
    delete search.data();
}

void CityWindowsTest::subscriptionReplacesTheListAndWritesConfig()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.xml"));
    session().loginIdentity = QStringLiteral("张三@localhost");
    session().password = QStringLiteral("secret1");
    session().rememberPassword = true;
    session().orderCities = QStringList{QStringLiteral("北京")};

    QPointer<TfrmOrderCity> order = new TfrmOrderCity(services(path));
    QCOMPARE(order->chosenCities(), QStringList({"北京"})); // the saved subscription
    order->show();
    addCity(*order, QStringLiteral("辽宁"), QStringLiteral("大连"));
    QTest::mouseClick(order->btnOk, Qt::LeftButton);

    QCOMPARE(m_loads.subscription.size(), 1);
    QCOMPARE(m_loads.subscription.first(),
             (SubscriptionLoadRequest{QStringLiteral("'北京','大连'"), false, 1}));
    QCOMPARE(session().orderCities, QStringList({"北京", "大连"}));
    QCOMPARE(readBytes(path),
             readBytes(QStringLiteral(TOVANTA_SOURCE_DIR "/tests/app/data/config-main.golden")));
    QTRY_VERIFY(order.isNull());

    // Confirming again does not double the cities in memory.
    auto* again = new TfrmOrderCity(services(path));
    QCOMPARE(again->chosenCities(), QStringList({"北京", "大连"}));
    again->btnOkClick();
    QCOMPARE(session().orderCities, QStringList({"北京", "大连"}));
    QCOMPARE(m_loads.subscription.last().cityList, QStringLiteral("'北京','大连'"));

    // An empty subscription loads with the empty text and saves an empty ordercity.
    auto* empty = new TfrmOrderCity(services(path));
    empty->clearChosen();
    empty->btnOkClick();
    QCOMPARE(m_loads.subscription.last().cityList, QString());
    QVERIFY(session().orderCities.isEmpty());
    QVERIFY(readBytes(path).contains("<ordercity></ordercity>"));
}

void CityWindowsTest::subscriptionStaysOpenWhenSavingFails()
{
    CityWindowServices failing = services();
    failing.saveOrderCities = [](const QString&) { return false; };
    QPointer<TfrmOrderCity> order = new TfrmOrderCity(failing);
    order->show();
    addCity(*order, QStringLiteral("辽宁"), QStringLiteral("大连"));
    order->btnOkClick();
    QTest::qWait(0);
    QVERIFY(order && order->isVisible());
    QCOMPARE(m_loads.subscription.size(), 1);
    delete order.data();
}

void CityWindowsTest::keepPicturesOfBothWindows()
{
    TfrmSearch search(services());
    search.setDepartureCity(QStringLiteral("上海"));
    addCity(search, QStringLiteral("辽宁"), QStringLiteral("大连"));
    search.show();
    TfrmOrderCity order(services());
    addCity(order, QStringLiteral("北京"), QStringLiteral("北京"));
    order.show();
    QVERIFY(QTest::qWaitForWindowExposed(&search));
    QVERIFY(QTest::qWaitForWindowExposed(&order));
    QVERIFY(
        search.grab().save(UiTestKit::artifactDirectory() + QStringLiteral("/search-window.png")));
    QVERIFY(order.grab().save(UiTestKit::artifactDirectory() +
                              QStringLiteral("/ordercity-window.png")));
}

QTEST_MAIN(CityWindowsTest)
#include "tst_CityWindows.moc"
