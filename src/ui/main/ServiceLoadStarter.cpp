#include "ui/main/ServiceLoadStarter.h"

#include "service/TCargoList.h"
#include "service/TMyInfothd.h"
#include "service/TThdAdInfo.h"
#include "service/TThdAirPrice.h"
#include "service/TThdOrderInfo.h"
#include "service/TThdSeaLine.h"
#include "service/TThdTrianInfo.h"
#include "service/searchCarogThread.h"

ServiceLoadStarter::ServiceLoadStarter(QObject* jobParent)
    : m_jobParent(jobParent), m_jobs(new QObject(jobParent))
{}

ServiceLoadStarter::~ServiceLoadStarter()
{
    delete m_jobs.data();
}

void ServiceLoadStarter::setView(ListingView* view)
{
    if (view == m_view)
        return;
    endRunningJobs();
    m_view = view;
}

void ServiceLoadStarter::endRunningJobs()
{
    // Running jobs hold the old view; they must not outlive it.
    delete m_jobs.data();
    m_jobs = new QObject(m_jobParent);
}

void ServiceLoadStarter::run(ShellPage page, std::function<void()> load)
{
    m_lastLoads[page] = load;
    load();
}

bool ServiceLoadStarter::reload(ShellPage page)
{
    const auto found = m_lastLoads.find(page);
    if (found == m_lastLoads.end())
        return false;
    const std::function<void()> load = found->second; // a copy: the load may replace it
    load();
    return true;
}

void ServiceLoadStarter::startLand(const LandLoadRequest& request)
{
    // Run again, the load starts from the first page.
    LandLoadRequest first = request;
    first.page = 1;
    first.append = false;
    m_lastLoads[ShellPage::InfoLand] = [this, first] { startLandJob(first); };
    startLandJob(request);
}

void ServiceLoadStarter::startLandJob(const LandLoadRequest& r)
{
    auto* job = new TCargoList(m_view, m_jobs);
    job->setParams(r.fromCity, r.toCity, r.category, r.append, r.page, r.local);
    job->start();
}

void ServiceLoadStarter::startAir(const AirLoadRequest& r)
{
    run(ShellPage::InfoAir, [this, r] {
        auto* job = new TThdAirPrice(m_view, m_jobs);
        job->setParams(r.route, r.airline, r.airportName, r.airportCode, 1, false, r.heading,
                       r.countLabel);
        job->start();
    });
}

void ServiceLoadStarter::startSea(const SeaLoadRequest& r)
{
    run(ShellPage::InfoSea, [this, r] {
        auto* job = new TThdSeaLine(m_view, m_jobs);
        job->setParams(r.portCode, QString(), QString(), QString(), 1, false, r.heading,
                       r.countLabel);
        job->start();
    });
}

void ServiceLoadStarter::startRail(const RailLoadRequest& r)
{
    run(ShellPage::InfoRail, [this, r] {
        auto* job = new TThdTrianInfo(m_view, m_jobs);
        job->setParams(QString(), r.departureCity, QString(), QString(), QString(), 1, false,
                       r.heading, r.countLabel);
        job->start();
    });
}

void ServiceLoadStarter::startSearch(const SearchLoadRequest& r)
{
    auto* job = new searchCarogThread(m_view, m_jobs);
    job->setParams(r.fromCity, r.toCities, r.category, r.cityType);
    job->start();
}

void ServiceLoadStarter::startSubscription(const SubscriptionLoadRequest& request)
{
    SubscriptionLoadRequest first = request;
    first.page = 1;
    first.append = false;
    m_lastLoads[ShellPage::InfoLand] = [this, first] { startSubscriptionJob(first); };
    startSubscriptionJob(request);
}

void ServiceLoadStarter::startSubscriptionJob(const SubscriptionLoadRequest& r)
{
    auto* job = new TThdOrderInfo(m_view, m_jobs);
    job->setParams(r.cityList, r.append, r.page);
    job->start();
}

void ServiceLoadStarter::startProfileFetch(std::function<void()> afterLogin)
{
    auto* job = new TMyInfothd(std::move(afterLogin), m_jobs);
    job->start();
}

void ServiceLoadStarter::startAdvertisementFetch()
{
    auto* job = new TThdAdInfo(m_view, m_jobs);
    job->start();
}
