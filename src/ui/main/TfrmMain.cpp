#include "ui/main/TfrmMain.h"

#include "ui/common/Theme.h"

#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "refdata/FixedLists.h"
#include "refdata/RegionTree.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/ImPanel.h"
#include "ui/main/ClickableImage.h"
#include "ui/main/LaneAlerts.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/LoadStarter.h"
#include "ui/main/MainCommandBars.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/MainImHost.h"
#include "ui/main/MainTray.h"
#include "ui/main/NavTreeView.h"
#include "ui/main/SearchPanelDock.h"
#include "ui/main/SecondaryWindows.h"
#include "ui/main/ShellLauncher.h"
#include "ui/main/ShellPictures.h"
#include "ui/refdata/GeoTreeBuilder.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

using ShellControls::controlName;
using ShellTargets::controlName;

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

TfrmMain::TfrmMain(const MainWindowServices& services, QWidget* parent)
    : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("frmMain"));
    m_widgets.window = this;
    // 1. The updater.
    m_services.windows->configureUpdater(this);
    // 2. Caption and flags.
    setWindowTitle(session().AppName);
    shellState().closeWithoutAsking = false;
    setMinimumSize(897, 628);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::colour());
    setPalette(pal);
    setAutoFillBackground(true);

    holdPages();
    CommandSurface* surface = this;
    m_commands = std::make_unique<MainCommands>(surface, m_services.loads, m_services.windows);
    buildLayout();
    // 3. Trees.
    fillTrees();
    // 4. Messaging, land view kind.
    attachParts();
    shellState().landViewKind = 1;
    // 5. Banner.
    navigate(ShellWebView::HeadBanner,
             QUrl(session().siteAddress() + QStringLiteral("/ad/headAd.htm")));
    // 6. Pages.
    showPage(ShellPage::MainInfo);
    showPage(ShellPage::NavLand);
    showPage(ShellPage::InfoLand);
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::holdPages()
{
    constexpr int kPagesWaitMs = 3000;
    LazyWebView::holdCreation();
    m_pagesHeld = true;
    auto* gate = new QTimer(this);
    gate->setInterval(50);
    QElapsedTimer clock;
    clock.start();
    connect(gate, &QTimer::timeout, this, [this, gate, clock] {
        ListingGridView* land = grid(ListingGrid::InfoGrd);
        const bool shown = land && !land->dataRow(0).field(1).isEmpty();
        if (!shown && clock.elapsed() < kPagesWaitMs)
            return;
        gate->stop();
        gate->deleteLater();
        // The rows reach the screen before the engine starts, which holds the thread a while.
        if (shown && land->isVisible())
            land->viewport()->repaint();
        releasePages();
    });
    gate->start();
}

void TfrmMain::releasePages()
{
    if (!m_pagesHeld)
        return;
    m_pagesHeld = false;
    LazyWebView::releaseCreation();
}

void TfrmMain::attachParts()
{
    m_grids = std::make_unique<MainGridAdapter>(m_widgets);
    m_services.loads->setView(m_grids.get());
    m_imHost = std::make_unique<MainImHost>(m_services.client, m_services.login, m_services.loads,
                                            m_widgets, m_grids.get());
    m_imHost->wireMessaging(m_commands.get());
    attachLaneAlerts();
}

void TfrmMain::attachLaneAlerts()
{
    m_laneAlerts = new LaneAlerts(m_widgets.tray, this);
    m_laneAlerts->setQuietProbe([this] { return isActiveWindow() && showsSubscribedListings(); });
    m_imHost->setLandListener(
        [alerts = m_laneAlerts](const LaneAlert& listing) { alerts->listingArrived(listing); });
    connect(m_laneAlerts, &LaneAlerts::clicked, this, [this] {
        bringToFront();
        m_commands->showSubscribedListings();
    });
}

bool TfrmMain::showsSubscribedListings() const
{
    // The subscription loader heads InfoGrd with it (and every other land load with its own).
    return m_widgets.isShown(ShellPage::MainInfo) && m_widgets.isShown(ShellPage::InfoLand) &&
           !m_widgets.grids[ListingGrid::InfoGrd]->isHidden() &&
           m_widgets.labels[ShellLabel::LandHeading]->text() == QStringLiteral("[定制信息]");
}

