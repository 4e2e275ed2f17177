#pragma once

#include "ui/main/LoadStarter.h"

#include <QVector>

// Records the loads the main window asks for instead of calling the service.
class RecordingStarter : public LoadStarter
{
public:
    void setView(ListingView* attached) override { view = attached; }
    void startLand(const LandLoadRequest& r) override { land.append(r); }
    void startAir(const AirLoadRequest& r) override { air.append(r); }
    void startSea(const SeaLoadRequest& r) override { sea.append(r); }
    void startRail(const RailLoadRequest& r) override { rail.append(r); }
    void startSearch(const SearchLoadRequest& r) override { search.append(r); }
    void startSubscription(const SubscriptionLoadRequest& r) override { subscription.append(r); }
    void startProfileFetch(std::function<void()> after) override
    {
        ++profileFetches;
        afterLogin = std::move(after);
    }
    void startAdvertisementFetch() override { ++adFetches; }

    int total() const
    {
        return land.size() + air.size() + sea.size() + rail.size() + search.size() +
               subscription.size();
    }

    ListingView* view = nullptr;
    QVector<LandLoadRequest> land;
    QVector<AirLoadRequest> air;
    QVector<SeaLoadRequest> sea;
    QVector<RailLoadRequest> rail;
    QVector<SearchLoadRequest> search;
    QVector<SubscriptionLoadRequest> subscription;
    int profileFetches = 0;
    int adFetches = 0;
    std::function<void()> afterLogin;
};
