#pragma once

#include "service/ShellTargets.h"

#include <QString>
#include <QStringList>
#include <functional>

// Arguments of one land listing load.
struct LandLoadRequest
{
    QString fromCity;
    QString toCity;
    QString category;
    bool local = false;
    int page = 1;
    bool append = false;

    bool operator==(const LandLoadRequest& o) const
    {
        return fromCity == o.fromCity && toCity == o.toCity && category == o.category &&
               local == o.local && page == o.page && append == o.append;
    }
};

// Arguments of one cargo search: the destinations in the order chosen.
struct SearchLoadRequest
{
    QString fromCity;
    QStringList toCities;
    QString category; // empty for all, "1" cargo, "2" trucks
    QString cityType = QStringLiteral("1");

    bool operator==(const SearchLoadRequest& o) const
    {
        return fromCity == o.fromCity && toCities == o.toCities && category == o.category &&
               cityType == o.cityType;
    }
};

// Arguments of one load of the subscribed cities' listings.
struct SubscriptionLoadRequest
{
    QString cityList; // the quoted list
    bool append = false;
    int page = 1;

    bool operator==(const SubscriptionLoadRequest& o) const
    {
        return cityList == o.cityList && append == o.append && page == o.page;
    }
};

struct AirLoadRequest
{
    QString route;
    QString airline;
    QString airportName;
    QString airportCode;
    QString heading;
    QString countLabel;
};

struct SeaLoadRequest
{
    QString portCode;
    QString heading;
    QString countLabel;
};

struct RailLoadRequest
{
    QString departureCity;
    QString heading;
    QString countLabel;
};

class ListingView;

// Starts the jobs the main window's commands ask for. The window uses the service's loader
// jobs; tests record the requests instead.
class LoadStarter
{
public:
    virtual ~LoadStarter() = default;

    // The view the loads fill: the main window attaches its own and detaches it (null)
    // before it goes; loads still running for the old view end then.
    virtual void setView(ListingView* view) = 0;

    virtual void startLand(const LandLoadRequest& request) = 0;
    virtual void startAir(const AirLoadRequest& request) = 0;
    virtual void startSea(const SeaLoadRequest& request) = 0;
    virtual void startRail(const RailLoadRequest& request) = 0;
    // The search and subscribed-cities windows' loads.
    virtual void startSearch(const SearchLoadRequest& request) = 0;
    virtual void startSubscription(const SubscriptionLoadRequest& request) = 0;
    // The user profile fetch; afterLogin runs when it has ended, also after a failure.
    virtual void startProfileFetch(std::function<void()> afterLogin) = 0;
    virtual void startAdvertisementFetch() = 0;

    // Starts the last listing load that filled the grid of the page (InfoLand, InfoAir,
    // InfoSea, InfoRail) again from its first page, so the grid catches up with listings
    // published meanwhile. False when the page had no load yet (and by default).
    virtual bool reload(ShellPage /*page*/) { return false; }
};
