#include "ui/main/MainCommandBars.h"

#include "service/ShellState.h"
#include "ui/main/ClickableImage.h"
#include "ui/main/MainCommands.h"
#include "ui/main/ShellPictures.h"
#include "ui/main/ShellWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

namespace {

QWidget* makeBar(const QString& name, QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(name);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    return bar;
}

ClickableImage* addImage(QWidget* bar, const char* name, const char* hint,
                         ShellPictures::Badge badge)
{
    auto* image = new ClickableImage(QLatin1String(name), QString::fromUtf8(hint), bar);
    image->setPixmap(ShellPictures::badge(badge));
    bar->layout()->addWidget(image);
    return image;
}

// How far below its button each menu drops down.
int dropDownOffset(ShellMenu menu)
{
    switch (menu) {
    case ShellMenu::MyAccount:
    case ShellMenu::Log:
    case ShellMenu::Tools:
        return 1;
    default:
        return 2;
    }
}

} // namespace

MainCommandBars::MainCommandBars(QWidget* window, MainCommands* commands, ShellWidgets& widgets)
    : m_window(window), m_commands(commands), m_widgets(widgets)
{}

// ---------------------------------------------------------------- buttons

QPushButton* MainCommandBars::addButton(QWidget* bar, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    bar->layout()->addWidget(button);
    return button;
}

void MainCommandBars::addDropDown(QPushButton* button, ShellMenu menu)
{
    m_anchors[menu] = button;
    MainCommands* commands = m_commands;
    QObject::connect(button, &QPushButton::clicked, commands,
                     [commands, menu] { commands->dropDown(menu); });
}

QWidget* MainCommandBars::buildTopBar()
{
    QWidget* bar = makeBar(QStringLiteral("pnlMenu"), m_window);
    addDropDown(addButton(bar, QStringLiteral("btnMyaccount"), QStringLiteral("我的资料")),
                ShellMenu::MyAccount);
    addDropDown(addButton(bar, QStringLiteral("btnLog"), QStringLiteral("配货信息")),
                ShellMenu::Log);
    addDropDown(addButton(bar, QStringLiteral("btnTools"), QStringLiteral("常用工具")),
                ShellMenu::Tools);
    QObject::connect(addButton(bar, QStringLiteral("btnHelp"), QStringLiteral("关于")),
                     &QPushButton::clicked, m_commands, &MainCommands::btnHelpClick);
    QObject::connect(addButton(bar, QStringLiteral("btnCSR"), QStringLiteral("在线客服")),
                     &QPushButton::clicked, m_commands, &MainCommands::btnCSRClick);
    static_cast<QHBoxLayout*>(bar->layout())->addStretch();
    return bar;
}

QWidget* MainCommandBars::buildToolBar()
{
    QWidget* bar = makeBar(QStringLiteral("pnlToolBar"), m_window);
    auto* row = static_cast<QHBoxLayout*>(bar->layout());
    row->setSpacing(2);
    m_sidePanelToggle =
        new ClickableImage(QStringLiteral("imgLeft"), QStringLiteral("收起侧边"), bar);
    m_sidePanelToggle->setPixmap(ShellPictures::arrow(ShellPictures::ArrowLeft));
    row->addWidget(m_sidePanelToggle);
    auto button = [this, bar](const char* name, const char* caption) {
        return addButton(bar, QLatin1String(name), QString::fromUtf8(caption));
    };
    auto command = [this](QPushButton* pushed, void (MainCommands::*slot)()) {
        QObject::connect(pushed, &QPushButton::clicked, m_commands, slot);
    };
    addDropDown(button("btnLocal", "本地"), ShellMenu::Local);
    addDropDown(button("btnCargo", "货源"), ShellMenu::Cargo);
    addDropDown(button("btnCar", "车源"), ShellMenu::Truck);
    command(button("btnSearch", "搜索"), &MainCommands::btnSearchClick);
    addDropDown(button("btnGroup", "商圈"), ShellMenu::Status);
    command(button("btnTrain", "铁路"), &MainCommands::btnTrainClick);
    command(button("btnSea", "海运"), &MainCommands::btnSeaClick);
    command(button("btnAir", "空运"), &MainCommands::btnAirClick);
    command(button("btnBidding", "招标"), &MainCommands::btnBiddingClick);
    command(button("SpeedButton1", "定制"), &MainCommands::speedButton1Click);
    row->addStretch();
    addImages(bar);
    addRefreshBox(bar);
    return bar;
}

