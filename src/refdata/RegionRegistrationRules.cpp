#include "refdata/RegionRegistrationRules.h"

#include "refdata/RegionTree.h"

QStringList RegionRegistrationRules::provinceItems(const RegionTree& regions)
{
    return regions.provinceNames();
}

QStringList RegionRegistrationRules::cityItems(const RegionTree& regions, int provinceIndex)
{
    if (provinceIndex < 0)
        return {};
    return regions.childNames(provinceIndex + 1);
}
