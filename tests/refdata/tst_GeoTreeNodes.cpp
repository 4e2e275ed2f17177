#include "refdata/GeoTreeNodes.h"
#include "refdata/RegionTree.h"

#include <QtTest>

class GeoTreeNodesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void provincesWithTheirCities()
    {
        const RegionTree& regions = RegionTree::shared();
        const QVector<FixedNode> nodes = GeoTreeNodes::build(regions);
        QCOMPARE(nodes.size(), 31);
        for (int i = 0; i < nodes.size(); ++i) {
            const FixedNode& province = nodes.at(i);
            const RegionEntry* entry = regions.entry(i + 1);
            QCOMPARE(province.text, entry->name);
            QCOMPARE(province.kind, 1);
            QStringList expected = regions.childNames(i + 1);
            if (IsMunicipality(entry->name))
                expected = QStringList{entry->name};
            QStringList shown;
            for (const FixedNode& city : province.children) {
                QCOMPARE(city.kind, -1);
                QVERIFY(city.children.isEmpty());
                shown.append(city.text);
            }
            QCOMPARE(shown, expected);
        }
    }
};

QTEST_GUILESS_MAIN(GeoTreeNodesTest)
#include "tst_GeoTreeNodes.moc"