void TfrmMain::buildLayout()
{
    m_bars = std::make_unique<MainCommandBars>(this, m_commands.get(), m_widgets);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bars->buildTopBar());
    layout->addWidget(m_bars->buildToolBar());
    m_imgLeft = m_bars->sidePanelToggle();
    connect(m_imgLeft, &ClickableImage::clicked, this, &TfrmMain::imgLeftClick);
    layout->addWidget(buildBanner());
    QStackedWidget* nbmain = addPageSet(PageSet::Main, this);
    QWidget* infoPage = addPage(ShellPage::MainInfo);
    addPage(ShellPage::MainWeb);
    auto* body = new QHBoxLayout(infoPage);
    body->setContentsMargins(2, 2, 2, 2);
    body->setSpacing(3);
    body->addWidget(buildLeftPanel());
    body->addWidget(buildMiddle(), 1);
    layout->addWidget(nbmain, 1);
    layout->addWidget(buildBottomBar());
    m_bars->buildMenus(
        [this] {
            if (m_imHost)
                m_imHost->logOffAndLogIn();
        },
        [this] { exitSystem(); });
    buildTray();
}

TfrmMain::~TfrmMain()
{
    releasePages();
    if (m_widgets.tray)
        m_widgets.tray->hide();
    // The session talks to the client and the panel while it goes; end it first. Loads
    // still running for this window end when it detaches its view.
    m_imHost.reset();
    m_services.loads->setView(nullptr);
}

// ---------------------------------------------------------------- construction

LazyWebView* TfrmMain::addWebView(ShellWebView which, QWidget* parent, bool noContextMenu,
                                  bool borderless)
{
    auto* view = new LazyWebView(controlName(which), parent);
    view->setContextMenuSuppressed(noContextMenu);
    view->setBorderlessBody(borderless);
    m_widgets.webViews[which] = view;
    return view;
}

QLabel* TfrmMain::addLabel(ShellLabel which, QWidget* parent, const QString& text)
{
    QLabel* label = makeLabel(controlName(which), text, parent);
    m_widgets.labels[which] = label;
    return label;
}

QWidget* TfrmMain::addPanel(ShellPanel which, QWidget* parent)
{
    QWidget* panel = makePanel(controlName(which), parent);
    m_widgets.panels[which] = panel;
    return panel;
}

QWidget* TfrmMain::buildBanner()
{
    QWidget* banner = makePanel(QStringLiteral("pnlAddviser"), this);
    banner->setFixedHeight(62);
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(addWebView(ShellWebView::HeadBanner, banner, true, true));
    return banner;
}

QStackedWidget* TfrmMain::addPageSet(PageSet which, QWidget* parent)
{
    auto* set = new QStackedWidget(parent);
    set->setObjectName(controlName(which));
    m_widgets.pageSets[which] = set;
    return set;
}

QWidget* TfrmMain::addPage(ShellPage page, QWidget* widget)
{
    QStackedWidget* set = m_widgets.pageSets[ShellTargets::pageSetOf(page)];
    if (!widget)
        widget = new QWidget(set);
    widget->setObjectName(controlName(page));
    set->addWidget(widget);
    m_widgets.pages[page] = widget;
    return widget;
}

NavTreeView* TfrmMain::addTreePage(ShellPage page, NavTree tree)
{
    NavTreeView::Options options;
    options.oneOpenBranch = tree != NavTree::Rail;
    options.plainSelectedKindMinusOne = tree != NavTree::Geo;
    QWidget* holder = addPage(page);
    auto* fill = new QVBoxLayout(holder);
    fill->setContentsMargins(0, 0, 0, 0);
    auto* view = new NavTreeView(controlName(tree), options, holder);
    fill->addWidget(view);
    m_widgets.trees[tree] = view;
    return view;
}

void TfrmMain::connectTree(NavTree tree, void (MainCommands::*command)(QTreeWidgetItem*),
                           bool leftButtonOnly)
{
    MainCommands* commands = m_commands.get();
    connect(m_widgets.trees[tree], &NavTreeView::nodePressed, commands,
            [commands, command, leftButtonOnly](QTreeWidgetItem* item, Qt::MouseButton button) {
                if (!leftButtonOnly || button == Qt::LeftButton)
                    (commands->*command)(item);
            });
}

