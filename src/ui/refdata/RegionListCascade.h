#pragma once

#include <QObject>
#include <QStringList>

class QListWidget;
class RegionTree;

// Province -> city list boxes without the placeholder (the search and the
// subscribed-cities windows: `lstProv` -> `lstCity`). Province row i is
// top-level entry i + 1. A municipality lists itself as its only city;
// counties are not offered.
class RegionListCascade : public QObject
{
    Q_OBJECT
public:
    // The 31 province names.
    static QStringList provinceItems(const RegionTree& regions);
    // Cities for province row `provinceRow`; empty for -1 and outside the tree.
    static QStringList cityItems(const RegionTree& regions, int provinceRow);

    // Binds the two lists (parented to `provinces`) and fills the province list.
    // Choosing a province (click or keyboard) refills the city list; a change to
    // no selection leaves it alone.
    RegionListCascade(QListWidget* provinces, QListWidget* cities, const RegionTree& regions);

    void reset();

private:
    void onProvinceRowChanged(int row);

    const RegionTree& m_regions;
    QListWidget* m_provinces;
    QListWidget* m_cities;
};
