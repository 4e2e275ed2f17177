#include "LandViews.h"

#include "ListingLoadRules.h"

bool LandViews::isShellKind(int kind)
{
    switch (kind) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 6:
    case 8:
    case 9:
        return true;
    default:
        return false;
    }
}

std::optional<LandLoadRequest> LandViews::request(int kind, const QString& currentCity)
{
    const QString city = currentCity.trimmed();
    if (city.isEmpty() || !isShellKind(kind))
        return std::nullopt;
    LandLoadRequest request;
    request.category = ListingLoadRules::landCategory(kind);
    if (kind <= 3) {
        request.fromCity = currentCity;
        request.local = true;
    } else if (kind <= 6) {
        request.fromCity = currentCity;
    } else {
        request.toCity = currentCity;
    }
    return request;
}
