// The four detail windows as the grids open them: fields and units from real rows, the painted
// contact, the buttons' enabling, reuse of the open window, and the buttons' actions.
#include "app/SessionState.h"
#include "client/DetailWindows.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "ui/main/ContactPaintBox.h"
#include "ui/main/DetailWindow.h"
#include "ui/main/ListingActivation.h"
#include "ui/main/ListingLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString kHost = QStringLiteral("localhost");
const QString kMe = QStringLiteral("lina@localhost");

ListingGridRow row(ListingFamily family, const QStringList& values)
{
    ListingGridRow r;
    r.fields.resize(ListingLayout::of(family).fieldCount);
    for (int i = 0; i < values.size() && i < r.fields.size(); ++i)
        r.fields[i] = values.at(i);
    return r;
}

ListingDetailRequest detailOf(ListingFamily family, const ListingGridRow& r)
{
    const ListingActivation::Result result = ListingActivation::activate(family, r, 0, kHost, kMe);
    return result.detail;
}

ListingGridRow airRow(const QString& sender, const QString& contact)
{
    ListingGridRow r =
        row(ListingFamily::Air, {"上海", "东京", "", "", "东航", "", "每天", "直达", "7",
                                 "30/28/26/25", sender, ScrambleField(contact), "<b>不含</b>燃油"});
    return r;
}

QString text(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

QStringList groupTitles(QWidget* window)
{
    QStringList titles;
    for (QGroupBox* box : window->findChildren<QGroupBox*>())
        titles << box->title();
    return titles;
}

} // namespace

class DetailWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void landWindow();
    void airWindowIsReusedAndRefilled();
    void seaAndRailWindows();
    void ownAndServiceDeskListingsDisableTheButtons();
    void buttonsReachThePoster();

private:
    std::unique_ptr<DetailWindows> m_windows;
    QStringList m_calls;
};

void DetailWindowsTest::init()
{
    resetSession();
    session().loginIdentity = kMe;
    session().AppName = QStringLiteral("运友通");
    m_calls.clear();
    DetailWindowServices services;
    services.addFriend = [this](const QString& user) { m_calls << "friend:" + user; };
    services.openConversation = [this](const QString& jid, const QString& user) {
        m_calls << "chat:" + jid + ":" + user;
    };
    m_windows = std::make_unique<DetailWindows>(services);
}

void DetailWindowsTest::cleanup()
{
    m_windows.reset();
}

void DetailWindowsTest::landWindow()
{
    const QString contact = DesEncryptHex(QStringLiteral(" 张先生 13800000000 "),
                                          QString::fromLatin1(kConfigurationKey));
    ListingGridRow r = row(ListingFamily::Land,
                           {"", "上海到北京 <i>10吨</i>", "10086", contact, "", "chenjie", "上海"});
    m_windows->open(detailOf(ListingFamily::Land, r), nullptr);
    DetailWindow* w = m_windows->window(ListingFamily::Land);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->objectName(), QStringLiteral("TfrmMRVDetail"));
    QCOMPARE(w->windowTitle(), QStringLiteral("10086"));
    QCOMPARE(text(w, "lblPosition"), QStringLiteral("上海"));
    auto* rich = w->findChild<QTextBrowser*>(QStringLiteral("rchedInfo"));
    QVERIFY(rich->isReadOnly());
    QCOMPARE(rich->toPlainText(), QStringLiteral("上海到北京 <i>10吨</i>")); // shown, not applied
    QCOMPARE(w->contactText(), QStringLiteral("张先生 13800000000"));
    QVERIFY(!w->findChild<ContactPaintBox*>(QStringLiteral("pbTel"))->hasFocus());
    QCOMPARE(groupTitles(w), (QStringList{" 信息详情 ", " 联系信息 "}));
    QCOMPARE(text(w, "lblDisclaimer3"),
             QStringLiteral("自行鉴别！运友通不做任何双方证明，也不承担任何法律责任！"));
    QTRY_VERIFY(w->findChild<QPushButton*>(QStringLiteral("btnClose"))->hasFocus());
    // Closing empties the contact and poster first, and frees the window.
    QPointer<DetailWindow> guard(w);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    QTRY_VERIFY(guard.isNull());
    QVERIFY(!m_windows->window(ListingFamily::Land));
}

