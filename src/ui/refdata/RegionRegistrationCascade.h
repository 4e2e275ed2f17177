#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;
class RegionTree;

// Province -> city drop-down lists of the registration window (`chkProv` ->
// `chkCity`): the 31 provinces without the placeholder, nothing selected at
// start; any selected province (index i = top-level entry i + 1) fills its
// cities, and a municipality lists its districts.
class RegionRegistrationCascade : public QObject
{
    Q_OBJECT
public:
    static QStringList provinceItems(const RegionTree& regions);
    // Cities (districts for a municipality) of province [provinceIndex]; empty
    // for -1 and outside the tree.
    static QStringList cityItems(const RegionTree& regions, int provinceIndex);

    // Binds the two lists (parented to `province`) and fills the province list.
    RegionRegistrationCascade(QComboBox* province, QComboBox* city, const RegionTree& regions);

    // Refills the province list with nothing selected and empties the city list.
    void reset();
    // Selects `province` and then `city` where present; returns true when both were found.
    bool select(const QString& province, const QString& city);

private:
    void onProvinceChanged(int index);

    const RegionTree& m_regions;
    QComboBox* m_province;
    QComboBox* m_city;
};
