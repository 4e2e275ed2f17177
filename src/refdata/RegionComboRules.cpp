#include "refdata/RegionComboRules.h"

#include "refdata/RegionTree.h"

QStringList RegionComboRules::provinceItems(const RegionTree& regions)
{
    return regions.topLevelNames();
}

QStringList RegionComboRules::cityItems(const RegionTree& regions, int provinceIndex)
{
    if (provinceIndex <= 0)
        return {};
    return regions.childNames(provinceIndex);
}

QStringList RegionComboRules::countyItems(const RegionTree& regions, int provinceIndex,
                                          int cityIndex)
{
    if (provinceIndex <= 0 || cityIndex < 0)
        return {};
    return regions.grandchildNames(provinceIndex, cityIndex);
}

RegionComboRules::Preselection RegionComboRules::preselection(const RegionTree& regions,
                                                              const QString& profileProvince,
                                                              const QString& profileCity)
{
    Preselection result;
    result.province = regions.indexOf(profileProvince);
    if (result.province < 0 || IsMunicipality(profileProvince))
        return result;
    result.city = cityItems(regions, result.province).indexOf(profileCity);
    return result;
}

QString RegionComboRules::placeValue(const QString& provinceName, const QString& cityName)
{
    return IsMunicipality(provinceName) ? provinceName : cityName;
}
