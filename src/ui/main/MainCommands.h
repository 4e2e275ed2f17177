#pragma once

#include "service/ShellTargets.h"
#include "ui/main/ListingGridRow.h"
#include "ui/main/ListingLayout.h"
#include "ui/main/ShellControls.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QObject>
#include <QSize>

class CommandSurface;
class LoadStarter;
class QTreeWidgetItem;
class SecondaryWindows;
class ShellState;

// The main window's commands: the buttons, menu items, tree nodes and double-clicks, with
// their guards. Listing commands do nothing while not connected or while a load runs; the
// guarded others only need the connection. Loads go to the starter, other windows to the
// secondary windows, everything on screen to the surface.
class MainCommands : public QObject
{
    Q_OBJECT
public:
    // None is owned; each outlives the commands.
    MainCommands(CommandSurface* surface, LoadStarter* loads, SecondaryWindows* windows,
                 QObject* parent = nullptr);

    // Where member links of the browser windows go (the messaging session's add friend).
    void setFriendRequests(TfrmNewBrowser::FriendRequest handler);

    // After the profile fetch of a sign-in: the city pages, the current city selected in
    // tvGeo and its first land load.
    void signInFollowUp();
    // The listings of the subscribed cities in InfoGrd (a click on a lane alert).
    void showSubscribedListings();

public Q_SLOTS:
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
    void findFriend();
    void toolMap();
    void toolCalculator();
    void toolCalendar();
    void toolOutsidePage(const QString& path);
    void dropDown(ShellMenu menu);
    void tvGeoPressed(QTreeWidgetItem* item);
    void tvAirClicked(QTreeWidgetItem* item);
    void tvSeaClicked(QTreeWidgetItem* item);
    void tvTrainPressed(QTreeWidgetItem* item);
    void tvBiddingClicked(QTreeWidgetItem* item);
    // A double-click on a field of a listing row.
    void openListing(ListingFamily family, const ListingGridRow& row, int field);

private:
    ShellState& state() const;
    bool connected() const;
    bool canLoad() const;
    void showInfoPages(ShellPage navPage, ShellPage infoPage);
    void startLandLoad(int kind);
    // A node of the air or sea tree: the family's pages shown, a branch opened. True for a
    // leaf, which then loads.
    bool enterPriceNode(QTreeWidgetItem* item, ShellPage navPage, ShellPage infoPage);
    void startAirFor(QTreeWidgetItem* item);
    void startSeaLoad(const QString& port);
    // The rail pages shown and the station's trains loaded.
    void startRailLoad(const QString& station);
    void openCustomerService();
    void openBrowser(const QString& url, const QSize& size, const QString& caption);

    CommandSurface* m_surface;
    LoadStarter* m_loads;
    SecondaryWindows* m_windows;
    TfrmNewBrowser::FriendRequest m_friendRequests;
};
