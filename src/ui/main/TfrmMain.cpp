#include "ui/main/TfrmMain.h"

#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "im/BroadcastHandler.h"
#include "im/IMSession.h"
#include "im/XmppIMClient.h"
#include "refdata/FixedLists.h"
#include "refdata/PortTables.h"
#include "refdata/RegionTree.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Startup.h"
#include "ui/im/ImPanel.h"
#include "ui/im/ImSessionBinding.h"
#include "ui/im/WidgetSessionDialogs.h"
#include "ui/main/ClickableImage.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/LandViews.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingActivation.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/MainWindowHooks.h"
#include "ui/main/NavTreeView.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/ShellLauncher.h"
#include "ui/main/ShellPictures.h"
#include "ui/main/TfrmCopyright.h"
#include "ui/main/TfrmNewBrowser.h"
#include "ui/refdata/GeoTreeBuilder.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

const QColor kThemeColour(0xCE, 0xDC, 0xEF);
constexpr int kSearchPanelHeight = 301;
const QString kAdPage = QStringLiteral("/ad/021.htm");

QString pageSetName(ListingGrid which)
{
    switch (which) {
    case ListingGrid::InfoGrd:
        return QStringLiteral("InfoGrd");
    case ListingGrid::searchGrd:
        return QStringLiteral("searchGrd");
    case ListingGrid::airInfoGrd:
        return QStringLiteral("airInfoGrd");
    case ListingGrid::seaInfoGrd:
        return QStringLiteral("seaInfoGrd");
    case ListingGrid::TrianInfoGrd:
        return QStringLiteral("TrianInfoGrd");
    }
    return QString();
}

ListingFamily familyOf(ListingGrid which)
{
    switch (which) {
    case ListingGrid::airInfoGrd:
        return ListingFamily::Air;
    case ListingGrid::seaInfoGrd:
        return ListingFamily::Sea;
    case ListingGrid::TrianInfoGrd:
        return ListingFamily::Rail;
    default:
        return ListingFamily::Land;
    }
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Labels show server and user texts: never interpret them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QWidget* makePanel(const QString& name, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    return panel;
}

} // namespace

TfrmMain::TfrmMain(IMClient* client, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    // 1. The updater (a later part of the program installs it).
    if (mainWindowHooks().configureUpdater)
        mainWindowHooks().configureUpdater(this);
    // 2. Caption and flags.
    setWindowTitle(session().AppName);
    state().closeWithoutAsking = false;
    setMinimumSize(897, 628);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kThemeColour);
    setPalette(pal);
    setAutoFillBackground(true);

    m_client = client ? client : new XmppIMClient(this);
    if (!m_client->parent())
        m_client->setParent(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());
    layout->addWidget(buildToolBar());
    layout->addWidget(buildBanner());
    QStackedWidget* nbmain = addPageSet(QStringLiteral("nbmain"));
    QWidget* infoPage = addPage(nbmain, QStringLiteral("infopage"));
    addPage(nbmain, QStringLiteral("wbPage"));
    auto* body = new QHBoxLayout(infoPage);
    body->setContentsMargins(2, 2, 2, 2);
    body->setSpacing(3);
    body->addWidget(buildLeftPanel());
    body->addWidget(buildMiddle(), 1);
    layout->addWidget(nbmain, 1);
    layout->addWidget(buildBottomBar());
    buildMenus();
    buildTray();

    m_ownLoads = std::make_unique<ServiceLoadStarter>(this, this);
    m_loads = m_ownLoads.get();
    // 3. Trees.
    fillTrees();
    // 4. Messaging, land view kind.
    wireMessaging();
    state().landViewKind = 1;
    // 5. Banner.
    m_webViews.value(QStringLiteral("wbHeadLeft"))
        ->navigate(QUrl(siteUrl(QStringLiteral("/ad/headAd.htm"))));
    // 6. Pages.
    showInfoPages(QStringLiteral("pgLand"), QStringLiteral("pgGrd"));

    m_adTimer = new QTimer(this);
    m_adTimer->setObjectName(QStringLiteral("TimerAd"));
    m_adTimer->setInterval(10000);
    connect(m_adTimer, &QTimer::timeout, this, &TfrmMain::adTick);

    setWindowState(windowState() | Qt::WindowMaximized);
}

TfrmMain::~TfrmMain()
{
    TfrmNewBrowser::setFriendRequestHandler(nullptr);
    if (m_tray)
        m_tray->hide();
    // The session talks to the client and the panel while it goes; end it first.
    delete m_session;
    m_session = nullptr;
}

void TfrmMain::setLoadStarter(LoadStarter* starter)
{
    m_loads = starter ? starter : m_ownLoads.get();
}

// ---------------------------------------------------------------- construction

QPushButton* TfrmMain::addButton(QWidget* bar, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    bar->layout()->addWidget(button);
    m_buttons.insert(name, button);
    return button;
}

