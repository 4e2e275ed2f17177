#include "refdata/RegionListRules.h"

#include "refdata/RegionTree.h"

QStringList RegionListRules::provinceItems(const RegionTree& regions)
{
    return regions.provinceNames();
}

QStringList RegionListRules::cityItems(const RegionTree& regions, int provinceRow)
{
    const RegionEntry* province = regions.entry(provinceRow < 0 ? -1 : provinceRow + 1);
    if (!province)
        return {};
    if (IsMunicipality(province->name))
        return {province->name};
    return regions.childNames(provinceRow + 1);
}
