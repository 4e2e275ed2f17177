#pragma once

#include <QStringList>

class RegionTree;

// The rules of the province -> city -> county drop-down lists with the placeholder "请选择" as
// province item 0 (the land publishing windows: `cbProv` -> `cbCity` -> `cmbCountry` and the
// destination trio). Province index = top-level entry index. RegionComboCascade binds them to
// three QComboBoxes.
class RegionComboRules
{
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
};
