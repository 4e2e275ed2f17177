#include "ui/refdata/RegionRegistrationCascade.h"

#include "refdata/RegionRegistrationRules.h"
#include "ui/refdata/ListFill.h"

#include <QComboBox>

RegionRegistrationCascade::RegionRegistrationCascade(QComboBox* province, QComboBox* city,
                                                     const RegionTree& regions)
    : QObject(province), m_regions(regions), m_province(province), m_city(city)
{
    connect(m_province, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &RegionRegistrationCascade::onProvinceChanged);
    reset();
}

void RegionRegistrationCascade::reset()
{
    ListFill::replace(m_province, RegionRegistrationRules::provinceItems(m_regions));
    ListFill::replace(m_city, {});
}

bool RegionRegistrationCascade::select(const QString& province, const QString& city)
{
    const int provinceIndex = m_province->findText(province);
    if (provinceIndex < 0)
        return false;
    if (m_province->currentIndex() == provinceIndex)
        onProvinceChanged(provinceIndex);
    else
        m_province->setCurrentIndex(provinceIndex);
    const int cityIndex = m_city->findText(city);
    if (cityIndex < 0)
        return false;
    m_city->setCurrentIndex(cityIndex);
    return true;
}

void RegionRegistrationCascade::onProvinceChanged(int index)
{
    ListFill::replace(m_city, RegionRegistrationRules::cityItems(m_regions, index));
}
