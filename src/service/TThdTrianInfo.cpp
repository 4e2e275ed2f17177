#include "service/TThdTrianInfo.h"

#include "core/TextTrim.h"

TThdTrianInfo::TThdTrianInfo(ListingView* view, QObject* parent) : PriceListingLoader(view, parent)
{}

void TThdTrianInfo::setParams(const QString& number, const QString& fromCity,
                              const QString& fromStation2, const QString& toStation2,
                              const QString& toCity, int pageNumber, bool append,
                              const QString& typeHeading, const QString& countLabel)
{
    m_trainNumber = number;
    m_departureCity = fromCity;
    m_departureStation2 = fromStation2;
    m_arrivalStation2 = toStation2;
    m_arrivalCity = toCity;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QStringList TThdTrianInfo::headers() const
{
    return RailRow::headers();
}

bool TThdTrianInfo::filtersEmpty() const
{
    return IsBlankText(m_trainNumber) && IsBlankText(m_departureCity) &&
           IsBlankText(m_departureStation2) && IsBlankText(m_arrivalStation2) &&
           IsBlankText(m_arrivalCity);
}

void TThdTrianInfo::callCount(ServiceCallback done)
{
    port()->getTrianCount(m_trainNumber, m_departureCity, m_departureStation2, m_arrivalStation2,
                          m_arrivalCity, QString(), std::move(done));
}

void TThdTrianInfo::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getTrianList(m_trainNumber, m_departureCity, m_departureStation2, m_arrivalStation2,
                         m_arrivalCity, pageNumber, QString(), std::move(done));
}

void TThdTrianInfo::putRow(int row, const JsonNode& element)
{
    m_view->putRailRow(row, RailRow::fromJson(element));
}

void TThdTrianInfo::showPages()
{
    showListingPages(ShellPage::NavRail, ShellPage::InfoRail, ShellPanel::RailTop);
}