void MainCommandBars::addImages(QWidget* bar)
{
    MainCommands* commands = m_commands;
    QObject::connect(addImage(bar, "Image1", "投诉.建议.使用等问题咨询", ShellPictures::BadgeHelp),
                     &ClickableImage::clicked, commands, &MainCommands::btnCSRClick);
    QObject::connect(addImage(bar, "imgXZ", "公路信息发布", ShellPictures::BadgePublishLand),
                     &ClickableImage::clicked, commands, &MainCommands::imgXZClick);
    QObject::connect(addImage(bar, "imgDX", "公路信息发布", ShellPictures::BadgePublishPicked),
                     &ClickableImage::clicked, commands, &MainCommands::imgDXClick);
    ClickableImage* issue =
        addImage(bar, "imgAirIssue", "空运.铁路.海运信息发布", ShellPictures::BadgePublishFreight);
    m_anchors[ShellMenu::Issue] = issue;
    QObject::connect(issue, &ClickableImage::clicked, commands,
                     [commands] { commands->dropDown(ShellMenu::Issue); });
}

void MainCommandBars::addRefreshBox(QWidget* bar)
{
    auto* refresh = new QCheckBox(QStringLiteral("滚动"), bar);
    refresh->setObjectName(QStringLiteral("chkRefresh"));
    refresh->setToolTip(QStringLiteral("自动接收信息"));
    refresh->setChecked(true);
    shellState().autoReceive = true;
    QObject::connect(refresh, &QCheckBox::toggled, bar,
                     [](bool on) { shellState().autoReceive = on; });
    bar->layout()->addWidget(refresh);
}

void MainCommandBars::dropDown(ShellMenu menu) const
{
    QWidget* anchor = m_anchors[menu];
    m_widgets.menus[menu]->popup(
        anchor->mapToGlobal(QPoint(0, anchor->height() + dropDownOffset(menu))));
}

// ---------------------------------------------------------------- menus

QMenu* MainCommandBars::addMenu(ShellMenu which)
{
    auto* menu = new QMenu(m_window);
    menu->setObjectName(ShellControls::controlName(which));
    m_widgets.menus[which] = menu;
    return menu;
}

QAction* MainCommandBars::addItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

void MainCommandBars::buildMenus(const std::function<void()>& logOffAndOn,
                                 const std::function<void()>& exitSystem)
{
    buildLandMenus();
    buildLogMenu();
    buildToolsMenu();
    buildSessionMenus(logOffAndOn, exitSystem);
    buildIssueMenu();
}

void MainCommandBars::addLandItem(QMenu* menu, const char* name, const char* caption, int kind)
{
    MainCommands* commands = m_commands;
    QObject::connect(addItem(menu, name, caption), &QAction::triggered, commands,
                     [commands, kind] { commands->showLandView(kind); });
}

void MainCommandBars::buildLandMenus()
{
    QMenu* local = addMenu(ShellMenu::Local);
    addLandItem(local, "MenuItem4", "本地信息", 1);
    addLandItem(local, "MenuItem10", "本地货源", 2);
    addLandItem(local, "MenuItem11", "本地车源", 3);

    QMenu* cargo = addMenu(ShellMenu::Cargo);
    addLandItem(cargo, "N10", "本地货源", 2);
    addLandItem(cargo, "N11", "出发货源", 5);
    addLandItem(cargo, "N12", "回程货源", 8);

    QMenu* truck = addMenu(ShellMenu::Truck);
    addLandItem(truck, "N16", "本地车源", 3);
    addLandItem(truck, "N64", "出发车源", 6);
    addLandItem(truck, "N65", "回程车源", 9);
}

