// Every named control of the main window with the text users see on it: captions, hints,
// menu items with their menus, page sets and their pages. One table per kind of text, so a
// renamed control or an edited text fails with its name.

#include "MainWindowFakes.h"
#include "app/SessionState.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"
#include "ui/im/TfrmAudit.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/MainImHost.h"
#include "ui/main/TfrmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtTest>

namespace {

struct NamedText
{
    const char* name;
    const char* text;
};

QString shownText(QObject* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return QStringLiteral("<no text property>");
}

} // namespace

class ShellTextsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captions();
    void hints();
    void menuItems();
    void pageSets();
    void connectionLabelKeepsItsTextWhenOnlyTheColourChanges();
    void friendTreeTexts();
    void subscriptionRequestDialog();

private:
    std::unique_ptr<MainWindowFakes> fakes;
    TfrmMain* window = nullptr;
    MessageBoxes::Recorder* boxes = nullptr;
};

void ShellTextsTest::initTestCase()
{
    LazyWebView::setEnginesEnabled(false);
}

void ShellTextsTest::init()
{
    resetSession();
    shellState().reset();
    shellState().setConnectedProbe([] { return false; });
    boxes = new MessageBoxes::Recorder;
    fakes = std::make_unique<MainWindowFakes>();
    window = new TfrmMain(fakes->services());
}

void ShellTextsTest::cleanup()
{
    shellState().closeWithoutAsking = true;
    delete window;
    window = nullptr;
    fakes.reset();
    delete boxes;
    boxes = nullptr;
    shellState().setConnectedProbe({});
}

void ShellTextsTest::captions()
{
    const NamedText table[] = {
        {"btnMyaccount", "我的资料"}, {"btnLog", "配货信息"},   {"btnTools", "常用工具"},
        {"btnHelp", "关于"},          {"btnCSR", "在线客服"},   {"btnLocal", "本地"},
        {"btnCargo", "货源"},         {"btnCar", "车源"},       {"btnSearch", "搜索"},
        {"btnGroup", "商圈"},         {"btnTrain", "铁路"},     {"btnSea", "海运"},
        {"btnAir", "空运"},           {"btnBidding", "招标"},   {"SpeedButton1", "定制"},
        {"SpeedButton5", "关闭"},     {"chkRefresh", "滚动"},   {"Label3", "选择地区信息"},
        {"lblConn", "未连接"},        {"lblEndate", "有效期:"}, {"LblMyState", "正在登录..."},
    };
    for (const NamedText& entry : table) {
        QObject* control = window->findChild<QObject*>(QLatin1String(entry.name));
        QVERIFY2(control, entry.name);
        QCOMPARE(shownText(control), QString::fromUtf8(entry.text));
    }
    QCOMPARE(window->windowTitle(), session().AppName);
    // The network label has no name of its own; it stands in the bottom bar.
    QStringList bottomTexts;
    for (QLabel* label : window->findChild<QWidget*>("pnlBot")->findChildren<QLabel*>())
        bottomTexts << label->text();
    QVERIFY(bottomTexts.contains(QStringLiteral("网络:")));
}

void ShellTextsTest::hints()
{
    const NamedText table[] = {
        {"imgLeft", "收起侧边"},
        {"Image1", "投诉.建议.使用等问题咨询"},
        {"imgXZ", "公路信息发布"},
        {"imgDX", "公路信息发布"},
        {"imgAirIssue", "空运.铁路.海运信息发布"},
        {"chkRefresh", "自动接收信息"},
        {"URLAd", "点击查看详情"},
        {"lblUserInfo", "点击添加好友"},
        {"Image10", "最大化"},
        {"LblMyState", "点击改变状态"},
        {"imgAddUser", "添加好友"},
        {"imgInfo", "我的资料"},
        {"imgFriend", "收起"},
    };
    for (const NamedText& entry : table) {
        auto* control = window->findChild<QWidget*>(QLatin1String(entry.name));
        QVERIFY2(control, entry.name);
        QCOMPARE(control->toolTip(), QString::fromUtf8(entry.text));
    }
}