QWidget* TfrmMain::buildTopBar()
{
    QWidget* bar = makePanel(QStringLiteral("pnlMenu"), this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    QPushButton* account = addButton(bar, QStringLiteral("btnMyaccount"), QString());
    account->setText(QStringLiteral("我的资料"));
    connect(account, &QPushButton::clicked, this,
            [this] { dropDown(QStringLiteral("btnMyaccount")); });
    connect(addButton(bar, QStringLiteral("btnLog"), QStringLiteral("配货信息")),
            &QPushButton::clicked, this, [this] { dropDown(QStringLiteral("btnLog")); });
    connect(addButton(bar, QStringLiteral("btnTools"), QStringLiteral("常用工具")),
            &QPushButton::clicked, this, [this] { dropDown(QStringLiteral("btnTools")); });
    connect(addButton(bar, QStringLiteral("btnHelp"), QStringLiteral("关于")),
            &QPushButton::clicked, this, &TfrmMain::btnHelpClick);
    connect(addButton(bar, QStringLiteral("btnCSR"), QStringLiteral("在线客服")),
            &QPushButton::clicked, this, &TfrmMain::btnCSRClick);
    row->addStretch();
    return bar;
}

QWidget* TfrmMain::buildToolBar()
{
    QWidget* bar = makePanel(QStringLiteral("pnlToolBar"), this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    m_imgLeft = new ClickableImage(QStringLiteral("imgLeft"), QStringLiteral("收起侧边"), bar);
    m_imgLeft->setPixmap(ShellPictures::arrow(ShellPictures::ArrowLeft));
    connect(m_imgLeft, &ClickableImage::clicked, this, &TfrmMain::imgLeftClick);
    row->addWidget(m_imgLeft);
    connect(addButton(bar, QStringLiteral("btnLocal"), QStringLiteral("本地")),
            &QPushButton::clicked, this, [this] { dropDown(QStringLiteral("btnLocal")); });
    connect(addButton(bar, QStringLiteral("btnCargo"), QStringLiteral("货源")),
            &QPushButton::clicked, this, [this] { dropDown(QStringLiteral("btnCargo")); });
    connect(addButton(bar, QStringLiteral("btnCar"), QStringLiteral("车源")), &QPushButton::clicked,
            this, [this] { dropDown(QStringLiteral("btnCar")); });
    connect(addButton(bar, QStringLiteral("btnSearch"), QStringLiteral("搜索")),
            &QPushButton::clicked, this, &TfrmMain::btnSearchClick);
    connect(addButton(bar, QStringLiteral("btnGroup"), QStringLiteral("商圈")),
            &QPushButton::clicked, this, [this] { dropDown(QStringLiteral("btnGroup")); });
    connect(addButton(bar, QStringLiteral("btnTrain"), QStringLiteral("铁路")),
            &QPushButton::clicked, this, &TfrmMain::btnTrainClick);
    connect(addButton(bar, QStringLiteral("btnSea"), QStringLiteral("海运")), &QPushButton::clicked,
            this, &TfrmMain::btnSeaClick);
    connect(addButton(bar, QStringLiteral("btnAir"), QStringLiteral("空运")), &QPushButton::clicked,
            this, &TfrmMain::btnAirClick);
    connect(addButton(bar, QStringLiteral("btnBidding"), QStringLiteral("招标")),
            &QPushButton::clicked, this, &TfrmMain::btnBiddingClick);
    connect(addButton(bar, QStringLiteral("SpeedButton1"), QStringLiteral("定制")),
            &QPushButton::clicked, this, &TfrmMain::speedButton1Click);
    row->addStretch();

    struct ImageSpec
    {
        const char* name;
        const char* hint;
        ShellPictures::Badge badge;
    };
    const ImageSpec images[] = {
        {"Image1", "投诉.建议.使用等问题咨询", ShellPictures::BadgeHelp},
        {"imgXZ", "公路信息发布", ShellPictures::BadgePublishLand},
        {"imgDX", "公路信息发布", ShellPictures::BadgePublishPicked},
        {"imgAirIssue", "空运.铁路.海运信息发布", ShellPictures::BadgePublishFreight},
    };
    for (const ImageSpec& entry : images) {
        auto* image =
            new ClickableImage(QLatin1String(entry.name), QString::fromUtf8(entry.hint), bar);
        image->setPixmap(ShellPictures::badge(entry.badge));
        row->addWidget(image);
        m_buttons.insert(image->objectName(), image);
    }
    connect(static_cast<ClickableImage*>(m_buttons.value(QStringLiteral("Image1"))),
            &ClickableImage::clicked, this, &TfrmMain::btnCSRClick);
    connect(static_cast<ClickableImage*>(m_buttons.value(QStringLiteral("imgXZ"))),
            &ClickableImage::clicked, this, &TfrmMain::imgXZClick);
    connect(static_cast<ClickableImage*>(m_buttons.value(QStringLiteral("imgDX"))),
            &ClickableImage::clicked, this, &TfrmMain::imgDXClick);
    connect(static_cast<ClickableImage*>(m_buttons.value(QStringLiteral("imgAirIssue"))),
            &ClickableImage::clicked, this, [this] { dropDown(QStringLiteral("imgAirIssue")); });

    m_chkRefresh = new QCheckBox(QStringLiteral("滚动"), bar);
    m_chkRefresh->setObjectName(QStringLiteral("chkRefresh"));
    m_chkRefresh->setToolTip(QStringLiteral("自动接收信息"));
    m_chkRefresh->setChecked(true);
    state().autoReceive = true;
    connect(m_chkRefresh, &QCheckBox::toggled, this, [this](bool on) { state().autoReceive = on; });
    row->addWidget(m_chkRefresh);
    return bar;
}

LazyWebView* TfrmMain::addWebView(const QString& name, bool noContextMenu, bool borderless)
{
    auto* view = new LazyWebView(name, this);
    view->setContextMenuSuppressed(noContextMenu);
    view->setBorderlessBody(borderless);
    m_webViews.insert(name, view);
    return view;
}

QWidget* TfrmMain::buildBanner()
{
    QWidget* banner = makePanel(QStringLiteral("pnlAddviser"), this);
    banner->setFixedHeight(62);
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(0, 0, 0, 0);
    LazyWebView* view = addWebView(QStringLiteral("wbHeadLeft"), true, true);
    view->setParent(banner);
    row->addWidget(view);
    return banner;
}

QStackedWidget* TfrmMain::addPageSet(const QString& name)
{
    auto* set = new QStackedWidget(this);
    set->setObjectName(name);
    m_pageSets.insert(name.toLower(), set);
    return set;
}

QWidget* TfrmMain::addPage(QStackedWidget* set, const QString& name, QWidget* page)
{
    if (!page)
        page = new QWidget(set);
    page->setObjectName(name);
    set->addWidget(page);
    return page;
}

QWidget* TfrmMain::buildLeftPanel()
{
    m_pnlLeft = makePanel(QStringLiteral("pnlLeft"), this);
    m_pnlLeft->setFixedWidth(200);
    auto* column = new QVBoxLayout(m_pnlLeft);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel* header = makeLabel(QStringLiteral("Label3"), QStringLiteral("选择地区信息"), m_pnlLeft);
    header->setFixedHeight(24);
    header->setStyleSheet(
        QStringLiteral("QLabel { background: white; padding-left: 4px; font-weight: bold; }"));
    column->addWidget(header);

    QStackedWidget* nbNav = addPageSet(QStringLiteral("nbNav"));
    auto addTreePage = [&](const QString& page, const QString& tree, bool geo) {
        NavTreeView::Options options;
        options.oneOpenBranch = tree != QLatin1String("tvTrain");
        options.plainSelectedKindMinusOne = !geo;
        QWidget* holder = addPage(nbNav, page);
        auto* fill = new QVBoxLayout(holder);
        fill->setContentsMargins(0, 0, 0, 0);
        auto* view = new NavTreeView(tree, options, holder);
        fill->addWidget(view);
        m_trees.insert(tree, view);
        return view;
    };
    connect(addTreePage(QStringLiteral("pgLand"), QStringLiteral("tvGeo"), true),
            &NavTreeView::nodePressed, this, [this](QTreeWidgetItem* item) { tvGeoPressed(item); });
    connect(addTreePage(QStringLiteral("pgAirprice"), QStringLiteral("tvAir"), false),
            &NavTreeView::nodePressed, this, [this](QTreeWidgetItem* item, Qt::MouseButton b) {
                if (b == Qt::LeftButton)
                    tvAirClicked(item);
            });
    connect(addTreePage(QStringLiteral("pgSea"), QStringLiteral("TvSea"), false),
            &NavTreeView::nodePressed, this, [this](QTreeWidgetItem* item, Qt::MouseButton b) {
                if (b == Qt::LeftButton)
                    tvSeaClicked(item);
            });
    connect(addTreePage(QStringLiteral("pgTrian"), QStringLiteral("tvTrain"), false),
            &NavTreeView::nodePressed, this,
            [this](QTreeWidgetItem* item) { tvTrainPressed(item); });
    connect(addTreePage(QStringLiteral("pgBidding"), QStringLiteral("tvBidding"), false),
            &NavTreeView::nodePressed, this, [this](QTreeWidgetItem* item, Qt::MouseButton b) {
                if (b == Qt::LeftButton)
                    tvBiddingClicked(item);
            });
    nbNav->setParent(m_pnlLeft);
    column->addWidget(nbNav, 1);

    m_imPanel = new ImPanel(m_pnlLeft);
    if (m_imPanel->objectName().isEmpty())
        m_imPanel->setObjectName(QStringLiteral("pnlIm"));
    m_imPanel->setFixedHeight(ImPanel::ExpandedHeight);
    column->addWidget(m_imPanel);
    return m_pnlLeft;
}

QWidget* TfrmMain::buildMiddle()
{
    QWidget* middle = makePanel(QStringLiteral("pnlMain"), this);
    auto* column = new QVBoxLayout(middle);
    column->setContentsMargins(0, 0, 0, 0);
    QStackedWidget* nbInfo = addPageSet(QStringLiteral("nbInfo"));
    nbInfo->setParent(middle);
    addPage(nbInfo, QStringLiteral("pgGrd"), buildLandPage());
    addPage(nbInfo, QStringLiteral("pgAir"),
            buildPricePage(QStringLiteral("pgAir"), QStringLiteral("pnlAirTop"),
                           QStringLiteral("wbAirRecomment"), QStringLiteral("wbNotice"),
                           QStringLiteral("lblAirType"), QStringLiteral("lblAirInfo"),
                           ListingGrid::airInfoGrd));
    addPage(nbInfo, QStringLiteral("pgSea"),
            buildPricePage(QStringLiteral("pgSea"), QStringLiteral("pnlSeaRecomment"),
                           QStringLiteral("wbSeaRecomment"), QStringLiteral("wbSeaNotice"),
                           QStringLiteral("lblSeaAction"), QStringLiteral("lblSeaInfo"),
                           ListingGrid::seaInfoGrd));
    addPage(nbInfo, QStringLiteral("pgTrian"),
            buildPricePage(QStringLiteral("pgTrian"), QStringLiteral("pnlTrianRecomment"),
                           QStringLiteral("wbTrainInfo"), QStringLiteral("wbTrianNotice"),
                           QStringLiteral("lblTrianAction"), QStringLiteral("lblTrianInfo"),
                           ListingGrid::TrianInfoGrd));
    QWidget* web = new QWidget(nbInfo);
    auto* webColumn = new QVBoxLayout(web);
    webColumn->setContentsMargins(0, 0, 0, 0);
    LazyWebView* wbMsg = addWebView(QStringLiteral("wbMsg"), true, true);
    wbMsg->setParent(web);
    webColumn->addWidget(wbMsg);
    addPage(nbInfo, QStringLiteral("pgWeb"), web);
    column->addWidget(nbInfo);
    return middle;
}

QWidget* TfrmMain::buildLandPage()
{
    QWidget* page = new QWidget(this);
    m_landLayout = new QVBoxLayout(page);
    m_landLayout->setContentsMargins(0, 0, 0, 0);
    m_landLayout->setSpacing(2);

    m_pnlTop = makePanel(QStringLiteral("pnlTop"), page);
    m_pnlTop->setFixedHeight(120);
    auto* adRow = new QHBoxLayout(m_pnlTop);
    adRow->setContentsMargins(0, 0, 0, 0);
    LazyWebView* ad = addWebView(QStringLiteral("wbMrvAd"), true, true);
    LazyWebView* notice = addWebView(QStringLiteral("wbMrvGg"), true, false);
    ad->setParent(m_pnlTop);
    notice->setParent(m_pnlTop);
    adRow->addWidget(ad, 3);
    adRow->addWidget(notice, 2);
    m_landLayout->addWidget(m_pnlTop);

    QWidget* heading = makePanel(QStringLiteral("pnlTypes"), page);
    auto* headingRow = new QHBoxLayout(heading);
    headingRow->setContentsMargins(4, 0, 4, 0);
    headingRow->addWidget(makeLabel(QStringLiteral("lblTypes"), QString(), heading));
    headingRow->addWidget(makeLabel(QStringLiteral("lblCount1"), QString(), heading));
    headingRow->addStretch();
    m_landLayout->addWidget(heading);

    auto* info = new ListingGridView(ListingFamily::Land, page);
    info->setObjectName(QStringLiteral("InfoGrd"));
    m_grids.insert(int(ListingGrid::InfoGrd), info);
    connect(info, &ListingGridView::fieldDoubleClicked, this,
            [this](int row, int field) { onGridActivated(ListingGrid::InfoGrd, row, field); });
    m_landLayout->addWidget(info, 1);
    m_landLayout->addWidget(buildSearchPanel());
    return page;
}

QWidget* TfrmMain::buildSearchPanel()
{
    m_pnlSearchGrd = makePanel(QStringLiteral("pnlSearchGrd"), this);
    auto* column = new QVBoxLayout(m_pnlSearchGrd);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    QWidget* bar = makePanel(QStringLiteral("pnlSearchTop"), m_pnlSearchGrd);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 0, 4, 0);
    row->addWidget(makeLabel(QStringLiteral("lblTypesS"), QString(), bar));
    row->addWidget(makeLabel(QStringLiteral("lblCount1S"), QString(), bar));
    row->addStretch();
    m_image10 = new ClickableImage(QStringLiteral("Image10"), QStringLiteral("最大化"), bar);
    m_image10->setPixmap(ShellPictures::arrow(ShellPictures::ArrowDown));
    connect(m_image10, &ClickableImage::clicked, this, &TfrmMain::image10Click);
    row->addWidget(m_image10);
    auto* close = new QPushButton(QStringLiteral("关闭"), bar);
    close->setObjectName(QStringLiteral("SpeedButton5"));
    close->setFlat(true);
    connect(close, &QPushButton::clicked, this, &TfrmMain::speedButton5Click);
    m_buttons.insert(close->objectName(), close);
    row->addWidget(close);
    column->addWidget(bar);
    auto* search = new ListingGridView(ListingFamily::Land, m_pnlSearchGrd);
    search->setObjectName(QStringLiteral("searchGrd"));
    m_grids.insert(int(ListingGrid::searchGrd), search);
    connect(search, &ListingGridView::fieldDoubleClicked, this,
            [this](int row, int field) { onGridActivated(ListingGrid::searchGrd, row, field); });
    column->addWidget(search, 1);
    m_pnlSearchGrd->setFixedHeight(kSearchPanelHeight);
    m_pnlSearchGrd->hide();
    return m_pnlSearchGrd;
}

QWidget* TfrmMain::buildPricePage(const QString& page, const QString& topPanel,
                                  const QString& recommendView, const QString& noticeView,
                                  const QString& typeLabel, const QString& infoLabel,
                                  ListingGrid which)
{
    QWidget* widget = new QWidget(this);
    widget->setProperty("pageName", page);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QWidget* top = makePanel(topPanel, widget);
    top->setFixedHeight(120);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(0, 0, 0, 0);
    LazyWebView* recommend = addWebView(recommendView, false, true);
    LazyWebView* notice = addWebView(noticeView, false, false);
    recommend->setParent(top);
    notice->setParent(top);
    topRow->addWidget(recommend, 3);
    topRow->addWidget(notice, 2);
    column->addWidget(top);
    QWidget* heading = new QWidget(widget);
    auto* headingRow = new QHBoxLayout(heading);
    headingRow->setContentsMargins(4, 0, 4, 0);
    headingRow->addWidget(makeLabel(typeLabel, QString(), heading));
    headingRow->addWidget(makeLabel(infoLabel, QString(), heading));
    headingRow->addStretch();
    column->addWidget(heading);
    auto* grid = new ListingGridView(familyOf(which), widget);
    grid->setObjectName(pageSetName(which));
    m_grids.insert(int(which), grid);
    connect(grid, &ListingGridView::fieldDoubleClicked, this,
            [this, which](int row, int field) { onGridActivated(which, row, field); });
    column->addWidget(grid, 1);
    return widget;
}

QWidget* TfrmMain::buildBottomBar()
{
    m_pnlBot = makePanel(QStringLiteral("pnlBot"), this);
    m_pnlBot->setFixedHeight(24);
    auto* row = new QHBoxLayout(m_pnlBot);
    row->setContentsMargins(6, 0, 6, 0);
    auto* user =
        new ClickableImage(QStringLiteral("lblUserInfo"), QStringLiteral("点击添加好友"), m_pnlBot);
    user->setText(session().userName());
    connect(user, &ClickableImage::clicked, this, &TfrmMain::findFriend);
    row->addWidget(user);
    row->addSpacing(12);
    row->addWidget(makeLabel(QStringLiteral("lblNet"), QStringLiteral("网络:"), m_pnlBot));
    row->addWidget(makeLabel(QStringLiteral("lblConn"), QStringLiteral("未连接"), m_pnlBot));
    row->addSpacing(12);
    row->addWidget(makeLabel(QStringLiteral("lblEndate"), QStringLiteral("有效期:"), m_pnlBot));
    row->addStretch();
    // The advertisement is placed by hand, right-aligned by its length (see adTick).
    m_urlAd = makeLabel(QStringLiteral("URLAd"), QString(), m_pnlBot);
    m_urlAd->setToolTip(QStringLiteral("点击查看详情"));
    m_urlAd->setCursor(Qt::PointingHandCursor);
    m_urlAd->setTextFormat(Qt::RichText);
    m_urlAd->hide();
    connect(m_urlAd, &QLabel::linkActivated, this, [](const QString& link) {
        if (!link.trimmed().isEmpty())
            ShellLauncher::openInBrowser(link);
    });
    return m_pnlBot;
}

QMenu* TfrmMain::addMenu(const QString& name, QWidget* parent)
{
    auto* menu = new QMenu(parent ? parent : this);
    menu->setObjectName(name);
    m_menus.insert(name, menu);
    return menu;
}

QAction* TfrmMain::addItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    m_items.insert(name, action);
    return action;
}

