#include "refdata/RegionTree.h"
#include "refdata/TreeNodeRoles.h"
#include "ui/refdata/GeoTreeBuilder.h"
#include "ui/refdata/NavTreeFiller.h"
#include "ui/refdata/RegionComboCascade.h"
#include "ui/refdata/RegionListCascade.h"
#include "ui/refdata/RegionRegistrationCascade.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList itemsOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    return items;
}

QStringList itemsOf(const QListWidget& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.item(i)->text());
    return items;
}

const RegionTree& regions()
{
    return RegionTree::shared();
}

int indexOf(const char* province)
{
    return regions().indexOf(QString::fromUtf8(province));
}

} // namespace

class SelectorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comboCascadeRefillsAndClears()
    {
        QComboBox province, city, county;
        RegionComboCascade cascade(&province, &city, &county, regions());
        QCOMPARE(province.count(), 32);
        QCOMPARE(province.currentIndex(), 0);
        QCOMPARE(city.count(), 0);
        QCOMPARE(cascade.placeValue(), QString());

        province.setCurrentIndex(indexOf("河北"));
        QCOMPARE(itemsOf(city), regions().childNames(indexOf("河北")));
        QCOMPARE(city.currentIndex(), -1);
        QCOMPARE(county.count(), 0);
        QCOMPARE(cascade.placeValue(), QString());

        city.setCurrentIndex(0);
        QCOMPARE(itemsOf(county), regions().grandchildNames(indexOf("河北"), 0));
        QCOMPARE(county.currentIndex(), -1);
        QCOMPARE(cascade.placeValue(), QStringLiteral("石家庄"));
        county.setCurrentIndex(0);

        // Choosing the placeholder empties both dependent lists.
        province.setCurrentIndex(0);
        QCOMPARE(city.count(), 0);
        QCOMPARE(county.count(), 0);
        QCOMPARE(cascade.placeValue(), QString());

        // A municipality lists its districts but publishes its own name.
        province.setCurrentIndex(indexOf("北京"));
        QCOMPARE(itemsOf(city), regions().childNames(indexOf("北京")));
        city.setCurrentIndex(3);
        QCOMPARE(county.count(), 0);
        QCOMPARE(cascade.placeValue(), QStringLiteral("北京"));

        // A city without counties leaves the county list empty.
        province.setCurrentIndex(indexOf("广东"));
        city.setCurrentIndex(city.findText("东莞"));
        QVERIFY(city.currentIndex() >= 0);
        QCOMPARE(county.count(), 0);
    }

    void comboRefillReportsOneChange()
    {
        QComboBox province, city, county;
        RegionComboCascade cascade(&province, &city, &county, regions());
        province.setCurrentIndex(indexOf("河北"));
        city.setCurrentIndex(2);
        QSignalSpy cityChanges(&city, QOverload<int>::of(&QComboBox::currentIndexChanged));
        province.setCurrentIndex(indexOf("山西"));
        QCOMPARE(cityChanges.count(), 1);
        QCOMPARE(cityChanges.first().first().toInt(), -1);
    }

    void comboPreselectsTheUsersPlace()
    {
        QComboBox province, city, county;
        RegionComboCascade cascade(&province, &city, &county, regions());

        cascade.preselect("辽宁", "大连", false);
        QCOMPARE(province.currentIndex(), 0);

        cascade.preselect("辽宁", "大连", true);
        QCOMPARE(province.currentText(), QStringLiteral("辽宁"));
        QCOMPARE(city.currentText(), QStringLiteral("大连"));
        QCOMPARE(county.count(), 0);
        QCOMPARE(cascade.placeValue(), QStringLiteral("大连"));
        // The user choosing the pre-selected city again gets its counties.
        Q_EMIT city.activated(city.currentIndex());
        QCOMPARE(itemsOf(county), regions().grandchildNames(indexOf("辽宁"), city.currentIndex()));

        cascade.reset();
        cascade.preselect("辽宁", "石家庄", true);
        QCOMPARE(province.currentText(), QStringLiteral("辽宁"));
        QCOMPARE(city.currentIndex(), -1);
        QCOMPARE(city.count(), regions().childNames(indexOf("辽宁")).size());

        cascade.preselect("上海", "浦东新区", true);
        QCOMPARE(province.currentText(), QStringLiteral("上海"));
        QCOMPARE(city.currentIndex(), -1);
        QCOMPARE(cascade.placeValue(), QStringLiteral("上海"));

        // Unknown province: the lists stay as they are.
        cascade.preselect("台湾", "台北市", true);
        QCOMPARE(province.currentText(), QStringLiteral("上海"));

        cascade.reset();
        QCOMPARE(province.currentIndex(), 0);
        QCOMPARE(city.count(), 0);
    }

    void listCascadeWithoutPlaceholder()
    {
        QListWidget provinces, cities;
        RegionListCascade cascade(&provinces, &cities, regions());
        QCOMPARE(itemsOf(provinces), regions().provinceNames());
        QCOMPARE(provinces.count(), 31);
        QCOMPARE(cities.count(), 0);

        provinces.setCurrentRow(0);
        QCOMPARE(itemsOf(cities), QStringList{"北京"});

        const int hebeiRow = indexOf("河北") - 1;
        provinces.setCurrentRow(hebeiRow);
        QCOMPARE(itemsOf(cities), regions().childNames(hebeiRow + 1));
        QCOMPARE(cities.currentRow(), -1);

        // Losing the selection leaves the cities alone.
        provinces.setCurrentRow(-1);
        QCOMPARE(itemsOf(cities), regions().childNames(hebeiRow + 1));

        provinces.setCurrentRow(indexOf("重庆") - 1);
        QCOMPARE(itemsOf(cities), QStringList{"重庆"});
    }

    void registrationCascadeListsDistricts()
    {
        QComboBox province, city;
        RegionRegistrationCascade cascade(&province, &city, regions());
        QCOMPARE(itemsOf(province), regions().provinceNames());
        QCOMPARE(province.currentIndex(), -1);
        QCOMPARE(city.count(), 0);

        province.setCurrentIndex(0);
        QCOMPARE(itemsOf(city), regions().childNames(indexOf("北京")));
        QVERIFY(city.count() > 10);
        QCOMPARE(city.currentIndex(), -1);

        QVERIFY(cascade.select("辽宁", "大连"));
        QCOMPARE(province.currentText(), QStringLiteral("辽宁"));
        QCOMPARE(city.currentText(), QStringLiteral("大连"));

        QVERIFY(!cascade.select("河北", "大连"));
        QCOMPARE(province.currentText(), QStringLiteral("河北"));
        QCOMPARE(city.currentIndex(), -1);

        QVERIFY(!cascade.select("台湾", "台北市"));
        QCOMPARE(province.currentText(), QStringLiteral("河北"));

        cascade.reset();
        QCOMPARE(province.currentIndex(), -1);
        QCOMPARE(city.count(), 0);
    }

    void geoTreeFill()
    {
        QTreeWidget tree;
        tree.addTopLevelItem(new QTreeWidgetItem(QStringList{"旧"}));
        GeoTreeBuilder::fill(&tree, regions());
        GeoTreeBuilder::fill(&tree, regions());
        QCOMPARE(tree.topLevelItemCount(), 31);
        QTreeWidgetItem* beijing = tree.topLevelItem(0);
        QCOMPARE(beijing->text(0), QStringLiteral("北京"));
        QCOMPARE(beijing->data(0, NodeKindRole).toInt(), 1);
        QCOMPARE(beijing->childCount(), 1);
        QCOMPARE(beijing->child(0)->text(0), QStringLiteral("北京"));
        QCOMPARE(NavTreeFiller::kindOf(beijing->child(0)), -1);
        QTreeWidgetItem* hebei = tree.topLevelItem(indexOf("河北") - 1);
        QCOMPARE(hebei->childCount(), regions().childNames(indexOf("河北")).size());
        QCOMPARE(hebei->child(0)->childCount(), 0);
        QCOMPARE(NavTreeFiller::kindOf(nullptr), 0);
    }
};

QTEST_MAIN(SelectorsTest)
#include "tst_Selectors.moc"
