#include "ui/refdata/RegionComboCascade.h"

#include "refdata/RegionComboRules.h"
#include "ui/refdata/ListFill.h"

#include <QComboBox>
#include <QSignalBlocker>

RegionComboCascade::RegionComboCascade(QComboBox* province, QComboBox* city, QComboBox* county,
                                       const RegionTree& regions)
    : QObject(province), m_regions(regions), m_province(province), m_city(city), m_county(county)
{
    connect(m_province, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &RegionComboCascade::onProvinceChanged);
    connect(m_city, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &RegionComboCascade::onCityChanged);
    // Choosing the current city again (e.g. the pre-selected one) lists its counties.
    connect(m_city, QOverload<int>::of(&QComboBox::activated), this,
            &RegionComboCascade::onCityChanged);
    reset();
}

void RegionComboCascade::reset()
{
    ListFill::replace(m_province, RegionComboRules::provinceItems(m_regions));
    selectProvince(0);
}

void RegionComboCascade::selectProvince(int index)
{
    // Choosing the province again still refills its cities.
    if (m_province->currentIndex() == index)
        onProvinceChanged(index);
    else
        m_province->setCurrentIndex(index);
}

void RegionComboCascade::preselect(const QString& profileProvince, const QString& profileCity,
                                   bool connected)
{
    if (!connected)
        return;
    const RegionComboRules::Preselection chosen =
        RegionComboRules::preselection(m_regions, profileProvince, profileCity);
    if (chosen.province < 0)
        return;
    selectProvince(chosen.province);
    if (chosen.city < 0)
        return;
    // The pre-selected city does not fill the county list; choosing it again does.
    const QSignalBlocker blocker(m_city);
    m_city->setCurrentIndex(chosen.city);
}

QString RegionComboCascade::placeValue() const
{
    return RegionComboRules::placeValue(m_province->currentText(), m_city->currentText());
}

void RegionComboCascade::onProvinceChanged(int index)
{
    ListFill::replace(m_city, RegionComboRules::cityItems(m_regions, index));
    ListFill::replace(m_county, {});
}

void RegionComboCascade::onCityChanged(int index)
{
    ListFill::replace(m_county,
                      RegionComboRules::countyItems(m_regions, m_province->currentIndex(), index));
}