void TfrmMain::buildMenus()
{
    auto view = [this](int kind) { return [this, kind] { showLandView(kind); }; };

    QMenu* local = addMenu(QStringLiteral("pmLocal"), this);
    connect(addItem(local, QStringLiteral("MenuItem4"), QStringLiteral("本地信息")),
            &QAction::triggered, this, view(1));
    connect(addItem(local, QStringLiteral("MenuItem10"), QStringLiteral("本地货源")),
            &QAction::triggered, this, view(2));
    connect(addItem(local, QStringLiteral("MenuItem11"), QStringLiteral("本地车源")),
            &QAction::triggered, this, view(3));

    QMenu* cargo = addMenu(QStringLiteral("pMnuCargo"), this);
    connect(addItem(cargo, QStringLiteral("N10"), QStringLiteral("本地货源")), &QAction::triggered,
            this, view(2));
    connect(addItem(cargo, QStringLiteral("N11"), QStringLiteral("出发货源")), &QAction::triggered,
            this, view(5));
    connect(addItem(cargo, QStringLiteral("N12"), QStringLiteral("回程货源")), &QAction::triggered,
            this, view(8));

    QMenu* truck = addMenu(QStringLiteral("pMnuTruck"), this);
    connect(addItem(truck, QStringLiteral("N16"), QStringLiteral("本地车源")), &QAction::triggered,
            this, view(3));
    connect(addItem(truck, QStringLiteral("N64"), QStringLiteral("出发车源")), &QAction::triggered,
            this, view(6));
    connect(addItem(truck, QStringLiteral("N65"), QStringLiteral("回程车源")), &QAction::triggered,
            this, view(9));

    QMenu* log = addMenu(QStringLiteral("pmLog"), this);
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
    for (const auto& item : instantItems) {
        if (item.kind == 4 || item.kind == 7)
            instant->addSeparator();
        connect(addItem(instant, QLatin1String(item.name), QString::fromUtf8(item.caption)),
                &QAction::triggered, this, view(item.kind));
    }
    connect(addItem(log, QStringLiteral("N28"), QStringLiteral("搜索...")), &QAction::triggered,
            this, &TfrmMain::btnSearchClick);
    QMenu* publish = log->addMenu(QStringLiteral("发布信息"));
    publish->setObjectName(QStringLiteral("N33"));
    connect(addItem(publish, QStringLiteral("N41"), QStringLiteral("点选发布")),
            &QAction::triggered, this, &TfrmMain::imgDXClick);
    connect(addItem(publish, QStringLiteral("N42"), QStringLiteral("选字发布")),
            &QAction::triggered, this, &TfrmMain::imgXZClick);

    QMenu* tools = addMenu(QStringLiteral("pmtools"), this);
    connect(addItem(tools, QStringLiteral("N51"), QStringLiteral("当地地图")), &QAction::triggered,
            this, &TfrmMain::toolMap);
    connect(addItem(tools, QStringLiteral("N52"), QStringLiteral("计算器")), &QAction::triggered,
            this, &TfrmMain::toolCalculator);
    connect(addItem(tools, QStringLiteral("N53"), QStringLiteral("电子日历")), &QAction::triggered,
            this, &TfrmMain::toolCalendar);
    tools->addSeparator();
    connect(addItem(tools, QStringLiteral("N56"), QStringLiteral("违规查询")), &QAction::triggered,
            this, [this] { toolOutsidePage(QStringLiteral("/tools/wz.htm")); });
    connect(addItem(tools, QStringLiteral("N57"), QStringLiteral("交通法规")), &QAction::triggered,
            this, [this] { toolOutsidePage(QStringLiteral("/tools/fg.htm")); });
    connect(addItem(tools, QStringLiteral("N58"), QStringLiteral("车牌代码")), &QAction::triggered,
            this, [this] { toolOutsidePage(QStringLiteral("/tools/chepai.htm")); });

    auto logOffAndOn = [this] {
        if (m_session)
            m_session->logOffAndLogIn();
    };
    QMenu* status = addMenu(QStringLiteral("pmStatus"), this);
    QAction* logOff = addItem(status, QStringLiteral("N20"), QStringLiteral("注销(&N)"));
    logOff->setEnabled(false);
    connect(logOff, &QAction::triggered, this, logOffAndOn);
    connect(addItem(status, QStringLiteral("N76"), QStringLiteral("登录")), &QAction::triggered,
            this, logOffAndOn);
    status->addSeparator();
    QAction* addFriend = addItem(status, QStringLiteral("N66"), QStringLiteral("添加运友"));
    addFriend->setEnabled(false);
    connect(addFriend, &QAction::triggered, this, &TfrmMain::findFriend);

    QMenu* account = addMenu(QStringLiteral("pmMyAccount"), this);
    connect(addItem(account, QStringLiteral("N22"), QStringLiteral("我的资料")),
            &QAction::triggered, this, &TfrmMain::imgInfoClick);
    account->addSeparator();
    QAction* accountOff = addItem(account, QStringLiteral("N6"), QStringLiteral("注销"));
    accountOff->setEnabled(false);
    connect(accountOff, &QAction::triggered, this, logOffAndOn);
    connect(addItem(account, QStringLiteral("N9"), QStringLiteral("登录")), &QAction::triggered,
            this, logOffAndOn);
    account->addSeparator();
    connect(addItem(account, QStringLiteral("N63"), QStringLiteral("退出系统")),
            &QAction::triggered, this, &TfrmMain::exitSystem);

    QMenu* issue = addMenu(QStringLiteral("pmnuIssue"), this);
    connect(addItem(issue, QStringLiteral("N4"), QStringLiteral("空运信息发布")),
            &QAction::triggered, this, [this] { showIssue(0); });
    connect(addItem(issue, QStringLiteral("N19"), QStringLiteral("海运信息发布")),
            &QAction::triggered, this, [this] { showIssue(1); });
    connect(addItem(issue, QStringLiteral("N21"), QStringLiteral("铁路信息发布")),
            &QAction::triggered, this, [this] { showIssue(2); });
}

