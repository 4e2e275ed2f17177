#include "refdata/GeoTreeNodes.h"

#include "refdata/RegionTree.h"

namespace {

FixedNode geoNode(const QString& text, int kind)
{
    FixedNode node;
    node.text = text;
    node.kind = kind;
    return node;
}

FixedNode provinceNode(const RegionEntry& entry)
{
    FixedNode province = geoNode(entry.name, GeoTreeNodes::ProvinceKind);
    if (IsMunicipality(entry.name)) {
        province.children.append(geoNode(entry.name, GeoTreeNodes::CityKind));
        return province;
    }
    for (const RegionEntry& city : entry.children)
        province.children.append(geoNode(city.name, GeoTreeNodes::CityKind));
    return province;
}

} // namespace

QVector<FixedNode> GeoTreeNodes::build(const RegionTree& regions)
{
    QVector<FixedNode> provinces;
    const QVector<RegionEntry>& entries = regions.entries();
    for (int i = 1; i < entries.size(); ++i)
        provinces.append(provinceNode(entries.at(i)));
    return provinces;
}
