#pragma once

#include "im/BroadcastSink.h"
#include "im/IMSessionHost.h"
#include "service/ListingView.h"
#include "ui/main/AdRotation.h"
#include "ui/main/ListingLayout.h"

#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <memory>

class BroadcastHandler;
class ClickableImage;
class IMClient;
class IMSession;
class ImPanel;
class LazyWebView;
class ListingGridView;
class LoadStarter;
class NavTreeView;
class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class QTreeWidgetItem;
class QVBoxLayout;
class ShellState;

// The program's one main window: navigation trees on the left, listing grids and pages of
// the exchange's web site in the middle, the IM panel, the function buttons with their
// menus, the bottom bar with the rotating advertisement, and the tray icon. Commands start
// the listing loads; live broadcasts land in the grids through the sink interface.
class TfrmMain : public QWidget, public ListingView, public BroadcastSink, public IMSessionHost
{
    Q_OBJECT
public:
    // client: the XMPP client the window owns; null makes the real one.
    explicit TfrmMain(IMClient* client = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Replaces the service loaders (tests record the requests). Not owned.
    void setLoadStarter(LoadStarter* starter);

    IMSession* imSession() const { return m_session; }
    IMClient* imClient() const { return m_client; }
    ImPanel* imPanel() const { return m_imPanel; }
    ListingGridView* grid(ListingGrid which) const;
    NavTreeView* navTree(const QString& name) const;
    LazyWebView* webView(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    QTimer* adTimer() const { return m_adTimer; }
    int adIndex() const { return m_adRotation.index(); }

    // Sign-in to the XMPP server with the session's login identity.
    void signIn();
    // The step after the profile fetch: city pages, status, current city, first land load.
    void signInFollowUp();
    // The update component installed a new version: close without asking, tell the user.
    void updateInstalled();
    // The chat windows report whether conversations wait; the tray icon blinks meanwhile.
    void setConversationsPending(bool pending);
    bool trayAnimating() const;
    void trayDoubleClicked();
    void bringToFront();
    // The page shown by a page set ("nbmain", "nbNav", "nbInfo"), by control name.
    QString shownPage(const QString& pageSet) const;

    // Commands (public so that menus, tests and later windows reach the same code).
    void showLandView(int kind);
    void btnAirClick();
    void btnSeaClick();
    void btnTrainClick();
    void btnBiddingClick();
    void btnSearchClick();
    void btnHelpClick();
    void btnCSRClick();
    void speedButton1Click();
    void imgInfoClick();
    void imgDXClick();
    void imgXZClick();
    void showIssue(int family); // 0 air, 1 sea, 2 rail
    void imgLeftClick();
    void image10Click();
    void speedButton5Click();
    void findFriend();
    void openCustomerService();
    void toolMap();
    void toolCalculator();
    void toolCalendar();
    void toolOutsidePage(const QString& path);
    void exitSystem();
    void dropDown(const QString& button);
    void tvGeoPressed(QTreeWidgetItem* item);
    void tvAirClicked(QTreeWidgetItem* item);
    void tvSeaClicked(QTreeWidgetItem* item);
    void tvTrainPressed(QTreeWidgetItem* item);
    void tvBiddingClicked(QTreeWidgetItem* item);
    void onGridActivated(ListingGrid which, int modelRow, int field);
    void adTick();

    // ListingView
    void setLabel(const QString& label, const QString& text) override;
    void setCaption(const QString& caption) override;
    int rowCount(ListingGrid grid) const override;
    void setRowCount(ListingGrid grid, int rows) override;
    void clearToEmptyRow(ListingGrid grid) override;
    void appendHeaders(ListingGrid grid, const QStringList& headers) override;
    void putLandRow(ListingGrid grid, int row, const LandRow& values) override;
    void putAirRow(int row, const AirRow& values) override;
    void putSeaRow(int row, const SeaRow& values) override;
    void putRailRow(int row, const RailRow& values) override;
    void showPage(const QString& pageSet, const QString& page) override;
    void showPanel(const QString& panel) override;
    void setAdvertisementList(const QString& jsonText) override;
    void startAdvertisementTimer() override;

    // BroadcastSink
    bool isInfoPageShown(const QString& page) const override;
    bool isSearchPanelVisible() const override;
    void insertLandRow(ListingGrid grid, const LandRow& row) override;
    void insertAirRow(const AirRow& row) override;
    void insertSeaRow(const SeaRow& row) override;
    void insertRailRow(const RailRow& row) override;
    void setNationalCountText(const QString& text) override;

    // IMSessionHost
    void writeMainSettings() override;
    void startProfileFetch() override;
    void startAdvertisementFetch() override;
    void setConnectionText(const QString& text, ConnectionTone tone) override;
    void setEndDateText(const QString& text) override;
    void setTrayHint(const QString& text) override;
    QString applicationTitle() const override;
    void setMenuEnabled(SessionMenu item, bool enabled) override;
    bool runLoginAgain() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction, in pieces.
    QWidget* buildTopBar();
    QWidget* buildToolBar();
    QWidget* buildBanner();
    QWidget* buildLeftPanel();
    QWidget* buildMiddle();
    QWidget* buildBottomBar();
    QWidget* buildLandPage();
    QWidget* buildSearchPanel();
    QWidget* buildPricePage(const QString& page, const QString& topPanel,
                            const QString& recommendView, const QString& noticeView,
                            const QString& typeLabel, const QString& infoLabel, ListingGrid which);
    void buildMenus();
    void buildTray();
    void fillTrees();
    void wireMessaging();
    QPushButton* addButton(QWidget* bar, const QString& name, const QString& caption);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    QMenu* addMenu(const QString& name, QWidget* parent);
    LazyWebView* addWebView(const QString& name, bool noContextMenu, bool borderless);
    QStackedWidget* addPageSet(const QString& name);
    QWidget* addPage(QStackedWidget* set, const QString& name, QWidget* page = nullptr);

    // Helpers of the commands.
    ShellState& state() const;
    bool connected() const;
    bool canLoad() const;
    void showInfoPages(const QString& navPage, const QString& infoPage);
    void startLandLoad(int kind);
    void startAirFor(QTreeWidgetItem* item);
    void dockSearchPanelBottom();
    void fillWithSearchPanel();
    void openBrowser(const QString& url, const QSize& size, const QString& caption);
    QString siteAddress() const;
    QString siteUrl(const QString& path) const;
    QString mapBaseAddress() const;
    void updateLandCounter(ListingGrid which);
    void updateTrayFrame();
    QLabel* label(const QString& name) const;

    IMClient* m_client = nullptr;
    IMSession* m_session = nullptr;
    ImPanel* m_imPanel = nullptr;
    std::unique_ptr<BroadcastHandler> m_broadcasts;
    std::unique_ptr<LoadStarter> m_ownLoads;
    LoadStarter* m_loads = nullptr;

    QHash<QString, QStackedWidget*> m_pageSets;
    QHash<int, ListingGridView*> m_grids;
    QHash<QString, NavTreeView*> m_trees;
    QHash<QString, LazyWebView*> m_webViews;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_items;
    QHash<QString, QWidget*> m_buttons;

    QWidget* m_pnlLeft = nullptr;
    QWidget* m_pnlTop = nullptr;
    QWidget* m_pnlSearchGrd = nullptr;
    QVBoxLayout* m_landLayout = nullptr;
    ClickableImage* m_imgLeft = nullptr;
    ClickableImage* m_image10 = nullptr;
    QCheckBox* m_chkRefresh = nullptr;
    QLabel* m_urlAd = nullptr;
    QWidget* m_pnlBot = nullptr;

    QTimer* m_adTimer = nullptr;
    QString m_adListText;
    QString m_adLink;
    AdRotation m_adRotation;

    QSystemTrayIcon* m_tray = nullptr;
    QTimer* m_trayTimer = nullptr;
    int m_trayFrame = 0;
};
