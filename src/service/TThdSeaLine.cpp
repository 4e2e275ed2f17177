#include "service/TThdSeaLine.h"

#include "core/TextTrim.h"

TThdSeaLine::TThdSeaLine(ListingView* view, QObject* parent) : PriceListingLoader(view, parent) {}

void TThdSeaLine::setParams(const QString& fromPort, const QString& toPort, const QString& carrier,
                            const QString& line, int pageNumber, bool append,
                            const QString& typeHeading, const QString& countLabel)
{
    m_departurePort = fromPort;
    m_destinationPort = toPort;
    m_company = carrier;
    m_seaLine = line;
    setCommon(pageNumber, append, typeHeading, countLabel);
}

QStringList TThdSeaLine::headers() const
{
    return SeaRow::headers();
}

bool TThdSeaLine::filtersEmpty() const
{
    return IsBlankText(m_departurePort) && IsBlankText(m_destinationPort) &&
           IsBlankText(m_company) && IsBlankText(m_seaLine);
}

void TThdSeaLine::callCount(ServiceCallback done)
{
    port()->getSealineCount(m_departurePort, m_destinationPort, m_company, m_seaLine, QString(),
                            std::move(done));
}

void TThdSeaLine::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->getSealineList(m_departurePort, m_destinationPort, m_company, m_seaLine, pageNumber,
                           QString(), std::move(done));
}

void TThdSeaLine::putRow(int row, const JsonNode& element)
{
    m_view->putSeaRow(row, SeaRow::fromJson(element));
}

void TThdSeaLine::showPages()
{
    showListingPages(ShellPage::NavSea, ShellPage::InfoSea, ShellPanel::SeaTop);
}