QWidget* TfrmMain::buildLeftPanel()
{
    m_pnlLeft = makePanel(QStringLiteral("pnlLeft"), this);
    m_pnlLeft->setFixedWidth(200);
    auto* column = new QVBoxLayout(m_pnlLeft);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel* header = addLabel(ShellLabel::NationalCount, m_pnlLeft, QStringLiteral("选择地区信息"));
    header->setFixedHeight(24);
    header->setStyleSheet(
        QStringLiteral("QLabel { background: white; padding-left: 4px; font-weight: bold; }"));
    column->addWidget(header);

    QStackedWidget* nbNav = addPageSet(PageSet::Nav, m_pnlLeft);
    addTreePage(ShellPage::NavLand, NavTree::Geo);
    addTreePage(ShellPage::NavAir, NavTree::Air);
    addTreePage(ShellPage::NavSea, NavTree::Sea);
    addTreePage(ShellPage::NavRail, NavTree::Rail);
    addTreePage(ShellPage::NavTender, NavTree::Tender);
    connectTree(NavTree::Geo, &MainCommands::tvGeoPressed, false);
    connectTree(NavTree::Air, &MainCommands::tvAirClicked, true);
    connectTree(NavTree::Sea, &MainCommands::tvSeaClicked, true);
    connectTree(NavTree::Rail, &MainCommands::tvTrainPressed, false);
    connectTree(NavTree::Tender, &MainCommands::tvBiddingClicked, true);
    column->addWidget(nbNav, 1);

    auto* panel = new ImPanel(m_pnlLeft);
    if (panel->objectName().isEmpty())
        panel->setObjectName(QStringLiteral("pnlIm"));
    panel->setFixedHeight(ImPanel::ExpandedHeight);
    column->addWidget(panel);
    m_widgets.imPanel = panel;
    return m_pnlLeft;
}

QWidget* TfrmMain::buildMiddle()
{
    QWidget* middle = makePanel(QStringLiteral("pnlMain"), this);
    auto* column = new QVBoxLayout(middle);
    column->setContentsMargins(0, 0, 0, 0);
    QStackedWidget* nbInfo = addPageSet(PageSet::Info, middle);
    addPage(ShellPage::InfoLand, buildLandPage());
    addPage(ShellPage::InfoAir,
            buildPricePage(ShellPanel::AirTop, ShellWebView::AirRecommend, ShellWebView::AirNotice,
                           ShellLabel::AirHeading, ShellLabel::AirCount, ListingGrid::airInfoGrd));
    addPage(ShellPage::InfoSea,
            buildPricePage(ShellPanel::SeaTop, ShellWebView::SeaRecommend, ShellWebView::SeaNotice,
                           ShellLabel::SeaHeading, ShellLabel::SeaCount, ListingGrid::seaInfoGrd));
    addPage(ShellPage::InfoRail, buildPricePage(ShellPanel::RailTop, ShellWebView::RailRecommend,
                                                ShellWebView::RailNotice, ShellLabel::RailHeading,
                                                ShellLabel::RailCount, ListingGrid::TrianInfoGrd));
    QWidget* web = new QWidget(nbInfo);
    auto* webColumn = new QVBoxLayout(web);
    webColumn->setContentsMargins(0, 0, 0, 0);
    webColumn->addWidget(addWebView(ShellWebView::Message, web, true, true));
    addPage(ShellPage::InfoWeb, web);
    column->addWidget(nbInfo);
    return middle;
}

ListingGridView* TfrmMain::addGrid(ListingGrid which, QWidget* parent)
{
    auto* view = new ListingGridView(which, parent);
    m_widgets.grids[which] = view;
    // Land listings tell their age beside the short time, by the clock of the machine.
    if (view->family() == ListingFamily::Land)
        view->listingModel()->setAgeClock(&QDateTime::currentDateTime);
    MainCommands* commands = m_commands.get();
    connect(view, &ListingGridView::fieldDoubleClicked, commands,
            [commands, view](int row, int field) {
                commands->openListing(view->family(), view->dataRow(row), field);
            });
    return view;
}

QWidget* TfrmMain::addTopPanel(ShellPanel which, ShellWebView recommend, ShellWebView notice,
                               bool noContextMenu, QWidget* parent)
{
    QWidget* top = addPanel(which, parent);
    top->setFixedHeight(120);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(addWebView(recommend, top, noContextMenu, true), 3);
    row->addWidget(addWebView(notice, top, noContextMenu, false), 2);
    return top;
}

QWidget* TfrmMain::addHeading(const QString& name, ShellLabel heading, ShellLabel count,
                              QWidget* parent)
{
    QWidget* bar = makePanel(name, parent);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 0, 4, 0);
    row->addWidget(addLabel(heading, bar));
    row->addWidget(addLabel(count, bar));
    row->addStretch();
    return bar;
}

