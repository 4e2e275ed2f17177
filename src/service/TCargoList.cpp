#include "service/TCargoList.h"

#include "core/TextTrim.h"
#include "service/ListingLoadRules.h"
#include "service/ShellState.h"

TCargoList::TCargoList(ListingView* view, QObject* parent) : LandListingLoader(view, parent) {}

void TCargoList::setParams(const QString& from, const QString& to, const QString& category,
                           bool appendRows, int page, bool localOnly)
{
    fromCity = from;
    toCity = to;
    categoryText = category;
    local = localOnly;
    setPaging(appendRows, page);
}

void TCargoList::startingStep()
{
    const int viewKind = shellState().landViewKind;
    categoryText = ListingLoadRules::landCategory(viewKind);
    headingText = ListingLoadRules::landHeading(viewKind);
}

bool TCargoList::filtersEmpty() const
{
    return IsBlankText(fromCity) && IsBlankText(toCity);
}

int TCargoList::rowCap() const
{
    return ListingLoadRules::LandCap;
}

void TCargoList::callCount(ServiceCallback done)
{
    port()->cargoCount(fromCity, toCity, categoryText, QString(), localFlag(), std::move(done));
}

void TCargoList::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->cargoListpro(fromCity, toCity, categoryText, pageNumber, QString(), localFlag(),
                         std::move(done));
}

QString TCargoList::countLabel() const
{
    // Loads of returns have only a destination city; name that one rather than nothing.
    const QString city = IsBlankText(fromCity) ? toCity : fromCity;
    return QStringLiteral("%1：%2").arg(city).arg(shellState().listingCounter);
}

QString TCargoList::localFlag() const
{
    return local ? QStringLiteral("1") : QStringLiteral("0");
}