void TfrmMain::buildTray()
{
    m_tray = new QSystemTrayIcon(ShellPictures::trayFrame(0), this);
    m_tray->setObjectName(QStringLiteral("RxTrayIcon"));
    m_tray->setContextMenu(m_menus.value(QStringLiteral("pmMyAccount")));
    m_tray->setToolTip(ApplicationTitle::get());
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            trayDoubleClicked();
    });
    m_trayTimer = new QTimer(this);
    m_trayTimer->setInterval(350);
    connect(m_trayTimer, &QTimer::timeout, this, [this] {
        m_trayFrame = 1 - m_trayFrame;
        updateTrayFrame();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
    setWindowIcon(ShellPictures::trayFrame(0));
}

void TfrmMain::fillTrees()
{
    GeoTreeBuilder::fill(m_trees.value(QStringLiteral("tvGeo")), RegionTree::shared());
    NavTreeView* air = m_trees.value(QStringLiteral("tvAir"));
    NavTreeFiller::fill(air, FixedLists::airTree());
    if (QTreeWidgetItem* airports = air->topLevelNamed(FixedLists::airportGroupTitle())) {
        if (airports->childCount() == 0)
            NavTreeFiller::appendChildren(airports, FixedLists::airportNodes());
    }
    NavTreeFiller::fill(m_trees.value(QStringLiteral("TvSea")), FixedLists::seaTree());
    NavTreeFiller::fill(m_trees.value(QStringLiteral("tvTrain")), FixedLists::trainTree());
    NavTreeFiller::fill(m_trees.value(QStringLiteral("tvBidding")), FixedLists::biddingTree());
}

void TfrmMain::wireMessaging()
{
    m_session = new IMSession(m_client, this, new WidgetSessionDialogs(m_imPanel), this);
    new ImSessionBinding(m_session, m_imPanel); // owned by the panel, like the dialogs
    m_broadcasts = std::make_unique<BroadcastHandler>(this, &state());
    m_session->setBroadcastHandler(m_broadcasts.get());
    state().setConnectedProbe(
        [client = QPointer<IMClient>(m_client)] { return client && client->connected(); });
    TfrmNewBrowser::setFriendRequestHandler([this](const QString& login, const QString& name) {
        if (m_session)
            m_session->addFriend(login, name);
    });
    connect(m_imPanel, &ImPanel::statusMenuRequested, this, [this](const QPoint&) {
        QLabel* status = m_imPanel->statusLabel();
        m_menus.value(QStringLiteral("pmStatus"))
            ->popup(status->mapToGlobal(QPoint(0, status->height() + 2)));
    });
    connect(m_imPanel, &ImPanel::addFriendRequested, this, &TfrmMain::findFriend);
    connect(m_imPanel, &ImPanel::myInfoRequested, this, &TfrmMain::imgInfoClick);
}

// ---------------------------------------------------------------- accessors

ListingGridView* TfrmMain::grid(ListingGrid which) const
{
    return m_grids.value(int(which));
}

NavTreeView* TfrmMain::navTree(const QString& name) const
{
    return m_trees.value(name);
}

LazyWebView* TfrmMain::webView(const QString& name) const
{
    return m_webViews.value(name);
}

QMenu* TfrmMain::menu(const QString& name) const
{
    return m_menus.value(name);
}

QLabel* TfrmMain::label(const QString& name) const
{
    return findChild<QLabel*>(name);
}

ShellState& TfrmMain::state() const
{
    return shellState();
}

bool TfrmMain::connected() const
{
    return state().isConnected();
}

bool TfrmMain::canLoad() const
{
    return connected() && !state().loading;
}

QString TfrmMain::siteAddress() const
{
    return session().siteAddress();
}

QString TfrmMain::siteUrl(const QString& path) const
{
    return siteAddress() + path;
}

QString TfrmMain::mapBaseAddress() const
{
    const QString configured = QStringLiteral(TOVANTA_MAP_BASE_URL);
    return configured.isEmpty() ? siteAddress() : configured;
}

QString TfrmMain::shownPage(const QString& pageSet) const
{
    QStackedWidget* set = m_pageSets.value(pageSet.toLower());
    if (!set || !set->currentWidget())
        return QString();
    return set->currentWidget()->objectName();
}

// ---------------------------------------------------------------- commands

void TfrmMain::dropDown(const QString& buttonName)
{
    struct DropDown
    {
        const char* button;
        const char* menu;
        int offset;
        bool guarded;
    };
    static const DropDown table[] = {
        {"btnLocal", "pmLocal", 2, true},   {"btnCargo", "pMnuCargo", 2, true},
        {"btnCar", "pMnuTruck", 2, true},   {"btnMyaccount", "pmMyAccount", 1, true},
        {"btnLog", "pmLog", 1, true},       {"btnTools", "pmtools", 1, true},
        {"btnGroup", "pmStatus", 2, false}, {"imgAirIssue", "pmnuIssue", 2, true},
    };
    for (const DropDown& entry : table) {
        if (buttonName != QLatin1String(entry.button))
            continue;
        if (entry.guarded && !connected())
            return;
        QWidget* button = m_buttons.value(buttonName);
        QMenu* menu = m_menus.value(QLatin1String(entry.menu));
        if (button && menu)
            menu->popup(button->mapToGlobal(QPoint(0, button->height() + entry.offset)));
        return;
    }
}

void TfrmMain::showInfoPages(const QString& navPage, const QString& infoPage)
{
    showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    showPage(QStringLiteral("nbNav"), navPage);
    showPage(QStringLiteral("nbInfo"), infoPage);
}

void TfrmMain::startLandLoad(int kind)
{
    const std::optional<LandLoadRequest> request = LandViews::request(kind, state().currentCity);
    if (!request)
        return;
    state().listingCounter = 0;
    m_loads->startLand(*request);
}

void TfrmMain::showLandView(int kind)
{
    if (!canLoad())
        return;
    showInfoPages(QStringLiteral("pgLand"), QStringLiteral("pgGrd"));
    state().landViewKind = kind;
    startLandLoad(kind);
}

void TfrmMain::btnAirClick()
{
    if (!canLoad())
        return;
    showInfoPages(QStringLiteral("pgAirprice"), QStringLiteral("pgAir"));
    m_webViews.value(QStringLiteral("wbAirRecomment"))->navigate(QUrl(siteUrl(kAdPage)));
    NavTreeView* tree = m_trees.value(QStringLiteral("tvAir"));
    QTreeWidgetItem* first = tree->topLevelItem(0);
    if (!first)
        return;
    tree->setCurrentItem(first);
    tvAirClicked(first);
}

void TfrmMain::tvAirClicked(QTreeWidgetItem* item)
{
    if (!item || !canLoad())
        return;
    showInfoPages(QStringLiteral("pgAirprice"), QStringLiteral("pgAir"));
    if (item->childCount() > 0) {
        item->setExpanded(true);
        return;
    }
    startAirFor(item);
}

void TfrmMain::startAirFor(QTreeWidgetItem* item)
{
    const QString text = item->text(0);
    AirLoadRequest request;
    request.countLabel = text;
    switch (NavTreeFiller::kindOf(item)) {
    case FixedLists::AirRouteKind:
        request.route = text;
        request.heading = QStringLiteral("[航线服务]");
        break;
    case FixedLists::AirlineKind:
        request.airline = text;
        request.heading = QStringLiteral("[航空公司]");
        break;
    case FixedLists::AirportKind:
        request.airportName = text;
        request.airportCode = PortTables::airportCode(text);
        request.heading = QStringLiteral("[国内空港]");
        break;
    case FixedLists::AirBookingKind:
        state().airSelectionKind = FixedLists::AirBookingKind;
        state().airSelectionText.clear();
        openCustomerService();
        return;
    default:
        return;
    }
    state().airSelectionKind = NavTreeFiller::kindOf(item);
    state().airSelectionText = text;
    m_loads->startAir(request);
}

void TfrmMain::btnSeaClick()
{
    if (!canLoad())
        return;
    m_webViews.value(QStringLiteral("wbSeaRecomment"))->navigate(QUrl(siteUrl(kAdPage)));
    showInfoPages(QStringLiteral("pgSea"), QStringLiteral("pgSea"));
    const QString port = FixedLists::seaPorts().value(0);
    m_loads->startSea({PortTables::portCode(port), QStringLiteral("[海运航线]"), port});
}

void TfrmMain::tvSeaClicked(QTreeWidgetItem* item)
{
    if (!item || !canLoad())
        return;
    showInfoPages(QStringLiteral("pgSea"), QStringLiteral("pgSea"));
    if (item->childCount() > 0) {
        item->setExpanded(true);
        return;
    }
    const int kind = NavTreeFiller::kindOf(item);
    if (kind == FixedLists::SeaPortKind)
        m_loads->startSea(
            {PortTables::portCode(item->text(0)), QStringLiteral("[海运航线]"), item->text(0)});
    else if (kind == FixedLists::SeaBookingKind)
        openCustomerService();
}

void TfrmMain::btnTrainClick()
{
    if (!canLoad())
        return;
    m_webViews.value(QStringLiteral("wbTrainInfo"))->navigate(QUrl(siteUrl(kAdPage)));
    showInfoPages(QStringLiteral("pgTrian"), QStringLiteral("pgTrian"));
    const QString station = FixedLists::railStations().value(0);
    m_loads->startRail({station, QStringLiteral("[铁路车次]"), station});
}

void TfrmMain::tvTrainPressed(QTreeWidgetItem* item)
{
    if (!item || !canLoad())
        return;
    m_webViews.value(QStringLiteral("wbTrainInfo"))->navigate(QUrl(siteUrl(kAdPage)));
    showInfoPages(QStringLiteral("pgTrian"), QStringLiteral("pgTrian"));
    m_loads->startRail({item->text(0), QStringLiteral("[铁路车次]"), item->text(0)});
}

void TfrmMain::btnBiddingClick()
{
    m_webViews.value(QStringLiteral("wbMsg"))
        ->navigate(QUrl(session().adminAddress() + QStringLiteral("/agent.php/Bidding/listbid")));
    showInfoPages(QStringLiteral("pgBidding"), QStringLiteral("pgWeb"));
}

void TfrmMain::tvBiddingClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int kind = NavTreeFiller::kindOf(item);
    if (kind > 0) {
        m_webViews.value(QStringLiteral("wbMsg"))
            ->navigate(QUrl(session().adminAddress() +
                            QStringLiteral("/agent.php/Bidding/listbid/cat/") +
                            QString::number(kind)));
        showPage(QStringLiteral("nbInfo"), QStringLiteral("pgWeb"));
    } else if (kind == FixedLists::TenderServiceKind) {
        openCustomerService();
    } else if (item->childCount() > 0) {
        item->setExpanded(true);
    }
}

