#include "service/TThdTrianInfo.h"

#include "core/TextTrim.h"

TThdTrianInfo::TThdTrianInfo(ListingView* view, QObject* parent) : PriceListingLoader(view, parent)
{}

void TThdTrianInfo::setParams(const QString& number, const QString& fromCity,
                              const QString& fromStation2, const QString& toStation2,
                              const QString& toCity, int pageNumber, bool append,
                              const QString& typeHeading, const QString& countLabel)
{
    trainNumber = number;
    departureCity = fromCity;
    departureStation2 = fromStation2;
    arrivalStation2 = toStation2;
    arrivalCity = toCity;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QString TThdTrianInfo::infoLabel() const
{
    return QStringLiteral("lblTrianInfo");
}

QString TThdTrianInfo::typeLabel() const
{
    return QStringLiteral("lblTrianAction");
}

QStringList TThdTrianInfo::headers() const
{
    return RailRow::headers();
}

bool TThdTrianInfo::filtersEmpty() const
{
    return IsBlankText(trainNumber) && IsBlankText(departureCity) &&
           IsBlankText(departureStation2) && IsBlankText(arrivalStation2) &&
           IsBlankText(arrivalCity);
}

void TThdTrianInfo::callCount(ServiceCallback done)
{
    port()->getTrianCount(trainNumber, departureCity, departureStation2, arrivalStation2,
                          arrivalCity, QString(), std::move(done));
}

void TThdTrianInfo::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getTrianList(trainNumber, departureCity, departureStation2, arrivalStation2,
                         arrivalCity, pageNumber, QString(), std::move(done));
}

void TThdTrianInfo::putRow(int row, const JsonNode& element)
{
    view->putRailRow(row, RailRow::fromJson(element));
}

void TThdTrianInfo::showPages()
{
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgTrian"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgTrian"));
    view->showPanel(QStringLiteral("pnlTrianRecomment"));
}