void DetailWindowsTest::airWindowIsReusedAndRefilled()
{
    m_windows->open(detailOf(ListingFamily::Air, airRow("chenjie", "陈 020-1")), nullptr);
    DetailWindow* w = m_windows->window(ListingFamily::Air);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->objectName(), QStringLiteral("TfrmAirDetail"));
    QCOMPARE(w->windowTitle(), QStringLiteral("查看信息"));
    QCOMPARE(text(w, "lblArea"), QStringLiteral("上海--东京"));
    QCOMPARE(text(w, "lblCompany"), QStringLiteral("东航"));
    QCOMPARE(text(w, "lblCycle"), QStringLiteral("每天"));
    QCOMPARE(text(w, "lblDirect"), QStringLiteral("直达"));
    QCOMPARE(text(w, "lblDays"), QStringLiteral("7天"));
    QCOMPARE(text(w, "lblPrice"), QStringLiteral("30/28/26/25"));
    QCOMPARE(text(w, "lblMem"), QStringLiteral("<b>不含</b>燃油"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblMem"))->textFormat(), Qt::PlainText);
    QCOMPARE(groupTitles(w), (QStringList{" 信息详情 ", " 联系方式 "}));
    QCOMPARE(w->contactText(), QStringLiteral("陈 020-1"));
    QCOMPARE(w->poster(), QStringLiteral("chenjie"));

    ListingGridRow other = airRow("wanglei", "");
    other.fields[8] = QStringLiteral("3");
    m_windows->open(detailOf(ListingFamily::Air, other), nullptr);
    QCOMPARE(m_windows->window(ListingFamily::Air), w); // the same window
    QCOMPARE(text(w, "lblDays"), QStringLiteral("3天"));
    QCOMPARE(w->poster(), QStringLiteral("wanglei"));
    QVERIFY(w->contactText().isEmpty()); // an empty contact draws nothing
}

void DetailWindowsTest::seaAndRailWindows()
{
    m_windows->open(detailOf(ListingFamily::Sea,
                             row(ListingFamily::Sea,
                                 {"中远", "上海", "鹿特丹", "直达", "新加坡", "周三", "28",
                                  "釜山-新加坡", "亚欧线", "", "chenjie", ScrambleField("x")})),
                    nullptr);
    DetailWindow* sea = m_windows->window(ListingFamily::Sea);
    QVERIFY(sea);
    QCOMPARE(sea->windowTitle(), QStringLiteral("海运信息"));
    QCOMPARE(text(sea, "company"), QStringLiteral("中远"));
    QCOMPARE(text(sea, "passport"), QStringLiteral("新加坡"));
    QCOMPARE(text(sea, "days"), QStringLiteral("28"));
    QCOMPARE(text(sea, "lblseasqu"), QStringLiteral("釜山-新加坡"));
    QCOMPARE(text(sea, "line"), QStringLiteral("亚欧线"));

    m_windows->open(
        detailOf(ListingFamily::Rail,
                 row(ListingFamily::Rail,
                     {"X101", "杨浦", "南翔", "阿拉山口", "3", "08:00", "20:00", "", "上海局",
                      "乌鲁木齐局", "霍尔果斯", "18.5", "chenjie", ScrambleField("y")})),
        nullptr);
    DetailWindow* rail = m_windows->window(ListingFamily::Rail);
    QVERIFY(rail);
    QCOMPARE(rail->objectName(), QStringLiteral("TfrmTrianInfoDetail"));
    QCOMPARE(rail->windowTitle(), QStringLiteral("铁路车次详情"));
    QCOMPARE(text(rail, "triannum"), QStringLiteral("X101"));
    QCOMPARE(text(rail, "startcity"), QStringLiteral("上海局"));
    QCOMPARE(text(rail, "toport1"), QStringLiteral("霍尔果斯"));
    QCOMPARE(text(rail, "hours"), QStringLiteral("18.5 小时"));
    // The rail window names the product by its default name.
    QCOMPARE(text(rail, "lblDisclaimer3"),
             QStringLiteral("自行鉴别！Tovanta不做任何双方证明，也不承担任何法律责任！"));
    QCOMPARE(text(sea, "lblDisclaimer3"),
             QStringLiteral("自行鉴别！运友通不做任何双方证明，也不承担任何法律责任！"));
}

void DetailWindowsTest::ownAndServiceDeskListingsDisableTheButtons()
{
    for (const QString& sender : {QStringLiteral("lina"), QStringLiteral("LiNa"),
                                  QStringLiteral("-1"), QStringLiteral("chenjie")}) {
        m_windows->open(detailOf(ListingFamily::Air, airRow(sender, "c")), nullptr);
        DetailWindow* w = m_windows->window(ListingFamily::Air);
        auto* add = w->findChild<QPushButton*>(QStringLiteral("btnFriend"));
        auto* chat = w->findChild<QPushButton*>(QStringLiteral("btnChat"));
        const bool expected = sender == QLatin1String("chenjie");
        QCOMPARE(add->isEnabled(), expected);
        QCOMPARE(chat->isEnabled(), expected);
        QCOMPARE(add->text(), QStringLiteral("加为好友"));
        QCOMPARE(chat->text(), QStringLiteral("对话"));
        QCOMPARE(add->toolTip(), QStringLiteral("添加为好友"));
        QCOMPARE(chat->toolTip(), QStringLiteral("点击聊天"));
    }
}

void DetailWindowsTest::buttonsReachThePoster()
{
    m_windows->open(detailOf(ListingFamily::Air, airRow("chenjie", "c")), nullptr);
    DetailWindow* w = m_windows->window(ListingFamily::Air);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnFriend")), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnChat")), Qt::LeftButton);
    QCOMPARE(m_calls, (QStringList{"friend:chenjie", "chat:chenjie@localhost:chenjie"}));
}

QTEST_MAIN(DetailWindowsTest)
#include "tst_DetailWindows.moc"
