#include "ui/main/LandViews.h"

#include "service/ListingLoadRules.h"

bool LandViews::isShellKind(int kind)
{
    return kind >= 1 && kind <= 9;
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