void TfrmMain::tvGeoPressed(QTreeWidgetItem* item)
{
    if (!item || !connected())
        return;
    NavTreeView* tree = m_trees.value(QStringLiteral("tvGeo"));
    tree->setCurrentItem(item);
    if (item->childCount() > 0) {
        item->setExpanded(true);
        return;
    }
    if (state().loading)
        return;
    dockSearchPanelBottom();
    grid(ListingGrid::InfoGrd)->show();
    m_pnlTop->hide();
    tree->setCurrentItem(item);
    state().currentCity = item->text(0);
    state().landViewKind = 1;
    state().listingCounter = 0;
    m_webViews.value(QStringLiteral("wbMrvAd"))
        ->navigate(QUrl(
            siteUrl(QStringLiteral("/index.php/Recommend/index/city/") + state().currentCity)));
    startLandLoad(1);
}

void TfrmMain::signInFollowUp()
{
    const UserProfile& profile = session().profile;
    m_webViews.value(QStringLiteral("wbMrvAd"))
        ->navigate(
            QUrl(siteUrl(QStringLiteral("/index.php/Recommend/index/city/") + profile.usercity)));
    const QUrl notice(
        siteUrl(QStringLiteral("/index.php/Sysnotice/notice/city/") + profile.usercity));
    for (const char* name : {"wbMrvGg", "wbNotice", "wbSeaNotice", "wbTrianNotice"})
        m_webViews.value(QLatin1String(name))->navigate(notice);
    if (m_session)
        m_session->showStatus(profile.company);
    const QString province = profile.userprove.trimmed();
    if (province.isEmpty())
        return;
    state().currentCity = IsMunicipality(province) ? province : profile.usercity;
    if (state().currentCity.trimmed().isEmpty())
        return;
    NavTreeView* tree = m_trees.value(QStringLiteral("tvGeo"));
    QTreeWidgetItem* city = tree->firstLeafContaining(state().currentCity);
    tree->clearSelection();
    if (city) {
        tree->setCurrentItem(city);
        tree->scrollToItem(city);
        tree->setFocus();
    }
    state().landViewKind = 1;
    if (!state().loading)
        startLandLoad(1);
}

