#pragma once

#include "ui/main/CommandSurface.h"
#include "ui/main/MainWindowServices.h"
#include "ui/main/ShellWidgets.h"

#include <QWidget>

#include <memory>

class ClickableImage;
class IMClient;
class ImPanel;
class LaneAlerts;
class LazyWebView;
class ListingGridView;
class MainCommandBars;
class MainCommands;
class MainGridAdapter;
class MainImHost;
class MainTray;
class NavTreeView;
class QLabel;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class QTreeWidgetItem;
class QVBoxLayout;
class SearchPanelDock;

// The program's one main window: navigation trees on the left, listing grids and pages of
// the exchange's web site in the middle, the IM panel, the function buttons with their
// menus, the bottom bar with the rotating advertisement, and the tray icon. The window builds
// and lays out the widgets; its commands, its listing view and its messaging host are parts
// of their own.
class TfrmMain : public QWidget, private CommandSurface
{
    Q_OBJECT
public:
    // The services stay the caller's; each outlives the window.
    explicit TfrmMain(const MainWindowServices& services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    MainCommands* commands() const { return m_commands.get(); }
    // The grids, labels and pages as the loaders and the live broadcasts see them.
    MainGridAdapter* listingView() const { return m_grids.get(); }
    MainImHost* imHost() const { return m_imHost.get(); }
    IMClient* imClient() const { return m_services.client; }
    ImPanel* imPanel() const { return m_widgets.imPanel; }
    ListingGridView* grid(ListingGrid which) const { return m_widgets.grids[which]; }
    NavTreeView* navTree(NavTree tree) const { return m_widgets.trees[tree]; }
    LazyWebView* webView(ShellWebView view) const { return m_widgets.webViews[view]; }
    QMenu* menu(ShellMenu which) const { return m_widgets.menus[which]; }
    QSystemTrayIcon* trayIcon() const { return m_widgets.tray; }
    QTimer* adTimer() const { return m_widgets.adTimer; }
    LaneAlerts* laneAlerts() const { return m_laneAlerts; }
    // The control name of the page a page set shows.
    QString shownPage(PageSet set) const { return m_widgets.shownPage(set); }

    // Sign-in to the XMPP server with the session's login identity.
    void signIn();
    // The update component installed a new version: close without asking, tell the user.
    void updateInstalled();
    // The chat windows report whether conversations wait; the tray icon blinks meanwhile.
    void setConversationsPending(bool pending);
    bool trayAnimating() const;
    void trayDoubleClicked();
    void bringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The web views wait until the first land listings are on screen, or a few seconds at
    // most: the engine's start holds the user-interface thread for about a second.
    void holdPages();
    void releasePages();
    // Construction, in pieces.
    void buildLayout();
    // The listing view handed to the loads, the messaging host wired to the commands.
    void attachParts();
    QWidget* buildBanner();
    QWidget* buildLeftPanel();
    QWidget* buildMiddle();
    QWidget* buildBottomBar();
    QWidget* buildLandPage();
    QWidget* buildSearchPanel();
    QWidget* addTopPanel(ShellPanel which, ShellWebView recommend, ShellWebView notice,
                         bool noContextMenu, QWidget* parent);
    QWidget* addHeading(const QString& name, ShellLabel heading, ShellLabel count, QWidget* parent);
    QWidget* buildPricePage(ShellPanel topPanel, ShellWebView recommend, ShellWebView notice,
                            ShellLabel typeLabel, ShellLabel infoLabel, ListingGrid which);
    void buildTray();
    // Notices of live listings to the subscribed cities; a click shows those listings.
    void attachLaneAlerts();
    bool showsSubscribedListings() const;
    void fillTrees();
    QLabel* addLabel(ShellLabel which, QWidget* parent, const QString& text = QString());
    LazyWebView* addWebView(ShellWebView which, QWidget* parent, bool noContextMenu,
                            bool borderless);
    QStackedWidget* addPageSet(PageSet set, QWidget* parent);
    QWidget* addPage(ShellPage page, QWidget* widget = nullptr);
    QWidget* addPanel(ShellPanel which, QWidget* parent);
    NavTreeView* addTreePage(ShellPage page, NavTree tree);
    ListingGridView* addGrid(ListingGrid which, QWidget* parent);
    void connectTree(NavTree tree, void (MainCommands::*command)(QTreeWidgetItem*),
                     bool leftButtonOnly);

    // imgLeft: the side panel hidden or shown.
    void imgLeftClick();
    void exitSystem();

    // CommandSurface
    void showPage(ShellPage page) override;
    void navigate(ShellWebView view, const QUrl& address) override;
    QTreeWidgetItem* selectFirstNode(NavTree tree) override;
    void selectNode(NavTree tree, QTreeWidgetItem* node) override;
    void selectCity(const QString& city) override;
    void showCityListings() override;
    void dropDown(ShellMenu menu) override;
    QWidget* owner() override { return this; }

    MainWindowServices m_services;
    ShellWidgets m_widgets;
    QWidget* m_pnlLeft = nullptr;
    QVBoxLayout* m_landLayout = nullptr;
    ClickableImage* m_imgLeft = nullptr;
    // Whether this window still holds the creation of its web views (see holdPages).
    bool m_pagesHeld = false;
    MainTray* m_tray = nullptr;
    LaneAlerts* m_laneAlerts = nullptr;
    std::unique_ptr<SearchPanelDock> m_searchDock;

    // Destroyed in reverse order, before the widgets: the messaging first, the commands last.
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<MainCommandBars> m_bars;
    std::unique_ptr<MainGridAdapter> m_grids;
    std::unique_ptr<MainImHost> m_imHost;
};
