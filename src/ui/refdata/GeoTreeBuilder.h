#pragma once

class QTreeWidget;
class RegionTree;

// Fills the main window's region tree `tvGeo` with GeoTreeNodes.
class GeoTreeBuilder
{
public:
    // Clears `tree` and fills it with GeoTreeNodes::build(regions) (see NavTreeFiller for the
    // roles).
    static void fill(QTreeWidget* tree, const RegionTree& regions);
};