QWidget* TfrmMain::buildLandPage()
{
    QWidget* page = new QWidget(this);
    m_landLayout = new QVBoxLayout(page);
    m_landLayout->setContentsMargins(0, 0, 0, 0);
    m_landLayout->setSpacing(2);

    m_landLayout->addWidget(addTopPanel(ShellPanel::LandTop, ShellWebView::LandAd,
                                        ShellWebView::LandNotice, true, page));
    m_landLayout->addWidget(addHeading(QStringLiteral("pnlTypes"), ShellLabel::LandHeading,
                                       ShellLabel::LandCount, page));

    m_landLayout->addWidget(addGrid(ListingGrid::InfoGrd, page), 1);
    m_landLayout->addWidget(buildSearchPanel());
    return page;
}

QWidget* TfrmMain::buildSearchPanel()
{
    QWidget* panel = addPanel(ShellPanel::SearchResults, this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    QWidget* bar = addHeading(QStringLiteral("pnlSearchTop"), ShellLabel::SearchHeading,
                              ShellLabel::SearchCount, panel);
    QLayout* row = bar->layout();
    auto* toggle = new ClickableImage(QStringLiteral("Image10"), QStringLiteral("最大化"), bar);
    toggle->setPixmap(ShellPictures::arrow(ShellPictures::ArrowDown));
    row->addWidget(toggle);
    auto* close = new QPushButton(QStringLiteral("关闭"), bar);
    close->setObjectName(QStringLiteral("SpeedButton5"));
    close->setFlat(true);
    row->addWidget(close);
    column->addWidget(bar);
    column->addWidget(addGrid(ListingGrid::searchGrd, panel), 1);
    panel->setFixedHeight(SearchPanelDock::DockedHeight);
    panel->hide();
    m_searchDock = std::make_unique<SearchPanelDock>(m_landLayout, panel,
                                                     m_widgets.grids[ListingGrid::InfoGrd], toggle);
    connect(toggle, &ClickableImage::clicked, this, [this] { m_searchDock->toggleFill(); });
    connect(close, &QPushButton::clicked, this, [this] { m_searchDock->close(); });
    return panel;
}

QWidget* TfrmMain::buildPricePage(ShellPanel topPanel, ShellWebView recommend, ShellWebView notice,
                                  ShellLabel typeLabel, ShellLabel infoLabel, ListingGrid which)
{
    QWidget* widget = new QWidget(this);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(addTopPanel(topPanel, recommend, notice, false, widget));
    column->addWidget(addHeading(QString(), typeLabel, infoLabel, widget));
    column->addWidget(addGrid(which, widget), 1);
    return widget;
}

QWidget* TfrmMain::buildBottomBar()
{
    QWidget* bar = makePanel(QStringLiteral("pnlBot"), this);
    bar->setFixedHeight(24);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 0, 6, 0);
    auto* user =
        new ClickableImage(controlName(ShellLabel::UserName), QStringLiteral("点击添加好友"), bar);
    user->setText(session().userName());
    m_widgets.labels[ShellLabel::UserName] = user;
    connect(user, &ClickableImage::clicked, m_commands.get(), &MainCommands::findFriend);
    row->addWidget(user);
    row->addSpacing(12);
    row->addWidget(makeLabel(QStringLiteral("lblNet"), QStringLiteral("网络:"), bar));
    row->addWidget(addLabel(ShellLabel::Connection, bar, QStringLiteral("未连接")));
    row->addSpacing(12);
    row->addWidget(addLabel(ShellLabel::EndDate, bar, QStringLiteral("有效期:")));
    row->addStretch();
    // The advertisement is placed by hand, right-aligned by its length (see adTick).
    QLabel* ad = makeLabel(QStringLiteral("URLAd"), QString(), bar);
    ad->setToolTip(QStringLiteral("点击查看详情"));
    ad->setCursor(Qt::PointingHandCursor);
    ad->setTextFormat(Qt::RichText);
    ad->hide();
    connect(ad, &QLabel::linkActivated, this, [](const QString& link) {
        if (!link.trimmed().isEmpty())
            ShellLauncher::openInBrowser(link);
    });
    m_widgets.bottomBar = bar;
    m_widgets.adLink = ad;
    m_widgets.adTimer = new QTimer(this);
    m_widgets.adTimer->setObjectName(QStringLiteral("TimerAd"));
    m_widgets.adTimer->setInterval(10000);
    connect(m_widgets.adTimer, &QTimer::timeout, this, [this] { m_grids->adTick(); });
    return bar;
}