void TfrmMain::btnSearchClick()
{
    if (!connected())
        return;
    if (mainWindowHooks().showSearch)
        mainWindowHooks().showSearch(state().currentCity);
}

void TfrmMain::speedButton1Click()
{
    if (mainWindowHooks().showOrderCity)
        mainWindowHooks().showOrderCity();
}

void TfrmMain::imgInfoClick()
{
    if (connected() && mainWindowHooks().showUserInfo)
        mainWindowHooks().showUserInfo();
}

void TfrmMain::imgDXClick()
{
    if (connected() && mainWindowHooks().showMRVIssue01)
        mainWindowHooks().showMRVIssue01();
}

void TfrmMain::imgXZClick()
{
    if (connected() && mainWindowHooks().showMRVIssue)
        mainWindowHooks().showMRVIssue();
}

void TfrmMain::showIssue(int family)
{
    if (!connected())
        return;
    const MainWindowHooks& hooks = mainWindowHooks();
    const std::function<void()>& show = family == 0   ? hooks.showIssueAir
                                        : family == 1 ? hooks.showIssueSea
                                                      : hooks.showIssueTrian;
    if (show)
        show();
}

void TfrmMain::btnHelpClick()
{
    const SessionState& s = session();
    auto* box = new TfrmCopyright({s.AppName, s.AppVersion, s.Company, s.homeURL}, nullptr);
    box->show();
}

void TfrmMain::btnCSRClick()
{
    openCustomerService();
}

