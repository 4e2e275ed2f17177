#include "ui/refdata/RegionListCascade.h"

#include "refdata/RegionTree.h"
#include "ui/refdata/ListFill.h"

#include <QListWidget>

QStringList RegionListCascade::provinceItems(const RegionTree& regions)
{
    return regions.provinceNames();
}

QStringList RegionListCascade::cityItems(const RegionTree& regions, int provinceRow)
{
    const RegionEntry* province = regions.entry(provinceRow < 0 ? -1 : provinceRow + 1);
    if (!province)
        return {};
    if (IsMunicipality(province->name))
        return {province->name};
    return regions.childNames(provinceRow + 1);
}

RegionListCascade::RegionListCascade(QListWidget* provinces, QListWidget* cities,
                                     const RegionTree& regions)
    : QObject(provinces), m_regions(regions), m_provinces(provinces), m_cities(cities)
{
    connect(m_provinces, &QListWidget::currentRowChanged, this,
            &RegionListCascade::onProvinceRowChanged);
    reset();
}

void RegionListCascade::reset()
{
    ListFill::replace(m_provinces, provinceItems(m_regions));
    ListFill::replace(m_cities, {});
}

void RegionListCascade::onProvinceRowChanged(int row)
{
    if (row < 0)
        return;
    ListFill::replace(m_cities, cityItems(m_regions, row));
}
