#include "ui/refdata/RegionListCascade.h"

#include "refdata/RegionListRules.h"
#include "ui/refdata/ListFill.h"

#include <QListWidget>

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
    ListFill::replace(m_provinces, RegionListRules::provinceItems(m_regions));
    ListFill::replace(m_cities, {});
}

void RegionListCascade::onProvinceRowChanged(int row)
{
    if (row < 0)
        return;
    ListFill::replace(m_cities, RegionListRules::cityItems(m_regions, row));
}