void TfrmMain::openCustomerService()
{
    const QString url = session().customerServiceUrl.trimmed();
    if (url.isEmpty()) {
        // The address comes with the base information at login; without it there is no page.
        MessageBoxes::information(this, MessageBoxes::captionInfo(),
                                  QStringLiteral("暂时无法连接在线客服，请稍后再试。"));
        return;
    }
    TfrmNewBrowser* window = TfrmNewBrowser::trackedOrNew(this);
    window->openPage(QUrl(url), QSize(710, 470), QStringLiteral(" 在线客服"));
}

void TfrmMain::openBrowser(const QString& url, const QSize& size, const QString& caption)
{
    auto* window = new TfrmNewBrowser(this);
    window->openPage(QUrl(url), size, caption);
}

void TfrmMain::findFriend()
{
    if (!connected())
        return;
    openBrowser(session().findfriendurl, QSize(790, 600), QStringLiteral(" 查找好友"));
}

void TfrmMain::toolMap()
{
    const QString city = state().currentCity;
    if (city.isEmpty()) {
        MessageBoxes::warning(this, MessageBoxes::captionInfo(),
                              QStringLiteral("请选择您当前所在位置"));
        return;
    }
    openBrowser(mapBaseAddress() +
                    QStringLiteral("/nava/map/show.action?width=735&height=488&city=") + city +
                    QStringLiteral("&noicon=1"),
                QSize(790, 586), QStringLiteral("  当地地图"));
}

void TfrmMain::toolCalculator()
{
    if (!ShellLauncher::startCalculator())
        MessageBoxes::warning(this, MessageBoxes::captionInfo(),
                              QStringLiteral("无法启动计算器程序。"));
}

void TfrmMain::toolCalendar()
{
    openBrowser(siteUrl(QStringLiteral("/tools/calendar.htm")), QSize(790, 586),
                QStringLiteral(" 万年历"));
}

void TfrmMain::toolOutsidePage(const QString& path)
{
    const QString url = siteUrl(path);
    if (!ShellLauncher::openInBrowser(url))
        MessageBoxes::warning(this, MessageBoxes::captionInfo(),
                              QStringLiteral("无法打开网页浏览器：") + url);
}

void TfrmMain::imgLeftClick()
{
    const bool show = m_pnlLeft->isHidden();
    m_pnlLeft->setVisible(show);
    m_imgLeft->setPixmap(
        ShellPictures::arrow(show ? ShellPictures::ArrowLeft : ShellPictures::ArrowRight));
    m_imgLeft->setToolTip(show ? QStringLiteral("收起侧边") : QStringLiteral("展开侧边"));
    grid(ListingGrid::InfoGrd)->applyColumnLayout();
}

void TfrmMain::dockSearchPanelBottom()
{
    m_pnlSearchGrd->setFixedHeight(kSearchPanelHeight);
    m_landLayout->setStretchFactor(m_pnlSearchGrd, 0);
}

void TfrmMain::fillWithSearchPanel()
{
    m_pnlSearchGrd->setMinimumHeight(0);
    m_pnlSearchGrd->setMaximumHeight(QWIDGETSIZE_MAX);
    m_landLayout->setStretchFactor(m_pnlSearchGrd, 1);
}

void TfrmMain::image10Click()
{
    ListingGridView* info = grid(ListingGrid::InfoGrd);
    const bool showGrid = info->isHidden();
    info->setVisible(showGrid);
    if (showGrid) {
        dockSearchPanelBottom();
        m_image10->setPixmap(ShellPictures::arrow(ShellPictures::ArrowDown));
        m_image10->setToolTip(QStringLiteral("最大化"));
    } else {
        fillWithSearchPanel();
        m_image10->setPixmap(ShellPictures::arrow(ShellPictures::ArrowUp));
        m_image10->setToolTip(QStringLiteral("还原"));
    }
}

void TfrmMain::speedButton5Click()
{
    m_pnlSearchGrd->hide();
    dockSearchPanelBottom();
    grid(ListingGrid::InfoGrd)->show();
    m_image10->setPixmap(ShellPictures::arrow(ShellPictures::ArrowDown));
    m_image10->setToolTip(QStringLiteral("最大化"));
}

void TfrmMain::onGridActivated(ListingGrid which, int modelRow, int field)
{
    ListingGridView* view = grid(which);
    if (!view)
        return;
    const ListingActivation::Result result =
        ListingActivation::activate(view->family(), view->dataRow(modelRow), field,
                                    session().HostName, session().loginIdentity);
    const MainWindowHooks& hooks = mainWindowHooks();
    if (result.action == ListingActivation::Action::Detail && hooks.openDetail)
        hooks.openDetail(result.detail);
    else if (result.action == ListingActivation::Action::Conversation && hooks.openConversation)
        hooks.openConversation(result.detail.senderAddress, result.detail.sender);
    else if (result.action == ListingActivation::Action::CustomerService)
        openCustomerService();
}

void TfrmMain::adTick()
{
    if (m_adListText.trimmed().isEmpty())
        return;
    m_urlAd->hide();
    const AdRotation::Step step = m_adRotation.next(m_adListText);
    if (!step.show)
        return;
    m_adLink = step.link;
    m_urlAd->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0033cc\">%2</a>")
                         .arg(step.link.toHtmlEscaped(), step.caption.toHtmlEscaped()));
    m_urlAd->adjustSize();
    const int points = qMax(1, font().pointSize());
    const int x = width() - step.caption.size() * points - 200;
    const QPoint inBar = m_pnlBot->mapFrom(this, QPoint(x, 0));
    m_urlAd->move(qMax(0, inBar.x()), (m_pnlBot->height() - m_urlAd->height()) / 2);
    m_urlAd->show();
}

