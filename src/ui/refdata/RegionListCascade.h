#pragma once

#include <QObject>

class QListWidget;
class RegionTree;

// Binds the province -> city list boxes of RegionListRules to two QListWidgets.
class RegionListCascade : public QObject
{
    Q_OBJECT
public:
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