void ShellTextsTest::menuItems()
{
    struct Item
    {
        const char* menu;    // the pop-up menu the item belongs to
        const char* submenu; // caption of the submenu holding it, or empty
        const char* name;
        const char* text;
        bool enabled;
    };
    const Item table[] = {
        {"pmLocal", "", "MenuItem4", "本地信息", true},
        {"pmLocal", "", "MenuItem10", "本地货源", true},
        {"pmLocal", "", "MenuItem11", "本地车源", true},
        {"pMnuCargo", "", "N10", "本地货源", true},
        {"pMnuCargo", "", "N11", "出发货源", true},
        {"pMnuCargo", "", "N12", "回程货源", true},
        {"pMnuTruck", "", "N16", "本地车源", true},
        {"pMnuTruck", "", "N64", "出发车源", true},
        {"pMnuTruck", "", "N65", "回程车源", true},
        {"pmLog", "即时信息", "N30", "全部本地信息", true},
        {"pmLog", "即时信息", "N31", "本地货源", true},
        {"pmLog", "即时信息", "N32", "本地车源", true},
        {"pmLog", "即时信息", "N34", "全部出发信息", true},
        {"pmLog", "即时信息", "N35", "出发货源", true},
        {"pmLog", "即时信息", "N36", "出发车源", true},
        {"pmLog", "即时信息", "N38", "全部到达信息", true},
        {"pmLog", "即时信息", "N39", "到达货源", true},
        {"pmLog", "即时信息", "N40", "到达车源", true},
        {"pmLog", "", "N28", "搜索...", true},
        {"pmLog", "发布信息", "N41", "点选发布", true},
        {"pmLog", "发布信息", "N42", "选字发布", true},
        {"pmtools", "", "N51", "当地地图", true},
        {"pmtools", "", "N52", "计算器", true},
        {"pmtools", "", "N53", "电子日历", true},
        {"pmtools", "", "N56", "违规查询", true},
        {"pmtools", "", "N57", "交通法规", true},
        {"pmtools", "", "N58", "车牌代码", true},
        {"pmStatus", "", "N20", "注销(&N)", false},
        {"pmStatus", "", "N76", "登录", true},
        {"pmStatus", "", "N66", "添加运友", false},
        {"pmMyAccount", "", "N22", "我的资料", true},
        {"pmMyAccount", "", "N6", "注销", false},
        {"pmMyAccount", "", "N9", "登录", true},
        {"pmMyAccount", "", "N63", "退出系统", true},
        {"pmnuIssue", "", "N4", "空运信息发布", true},
        {"pmnuIssue", "", "N19", "海运信息发布", true},
        {"pmnuIssue", "", "N21", "铁路信息发布", true},
        {"PpMenuRight", "", "NR1", "开始对话", true},
        {"PpMenuRight", "", "NR4", "好友改名(&V)", true},
        {"PpMenuRight", "", "N2", "删除好友(&D)", true},
    };
    for (const Item& item : table) {
        const QByteArray where = QByteArray(item.menu) + " > " + item.name;
        auto* menu = window->findChild<QMenu*>(QLatin1String(item.menu));
        QVERIFY2(menu, where.constData());
        auto* action = menu->findChild<QAction*>(QLatin1String(item.name));
        QVERIFY2(action, where.constData());
        QCOMPARE(action->text(), QString::fromUtf8(item.text));
        QCOMPARE(action->isEnabled(), item.enabled);
        // The item sits in its menu (or the named submenu of it), not only somewhere below.
        const bool found = [&] {
            if (!*item.submenu)
                return menu->actions().contains(action);
            for (QAction* entry : menu->actions()) {
                if (entry->menu() && entry->text() == QString::fromUtf8(item.submenu))
                    return entry->menu()->actions().contains(action);
            }
            return false;
        }();
        QVERIFY2(found, where.constData());
    }
}