void TfrmMain::exitSystem()
{
    repaint();
    QTimer::singleShot(500, this, &QWidget::close);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!state().closeWithoutAsking) {
        const QString text =
            QStringLiteral("确定要退出") + session().AppName + QStringLiteral("系统吗 ?");
        if (!MessageBoxes::question(this, MessageBoxes::captionConfirm(), text)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (m_tray)
        m_tray->hide();
    // Secondary windows have no owner; the program ends with the main window.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TfrmMain::updateInstalled()
{
    state().closeWithoutAsking = true;
    MessageBoxes::information(this, MessageBoxes::captionInfo(),
                              QStringLiteral("您的系统已升级到最新版,点击确定重新启动程序"));
}

void TfrmMain::setConversationsPending(bool pending)
{
    if (pending && !m_trayTimer->isActive()) {
        m_trayTimer->start();
    } else if (!pending && m_trayTimer->isActive()) {
        m_trayTimer->stop();
        m_trayFrame = 0;
        updateTrayFrame();
    }
}

bool TfrmMain::trayAnimating() const
{
    return m_trayTimer->isActive();
}

void TfrmMain::updateTrayFrame()
{
    m_tray->setIcon(ShellPictures::trayFrame(m_trayFrame));
}

void TfrmMain::trayDoubleClicked()
{
    const MainWindowHooks& hooks = mainWindowHooks();
    if (hooks.hasPendingConversation && hooks.hasPendingConversation() &&
        hooks.openOldestPendingConversation) {
        hooks.openOldestPendingConversation();
        return;
    }
    bringToFront();
}

void TfrmMain::bringToFront()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    if (isActiveWindow())
        return;
    raise();
    activateWindow();
}

void TfrmMain::signIn()
{
    setLabel(QStringLiteral("lblUserInfo"), session().userName());
    m_broadcasts->setAccount(session().HostName, session().loginIdentity);
    m_session->signIn();
}

// ---------------------------------------------------------------- listing view

void TfrmMain::setLabel(const QString& name, const QString& text)
{
    if (QLabel* target = label(name))
        target->setText(text);
}

void TfrmMain::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

int TfrmMain::rowCount(ListingGrid which) const
{
    ListingGridView* view = grid(which);
    return view ? view->gridRowCount() : 0;
}

void TfrmMain::setRowCount(ListingGrid which, int rows)
{
    if (ListingGridView* view = grid(which))
        view->listingModel()->resizeRows(rows - view->firstDataRow());
}

void TfrmMain::clearToEmptyRow(ListingGrid which)
{
    if (ListingGridView* view = grid(which))
        view->listingModel()->clearToOneEmptyRow();
}

void TfrmMain::appendHeaders(ListingGrid, const QStringList&)
{
    // The price grids carry their fixed headers from creation; later sets never take effect.
}

void TfrmMain::putLandRow(ListingGrid which, int row, const LandRow& values)
{
    ListingGridView* view = grid(which);
    if (!view)
        return;
    const int modelRow = row - view->firstDataRow();
    view->listingModel()->setRow(modelRow, GridRowBuilder::fromLand(values));
    view->fitRow(modelRow);
}

void TfrmMain::putAirRow(int row, const AirRow& values)
{
    ListingGridView* view = grid(ListingGrid::airInfoGrd);
    view->listingModel()->setRow(row - view->firstDataRow(), GridRowBuilder::fromAir(values));
    view->fitRow(row - view->firstDataRow());
}

void TfrmMain::putSeaRow(int row, const SeaRow& values)
{
    ListingGridView* view = grid(ListingGrid::seaInfoGrd);
    view->listingModel()->setRow(row - view->firstDataRow(), GridRowBuilder::fromSea(values));
    view->fitRow(row - view->firstDataRow());
}

void TfrmMain::putRailRow(int row, const RailRow& values)
{
    ListingGridView* view = grid(ListingGrid::TrianInfoGrd);
    view->listingModel()->setRow(row - view->firstDataRow(), GridRowBuilder::fromRail(values));
    view->fitRow(row - view->firstDataRow());
}

void TfrmMain::showPage(const QString& pageSet, const QString& page)
{
    QStackedWidget* set = m_pageSets.value(pageSet.toLower());
    if (!set)
        return;
    for (int i = 0; i < set->count(); ++i) {
        if (set->widget(i)->objectName().compare(page, Qt::CaseInsensitive) == 0) {
            set->setCurrentIndex(i);
            return;
        }
    }
}

void TfrmMain::showPanel(const QString& panel)
{
    if (QWidget* widget = findChild<QWidget*>(panel))
        widget->show();
}

void TfrmMain::setAdvertisementList(const QString& jsonText)
{
    m_adListText = jsonText;
}

void TfrmMain::startAdvertisementTimer()
{
    m_adTimer->start();
}

// ---------------------------------------------------------------- broadcasts

bool TfrmMain::isInfoPageShown(const QString& page) const
{
    return shownPage(QStringLiteral("nbInfo")).compare(page, Qt::CaseInsensitive) == 0;
}

bool TfrmMain::isSearchPanelVisible() const
{
    return !m_pnlSearchGrd->isHidden();
}

void TfrmMain::insertLandRow(ListingGrid which, const LandRow& row)
{
    ListingGridView* view = grid(which);
    if (!view || row.title.trimmed().isEmpty())
        return;
    LandRow trimmed = row;
    trimmed.title = row.title.trimmed();
    view->insertGridRow(0, GridRowBuilder::fromLand(trimmed));
    ++state().listingCounter;
    updateLandCounter(which);
}

void TfrmMain::updateLandCounter(ListingGrid which)
{
    if (which != ListingGrid::InfoGrd)
        return;
    setLabel(QStringLiteral("lblCount1"),
             QStringLiteral("%1：%2").arg(state().currentCity).arg(state().listingCounter));
}

void TfrmMain::insertAirRow(const AirRow& row)
{
    grid(ListingGrid::airInfoGrd)->insertGridRow(1, GridRowBuilder::fromAir(row));
}

void TfrmMain::insertSeaRow(const SeaRow& row)
{
    grid(ListingGrid::seaInfoGrd)->insertGridRow(1, GridRowBuilder::fromSea(row));
}

void TfrmMain::insertRailRow(const RailRow& row)
{
    grid(ListingGrid::TrianInfoGrd)->insertGridRow(1, GridRowBuilder::fromRail(row));
}

void TfrmMain::setNationalCountText(const QString& text)
{
    setLabel(QStringLiteral("Label3"), text);
}

// ---------------------------------------------------------------- session host

void TfrmMain::writeMainSettings()
{
    // Store the subscribed cities read at start (an empty text here would drop
    // them from config.xml at every login).
    QStringList cities = session().orderCities;
    cities.removeDuplicates();
    SettingsFile::saveMain(cities.join(QLatin1Char(',')));
}

void TfrmMain::startProfileFetch()
{
    QPointer<TfrmMain> self(this);
    m_loads->startProfileFetch([self] {
        if (self)
            self->signInFollowUp();
    });
}

void TfrmMain::startAdvertisementFetch()
{
    m_loads->startAdvertisementFetch();
}

void TfrmMain::setConnectionText(const QString& text, ConnectionTone tone)
{
    QLabel* conn = label(QStringLiteral("lblConn"));
    // Signing in only turns the label black: "未连接" or the last failure stays readable
    // until the connection reports its state.
    if (!text.isEmpty())
        conn->setText(text);
    QPalette pal = conn->palette();
    pal.setColor(QPalette::WindowText, tone == Failure ? QColor(Qt::red) : QColor(Qt::black));
    conn->setPalette(pal);
}

void TfrmMain::setEndDateText(const QString& text)
{
    setLabel(QStringLiteral("lblEndate"), text);
}

void TfrmMain::setTrayHint(const QString& text)
{
    m_tray->setToolTip(text);
}

QString TfrmMain::applicationTitle() const
{
    return ApplicationTitle::get();
}

void TfrmMain::setMenuEnabled(SessionMenu item, bool enabled)
{
    static const QHash<int, QString> names = {
        {MenuLogOff, QStringLiteral("N20")},      {MenuLogIn, QStringLiteral("N76")},
        {MenuAddFriend, QStringLiteral("N66")},   {MenuAccountLogOff, QStringLiteral("N6")},
        {MenuAccountLogIn, QStringLiteral("N9")},
    };
    if (QAction* action = m_items.value(names.value(item)))
        action->setEnabled(enabled);
}

bool TfrmMain::runLoginAgain()
{
    // Any other modal box (a question, a friend request) may be open meanwhile; only the
    // login window's own flag tells whether a login is already on screen.
    const bool loginAlreadyShown = !session().loginWindowAvailable;
    if (Startup::modalLogin()) {
        // The user may have logged in under another name: broadcasts go to the new identity.
        m_broadcasts->setAccount(session().HostName, session().loginIdentity);
        setLabel(QStringLiteral("lblUserInfo"), session().userName());
        return true;
    }
    if (!loginAlreadyShown) {
        // The user cancelled the login: the program ends without asking again.
        state().closeWithoutAsking = true;
        close();
    }
    return false;
}
