#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;
class RegionTree;

// Province -> city -> county drop-down lists with the placeholder "请选择" as
// province item 0 (the land publishing windows: `cbProv` -> `cbCity` ->
// `cmbCountry` and the destination trio). Province index = top-level entry index.
//
// The static rules work without widgets; an instance binds three QComboBoxes,
// fills the province list at once (item 0 selected) and refills the city and
// county lists whenever the selection above them changes, leaving nothing
// selected after a refill.
class RegionComboCascade : public QObject
{
    Q_OBJECT
public:
    struct Preselection
    {
        int province = -1; // -1: nothing pre-selected
        int city = -1;     // -1: no city pre-selected
    };

    // Every top-level name, "请选择" first.
    static QStringList provinceItems(const RegionTree& regions);
    // Cities of province [provinceIndex]; empty for the placeholder (0) and outside the tree.
    static QStringList cityItems(const RegionTree& regions, int provinceIndex);
    // Counties of province [provinceIndex] -> city [cityIndex]; empty when the
    // placeholder or no city is chosen, or the city has no counties.
    static QStringList countyItems(const RegionTree& regions, int provinceIndex, int cityIndex);
    // The user's own place: the first province equal to `profileProvince`, and
    // unless it is a municipality the first of its cities equal to `profileCity`.
    static Preselection preselection(const RegionTree& regions, const QString& profileProvince,
                                     const QString& profileCity);
    // The published place: the province name for a municipality, else the city
    // name (empty when no city is chosen, so the place counts as not chosen).
    static QString placeValue(const QString& provinceName, const QString& cityName);

    // Binds the three lists (parented to `province`) and fills the province list.
    RegionComboCascade(QComboBox* province, QComboBox* city, QComboBox* county,
                       const RegionTree& regions);

    // Refills the province list and selects item 0, emptying the other two.
    void reset();
    // Pre-selects the user's own province and city; does nothing unless `connected`.
    // The county list is not filled by this.
    void preselect(const QString& profileProvince, const QString& profileCity, bool connected);
    // placeValue() of the current selection.
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
