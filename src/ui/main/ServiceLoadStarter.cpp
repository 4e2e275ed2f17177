#include "ui/main/ServiceLoadStarter.h"

#include "service/TCargoList.h"
#include "service/TMyInfothd.h"
#include "service/TThdAdInfo.h"
#include "service/TThdAirPrice.h"
#include "service/TThdSeaLine.h"
#include "service/TThdTrianInfo.h"

ServiceLoadStarter::ServiceLoadStarter(ListingView* view, QObject* jobParent)
    : m_view(view), m_jobParent(jobParent)
{}

void ServiceLoadStarter::startLand(const LandLoadRequest& r)
{
    auto* job = new TCargoList(m_view, m_jobParent);
    job->setParams(r.fromCity, r.toCity, r.category, r.append, r.page, r.local);
    job->start();
}

void ServiceLoadStarter::startAir(const AirLoadRequest& r)
{
    auto* job = new TThdAirPrice(m_view, m_jobParent);
    job->setParams(r.route, r.airline, r.airportName, r.airportCode, 1, false, r.heading,
                   r.countLabel);
    job->start();
}

void ServiceLoadStarter::startSea(const SeaLoadRequest& r)
{
    auto* job = new TThdSeaLine(m_view, m_jobParent);
    job->setParams(r.portCode, QString(), QString(), QString(), 1, false, r.heading, r.countLabel);
    job->start();
}

void ServiceLoadStarter::startRail(const RailLoadRequest& r)
{
    auto* job = new TThdTrianInfo(m_view, m_jobParent);
    job->setParams(QString(), r.departureCity, QString(), QString(), QString(), 1, false, r.heading,
                   r.countLabel);
    job->start();
}

void ServiceLoadStarter::startProfileFetch(std::function<void()> afterLogin)
{
    auto* job = new TMyInfothd(std::move(afterLogin), m_jobParent);
    job->start();
}

void ServiceLoadStarter::startAdvertisementFetch()
{
    auto* job = new TThdAdInfo(m_view, m_jobParent);
    job->start();
}
