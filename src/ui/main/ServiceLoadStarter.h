#pragma once

#include "ui/main/LoadStarter.h"

class ListingView;
class QObject;

// Starts the service's loader jobs on the main window's listing view.
class ServiceLoadStarter : public LoadStarter
{
public:
    ServiceLoadStarter(ListingView* view, QObject* jobParent);

    void startLand(const LandLoadRequest& request) override;
    void startAir(const AirLoadRequest& request) override;
    void startSea(const SeaLoadRequest& request) override;
    void startRail(const RailLoadRequest& request) override;
    void startProfileFetch(std::function<void()> afterLogin) override;
    void startAdvertisementFetch() override;

private:
    ListingView* m_view;
    QObject* m_jobParent;
};
