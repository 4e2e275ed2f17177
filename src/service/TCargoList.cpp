#include "service/TCargoList.h"

#include "core/TextTrim.h"
#include "service/ListingLoadRules.h"
#include "service/ShellState.h"

TCargoList::TCargoList(ListingView* view, QObject* parent) : LandListingLoader(view, parent) {}

void TCargoList::setParams(const QString& from, const QString& to, const QString& category,
                           bool appendRows, int page, bool localOnly)
{
    m_fromCity = from;
    m_toCity = to;
    m_categoryText = category;
    m_local = localOnly;
    setPaging(appendRows, page);
}

void TCargoList::startingStep()
{
    const int viewKind = shellState().landViewKind;
    m_categoryText = ListingLoadRules::landCategory(viewKind);
    m_headingText = ListingLoadRules::landHeading(viewKind);
}

bool TCargoList::filtersEmpty() const
{
    return IsBlankText(m_fromCity) && IsBlankText(m_toCity);
}

int TCargoList::rowCap() const
{
    return ListingLoadRules::LandCap;
}

void TCargoList::callCount(ServiceCallback done)
{
    port()->cargoCount(m_fromCity, m_toCity, m_categoryText, QString(), localFlag(),
                       std::move(done));
}

void TCargoList::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->cargoListpro(m_fromCity, m_toCity, m_categoryText, pageNumber, QString(), localFlag(),
                         std::move(done));
}

QString TCargoList::countLabel() const
{
    // Loads of returns have only a destination city; name that one rather than nothing.
    const QString city = IsBlankText(m_fromCity) ? m_toCity : m_fromCity;
    return QStringLiteral("%1：%2").arg(city).arg(shellState().listingCounter);
}

QString TCargoList::localFlag() const
{
    return m_local ? QStringLiteral("1") : QStringLiteral("0");
}