void TfrmMain::buildTray()
{
    m_tray = new MainTray(m_widgets.menus[ShellMenu::MyAccount], this);
    m_widgets.tray = m_tray->icon();
    connect(m_tray, &MainTray::doubleClicked, this, &TfrmMain::trayDoubleClicked);
    setWindowIcon(ShellPictures::trayFrame(0));
}

void TfrmMain::fillTrees()
{
    GeoTreeBuilder::fill(m_widgets.trees[NavTree::Geo], RegionTree::shared());
    NavTreeView* air = m_widgets.trees[NavTree::Air];
    NavTreeFiller::fill(air, FixedLists::airTree());
    if (QTreeWidgetItem* airports = air->topLevelNamed(FixedLists::airportGroupTitle())) {
        if (airports->childCount() == 0)
            NavTreeFiller::appendChildren(airports, FixedLists::airportNodes());
    }
    NavTreeFiller::fill(m_widgets.trees[NavTree::Sea], FixedLists::seaTree());
    NavTreeFiller::fill(m_widgets.trees[NavTree::Rail], FixedLists::trainTree());
    NavTreeFiller::fill(m_widgets.trees[NavTree::Tender], FixedLists::biddingTree());
}

// ---------------------------------------------------------------- command surface

void TfrmMain::showPage(ShellPage page)
{
    m_widgets.showPage(page);
}

void TfrmMain::navigate(ShellWebView view, const QUrl& address)
{
    m_widgets.webViews[view]->navigate(address);
}

QTreeWidgetItem* TfrmMain::selectFirstNode(NavTree tree)
{
    NavTreeView* view = m_widgets.trees[tree];
    QTreeWidgetItem* first = view->topLevelItem(0);
    if (first)
        view->setCurrentItem(first);
    return first;
}

void TfrmMain::selectNode(NavTree tree, QTreeWidgetItem* node)
{
    m_widgets.trees[tree]->setCurrentItem(node);
}

void TfrmMain::selectCity(const QString& city)
{
    NavTreeView* tree = m_widgets.trees[NavTree::Geo];
    QTreeWidgetItem* found = tree->firstLeafContaining(city);
    tree->clearSelection();
    if (!found)
        return;
    tree->setCurrentItem(found);
    tree->scrollToItem(found);
    tree->setFocus();
}

void TfrmMain::showCityListings()
{
    m_searchDock->dock();
    m_widgets.grids[ListingGrid::InfoGrd]->show();
    m_widgets.panels[ShellPanel::LandTop]->hide();
}

void TfrmMain::dropDown(ShellMenu which)
{
    m_bars->dropDown(which);
}

// ---------------------------------------------------------------- layout toggles

void TfrmMain::imgLeftClick()
{
    const bool show = m_pnlLeft->isHidden();
    m_pnlLeft->setVisible(show);
    m_imgLeft->setPixmap(
        ShellPictures::arrow(show ? ShellPictures::ArrowLeft : ShellPictures::ArrowRight));
    m_imgLeft->setToolTip(show ? QStringLiteral("收起侧边") : QStringLiteral("展开侧边"));
    m_widgets.grids[ListingGrid::InfoGrd]->applyColumnLayout();
}

// ---------------------------------------------------------------- window

void TfrmMain::signIn()
{
    m_imHost->signIn();
}

void TfrmMain::exitSystem()
{
    repaint();
    QTimer::singleShot(500, this, &QWidget::close);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!shellState().closeWithoutAsking) {
        const QString text =
            QStringLiteral("确定要退出") + session().AppName + QStringLiteral("系统吗 ?");
        if (!MessageBoxes::question(this, MessageBoxes::captionConfirm(), text)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    m_widgets.tray->hide();
    // Secondary windows have no owner; the program ends with the main window.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TfrmMain::updateInstalled()
{
    shellState().closeWithoutAsking = true;
    MessageBoxes::information(this, MessageBoxes::captionInfo(),
                              QStringLiteral("您的系统已升级到最新版,点击确定重新启动程序"));
}

void TfrmMain::setConversationsPending(bool pending)
{
    m_tray->setConversationsPending(pending);
}

bool TfrmMain::trayAnimating() const
{
    return m_tray->animating();
}

void TfrmMain::trayDoubleClicked()
{
    SecondaryWindows* windows = m_services.windows;
    if (windows->hasPendingConversation()) {
        windows->openOldestPendingConversation();
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
