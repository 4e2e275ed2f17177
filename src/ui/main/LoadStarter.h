#pragma once

#include <QString>
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
    // The user profile fetch; afterLogin runs when it has ended, also after a failure.
    virtual void startProfileFetch(std::function<void()> afterLogin) = 0;
    virtual void startAdvertisementFetch() = 0;
};
