#pragma once

#include <QStringList>

class RegionTree;

// The rules of the province -> city list boxes without the placeholder (the search and the
// subscribed-cities windows: `lstProv` -> `lstCity`). Province row i is top-level entry i + 1.
// A municipality lists itself as its only city; counties are not offered. RegionListCascade
// binds them to two QListWidgets.
class RegionListRules
{
public:
    // The 31 province names.
    static QStringList provinceItems(const RegionTree& regions);
    // Cities for province row `provinceRow`; empty for -1 and outside the tree.
    static QStringList cityItems(const RegionTree& regions, int provinceRow);
};
