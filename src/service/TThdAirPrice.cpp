#include "service/TThdAirPrice.h"

#include "core/TextTrim.h"

TThdAirPrice::TThdAirPrice(ListingView* view, QObject* parent) : PriceListingLoader(view, parent) {}

void TThdAirPrice::setParams(const QString& routeName, const QString& airlineName,
                             const QString& departureName, const QString& departureCode,
                             int pageNumber, bool append, const QString& typeHeading,
                             const QString& countLabel)
{
    m_route = routeName;
    m_airline = airlineName;
    m_airportName = departureName;
    m_airportCode = departureCode;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QStringList TThdAirPrice::headers() const
{
    return AirRow::headers();
}

bool TThdAirPrice::filtersEmpty() const
{
    return IsBlankText(m_route) && IsBlankText(m_airline) && IsBlankText(m_airportName) &&
           IsBlankText(m_airportCode);
}

void TThdAirPrice::callCount(ServiceCallback done)
{
    port()->getAirPriceCount(m_route, m_airline, m_airportName, m_airportCode, QString(),
                             std::move(done));
}

void TThdAirPrice::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getAirPriceList(m_route, m_airline, m_airportName, m_airportCode, pageNumber, QString(),
                            std::move(done));
}

void TThdAirPrice::putRow(int row, const JsonNode& element)
{
    m_view->putAirRow(row, AirRow::fromJson(element));
}

void TThdAirPrice::showPages()
{
    showListingPages(ShellPage::NavAir, ShellPage::InfoAir, ShellPanel::AirTop);
}
