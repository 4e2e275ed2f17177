#include "service/TThdAirPrice.h"

#include "core/TextTrim.h"

TThdAirPrice::TThdAirPrice(ListingView* view, QObject* parent) : PriceListingLoader(view, parent) {}

void TThdAirPrice::setParams(const QString& routeName, const QString& airlineName,
                             const QString& departureName, const QString& departureCode,
                             int pageNumber, bool append, const QString& typeHeading,
                             const QString& countLabel)
{
    route = routeName;
    airline = airlineName;
    airportName = departureName;
    airportCode = departureCode;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QString TThdAirPrice::infoLabel() const
{
    return QStringLiteral("lblAirInfo");
}

QString TThdAirPrice::typeLabel() const
{
    return QStringLiteral("lblAirType");
}

QStringList TThdAirPrice::headers() const
{
    return AirRow::headers();
}

bool TThdAirPrice::filtersEmpty() const
{
    return IsBlankText(route) && IsBlankText(airline) && IsBlankText(airportName) &&
           IsBlankText(airportCode);
}

void TThdAirPrice::callCount(ServiceCallback done)
{
    port()->getAirPriceCount(route, airline, airportName, airportCode, QString(), std::move(done));
}

void TThdAirPrice::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getAirPriceList(route, airline, airportName, airportCode, pageNumber, QString(),
                            std::move(done));
}

void TThdAirPrice::putRow(int row, const JsonNode& element)
{
    view->putAirRow(row, AirRow::fromJson(element));
}

void TThdAirPrice::showPages()
{
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgAirprice"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgAir"));
    view->showPanel(QStringLiteral("pnlAirTop"));
}
