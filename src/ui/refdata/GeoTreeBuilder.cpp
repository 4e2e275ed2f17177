#include "ui/refdata/GeoTreeBuilder.h"

#include "refdata/RegionTree.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QTreeWidget>

namespace {

FixedNode geoNode(const QString& text, int kind)
{
    FixedNode node;
    node.text = text;
    node.kind = kind;
    return node;
}

} // namespace

QVector<FixedNode> GeoTreeBuilder::nodes(const RegionTree& regions)
{
    QVector<FixedNode> provinces;
    const QVector<RegionEntry>& entries = regions.entries();
    for (int i = 1; i < entries.size(); ++i) {
        const RegionEntry& entry = entries.at(i);
        FixedNode province = geoNode(entry.name, ProvinceKind);
        if (IsMunicipality(entry.name)) {
            province.children.append(geoNode(entry.name, CityKind));
        } else {
            for (const RegionEntry& city : entry.children)
                province.children.append(geoNode(city.name, CityKind));
        }
        provinces.append(province);
    }
    return provinces;
}

void GeoTreeBuilder::fill(QTreeWidget* tree, const RegionTree& regions)
{
    tree->clear();
    NavTreeFiller::fill(tree, nodes(regions));
}
