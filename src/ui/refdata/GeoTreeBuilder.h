#pragma once

#include "refdata/FixedNode.h"

class QTreeWidget;
class RegionTree;

// The main window's region tree `tvGeo`: one root node per province (kind 1,
// the placeholder skipped) with one child per city (kind -1); a municipality
// gets a single child repeating its own name. Counties are not shown.
class GeoTreeBuilder
{
public:
    enum Kind
    {
        ProvinceKind = 1,
        CityKind = -1
    };

    static QVector<FixedNode> nodes(const RegionTree& regions);
    // Clears `tree` and fills it with nodes(regions) (see NavTreeFiller for the roles).
    static void fill(QTreeWidget* tree, const RegionTree& regions);
};
