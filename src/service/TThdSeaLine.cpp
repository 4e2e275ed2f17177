#include "service/TThdSeaLine.h"

#include "core/TextTrim.h"

TThdSeaLine::TThdSeaLine(ListingView* view, QObject* parent) : PriceListingLoader(view, parent) {}

void TThdSeaLine::setParams(const QString& fromPort, const QString& toPort, const QString& carrier,
                            const QString& line, int pageNumber, bool append,
                            const QString& typeHeading, const QString& countLabel)
{
    departurePort = fromPort;
    destinationPort = toPort;
    company = carrier;
    seaLine = line;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QString TThdSeaLine::infoLabel() const
{
    return QStringLiteral("lblSeaInfo");
}

QString TThdSeaLine::typeLabel() const
{
    return QStringLiteral("lblSeaAction");
}

QStringList TThdSeaLine::headers() const
{
    return SeaRow::headers();
}

bool TThdSeaLine::filtersEmpty() const
{
    return IsBlankText(departurePort) && IsBlankText(destinationPort) && IsBlankText(company) &&
           IsBlankText(seaLine);
}

void TThdSeaLine::callCount(ServiceCallback done)
{
    port()->getSealineCount(departurePort, destinationPort, company, seaLine, QString(),
                            std::move(done));
}

void TThdSeaLine::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getSealineList(departurePort, destinationPort, company, seaLine, pageNumber, QString(),
                           std::move(done));
}

void TThdSeaLine::putRow(int row, const JsonNode& element)
{
    view->putSeaRow(row, SeaRow::fromJson(element));
}

void TThdSeaLine::showPages()
{
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgSea"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgSea"));
    view->showPanel(QStringLiteral("pnlSeaRecomment"));
}
