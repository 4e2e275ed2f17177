#pragma once

#include <QObject>

class QComboBox;
class RegionTree;

// Binds the province -> city -> county drop-down lists of RegionComboRules to three
// QComboBoxes: fills the province list at once (item 0, the placeholder, selected) and refills
// the city and county lists whenever the selection above them changes, leaving nothing
// selected after a refill.
class RegionComboCascade : public QObject
{
    Q_OBJECT
public:
    // Binds the three lists (parented to `province`) and fills the province list.
    RegionComboCascade(QComboBox* province, QComboBox* city, QComboBox* county,
                       const RegionTree& regions);

    // Refills the province list and selects item 0, emptying the other two.
    void reset();
    // Pre-selects the user's own province and city; does nothing unless `connected`.
    // The county list is not filled by this.
    void preselect(const QString& profileProvince, const QString& profileCity, bool connected);
    // RegionComboRules::placeValue() of the current selection.
    QString placeValue() const;

private:
    void selectProvince(int index);
    void onProvinceChanged(int index);
    void onCityChanged(int index);

    const RegionTree& m_regions;
    QComboBox* m_province;
    QComboBox* m_city;
    QComboBox* m_county;
};
