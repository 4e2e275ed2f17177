#pragma once

#include "ui/main/LoadStarter.h"

#include <QPointer>

#include <map>

class ListingView;
class QObject;

// Starts the service's loader jobs on the view the main window attached.
class ServiceLoadStarter : public LoadStarter
{
public:
    // jobParent: where the running jobs live (they end with it at the latest).
    explicit ServiceLoadStarter(QObject* jobParent);
    ~ServiceLoadStarter() override;

    void setView(ListingView* view) override;
    void startLand(const LandLoadRequest& request) override;
    void startAir(const AirLoadRequest& request) override;
    void startSea(const SeaLoadRequest& request) override;
    void startRail(const RailLoadRequest& request) override;
    void startSearch(const SearchLoadRequest& request) override;
    void startSubscription(const SubscriptionLoadRequest& request) override;
    void startProfileFetch(std::function<void()> afterLogin) override;
    void startAdvertisementFetch() override;
    bool reload(ShellPage page) override;

private:
    void endRunningJobs();
    // Remembers how to start the load of the page again, and starts it.
    void run(ShellPage page, std::function<void()> load);
    void startLandJob(const LandLoadRequest& request);
    void startSubscriptionJob(const SubscriptionLoadRequest& request);

    ListingView* m_view = nullptr;
    QObject* m_jobParent;
    // The jobs of the attached view, parented here so that detaching the view ends them.
    QPointer<QObject> m_jobs;
    std::map<ShellPage, std::function<void()>> m_lastLoads;
};
