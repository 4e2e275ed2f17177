#include "ui/refdata/GeoTreeBuilder.h"

#include "refdata/GeoTreeNodes.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QTreeWidget>

void GeoTreeBuilder::fill(QTreeWidget* tree, const RegionTree& regions)
{
    tree->clear();
    NavTreeFiller::fill(tree, GeoTreeNodes::build(regions));
}