void MainCommandBars::buildLogMenu()
{
    QMenu* log = addMenu(ShellMenu::Log);
    QMenu* instant = log->addMenu(QStringLiteral("即时信息"));
    instant->setObjectName(QStringLiteral("N29"));
    const struct
    {
        const char* name;
        const char* caption;
        int kind;
    } instantItems[] = {
        {"N30", "全部本地信息", 1}, {"N31", "本地货源", 2}, {"N32", "本地车源", 3},
        {"N34", "全部出发信息", 4}, {"N35", "出发货源", 5}, {"N36", "出发车源", 6},
        {"N38", "全部到达信息", 7}, {"N39", "到达货源", 8}, {"N40", "到达车源", 9},
    };
    for (const auto& entry : instantItems) {
        if (entry.kind == 4 || entry.kind == 7)
            instant->addSeparator();
        addLandItem(instant, entry.name, entry.caption, entry.kind);
    }
    QObject::connect(addItem(log, "N28", "搜索..."), &QAction::triggered, m_commands,
                     &MainCommands::btnSearchClick);
    QMenu* publish = log->addMenu(QStringLiteral("发布信息"));
    publish->setObjectName(QStringLiteral("N33"));
    QObject::connect(addItem(publish, "N41", "点选发布"), &QAction::triggered, m_commands,
                     &MainCommands::imgDXClick);
    QObject::connect(addItem(publish, "N42", "选字发布"), &QAction::triggered, m_commands,
                     &MainCommands::imgXZClick);
}

void MainCommandBars::buildToolsMenu()
{
    MainCommands* commands = m_commands;
    QMenu* tools = addMenu(ShellMenu::Tools);
    QObject::connect(addItem(tools, "N51", "当地地图"), &QAction::triggered, commands,
                     &MainCommands::toolMap);
    QObject::connect(addItem(tools, "N52", "计算器"), &QAction::triggered, commands,
                     &MainCommands::toolCalculator);
    QObject::connect(addItem(tools, "N53", "电子日历"), &QAction::triggered, commands,
                     &MainCommands::toolCalendar);
    tools->addSeparator();
    auto outside = [this, commands, tools](const char* name, const char* caption,
                                           const char* path) {
        QObject::connect(addItem(tools, name, caption), &QAction::triggered, commands,
                         [commands, path] { commands->toolOutsidePage(QLatin1String(path)); });
    };
    outside("N56", "违规查询", "/tools/wz.htm");
    outside("N57", "交通法规", "/tools/fg.htm");
    outside("N58", "车牌代码", "/tools/chepai.htm");
}

QAction* MainCommandBars::addSessionItem(QMenu* menu, IMSessionHost::SessionMenu which,
                                         const char* name, const char* caption, bool enabled)
{
    QAction* action = addItem(menu, name, caption);
    action->setEnabled(enabled);
    m_widgets.sessionItems[which] = action;
    return action;
}

void MainCommandBars::buildSessionMenus(const std::function<void()>& logOffAndOn,
                                        const std::function<void()>& exitSystem)
{
    auto logItem = [this, &logOffAndOn](QMenu* menu, IMSessionHost::SessionMenu which,
                                        const char* name, const char* caption, bool enabled) {
        QObject::connect(addSessionItem(menu, which, name, caption, enabled), &QAction::triggered,
                         m_window, logOffAndOn);
    };
    QMenu* status = addMenu(ShellMenu::Status);
    logItem(status, IMSessionHost::MenuLogOff, "N20", "注销(&N)", false);
    logItem(status, IMSessionHost::MenuLogIn, "N76", "登录", true);
    status->addSeparator();
    QObject::connect(addSessionItem(status, IMSessionHost::MenuAddFriend, "N66", "添加运友", false),
                     &QAction::triggered, m_commands, &MainCommands::findFriend);

    QMenu* account = addMenu(ShellMenu::MyAccount);
    QObject::connect(addItem(account, "N22", "我的资料"), &QAction::triggered, m_commands,
                     &MainCommands::imgInfoClick);
    account->addSeparator();
    logItem(account, IMSessionHost::MenuAccountLogOff, "N6", "注销", false);
    logItem(account, IMSessionHost::MenuAccountLogIn, "N9", "登录", true);
    account->addSeparator();
    QObject::connect(addItem(account, "N63", "退出系统"), &QAction::triggered, m_window,
                     exitSystem);
}

void MainCommandBars::buildIssueMenu()
{
    MainCommands* commands = m_commands;
    QMenu* issue = addMenu(ShellMenu::Issue);
    auto item = [this, commands, issue](const char* name, const char* caption, int family) {
        QObject::connect(addItem(issue, name, caption), &QAction::triggered, commands,
                         [commands, family] { commands->showIssue(family); });
    };
    item("N4", "空运信息发布", 0);
    item("N19", "海运信息发布", 1);
    item("N21", "铁路信息发布", 2);
}