void ShellTextsTest::pageSets()
{
    struct PageSet
    {
        const char* name;
        QStringList pages;
    };
    const PageSet sets[] = {
        {"nbmain", {"infopage", "wbPage"}},
        {"nbNav", {"pgLand", "pgAirprice", "pgSea", "pgTrian", "pgBidding"}},
        {"nbInfo", {"pgGrd", "pgAir", "pgSea", "pgTrian", "pgWeb"}},
    };
    for (const PageSet& set : sets) {
        auto* widget = window->findChild<QStackedWidget*>(QLatin1String(set.name));
        QVERIFY2(widget, set.name);
        QStringList pages;
        for (int i = 0; i < widget->count(); ++i)
            pages << widget->widget(i)->objectName();
        QCOMPARE(pages, set.pages);
    }
    // Each tree on its own page of the left page set.
    auto* nbNav = window->findChild<QStackedWidget*>("nbNav");
    const QStringList trees = {"tvGeo", "tvAir", "TvSea", "tvTrain", "tvBidding"};
    for (int i = 0; i < trees.size(); ++i)
        QVERIFY2(nbNav->widget(i)->findChild<QWidget*>(trees.at(i)), qPrintable(trees.at(i)));
    for (const char* name :
         {"pnlImTop", "TrevUserList", "pnlIm", "pnlAirTop", "pnlSeaRecomment", "pnlTrianRecomment",
          "lblAirType", "lblAirInfo", "lblSeaAction", "lblSeaInfo", "lblTrianAction",
          "lblTrianInfo", "lblTypesS", "lblCount1S"})
        QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
    QVERIFY(window->findChild<QSystemTrayIcon*>("RxTrayIcon"));
    QVERIFY(window->findChild<QTimer*>("TimerAd"));
}

void ShellTextsTest::connectionLabelKeepsItsTextWhenOnlyTheColourChanges()
{
    auto* conn = window->findChild<QLabel*>("lblConn");
    // Signing in turns the label black and leaves its text.
    window->imHost()->setConnectionText(QString(), IMSessionHost::Normal);
    QCOMPARE(conn->text(), QStringLiteral("未连接"));
    window->imHost()->setConnectionText(QStringLiteral("连接服务器失败"), IMSessionHost::Failure);
    QCOMPARE(conn->text(), QStringLiteral("连接服务器失败"));
    QCOMPARE(conn->palette().color(QPalette::WindowText), QColor(Qt::red));
    window->imHost()->setConnectionText(QString(), IMSessionHost::Normal);
    QCOMPARE(conn->text(), QStringLiteral("连接服务器失败"));
    QCOMPARE(conn->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void ShellTextsTest::friendTreeTexts()
{
    auto* tree = window->findChild<FriendTree*>("TrevUserList");
    QVERIFY(tree);
    tree->addGroup(QStringLiteral("我的好友"));
    tree->addGroup(QStringLiteral("货运联盟"));
    QTreeWidgetItem* friends = tree->topLevelItem(0);
    QCOMPARE(FriendTree::groupHint(friends), QStringLiteral("你还没有添加好友哦 ！ "));
    FriendEntry entry;
    entry.jid = QStringLiteral("zhangwei@localhost");
    entry.displayName = QStringLiteral("zhangwei");
    tree->addFriend(entry);
    QCOMPARE(FriendTree::groupHint(friends), QStringLiteral("我的好友(1)"));
}

void ShellTextsTest::subscriptionRequestDialog()
{
    TfrmAudit dialog(QStringLiteral("zhangwei@localhost"), nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("提示消息"));
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("zhangwei@localhost 请求加你为好友")));
    QStringList buttons;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        buttons << button->text();
    buttons.sort();
    QStringList expected = {QStringLiteral("通过并加对方"), QStringLiteral("拒绝")};
    expected.sort();
    QCOMPARE(buttons, expected);
}

QTEST_MAIN(ShellTextsTest)
#include "tst_ShellTexts.moc"
