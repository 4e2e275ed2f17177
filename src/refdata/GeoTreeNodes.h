#pragma once

#include "refdata/FixedNode.h"

class RegionTree;

// The nodes of the main window's region tree `tvGeo`: one root node per province (kind 1, the
// placeholder skipped) with one child per city (kind -1); a municipality gets a single child
// repeating its own name. Counties are not shown. GeoTreeBuilder puts them into the tree.
class GeoTreeNodes
{
public:
    enum Kind
    {
        ProvinceKind = 1,
        CityKind = -1
    };

    static QVector<FixedNode> build(const RegionTree& regions);
};
