#include "refdata/RegionComboRules.h"
#include "refdata/RegionListRules.h"
#include "refdata/RegionRegistrationRules.h"
#include "refdata/RegionTree.h"

#include <QtTest>

namespace {

const RegionTree& regions()
{
    return RegionTree::shared();
}

int indexOf(const char* province)
{
    return regions().indexOf(QString::fromUtf8(province));
}

} // namespace

class RegionRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comboRules()
    {
        const QStringList provinces = RegionComboRules::provinceItems(regions());
        QCOMPARE(provinces.size(), 32);
        QCOMPARE(provinces.first(), RegionTree::placeholder());

        const int hebei = indexOf("河北");
        QVERIFY(RegionComboRules::cityItems(regions(), 0).isEmpty());
        QVERIFY(RegionComboRules::cityItems(regions(), -1).isEmpty());
        QVERIFY(RegionComboRules::cityItems(regions(), 32).isEmpty());
        QCOMPARE(RegionComboRules::cityItems(regions(), hebei), regions().childNames(hebei));
        QVERIFY(RegionComboRules::countyItems(regions(), 0, 0).isEmpty());
        QVERIFY(RegionComboRules::countyItems(regions(), hebei, -1).isEmpty());
        QVERIFY(RegionComboRules::countyItems(regions(), hebei, 0).contains("正定县"));

        QCOMPARE(RegionComboRules::placeValue("北京", "海淀区"), QStringLiteral("北京"));
        QCOMPARE(RegionComboRules::placeValue("河北", "石家庄"), QStringLiteral("石家庄"));
        QCOMPARE(RegionComboRules::placeValue("河北", ""), QString());
        QCOMPARE(RegionComboRules::placeValue(RegionTree::placeholder(), ""), QString());
    }

    void comboPreselectionRules()
    {
        const int liaoning = indexOf("辽宁");
        const int dalian = regions().childNames(liaoning).indexOf("大连");
        QVERIFY(dalian >= 0);

        auto pick = [](const char* province, const char* city) {
            return RegionComboRules::preselection(regions(), QString::fromUtf8(province),
                                                  QString::fromUtf8(city));
        };
        QCOMPARE(pick("辽宁", "大连").province, liaoning);
        QCOMPARE(pick("辽宁", "大连").city, dalian);
        // A municipality stops at the province.
        QCOMPARE(pick("北京", "海淀区").province, indexOf("北京"));
        QCOMPARE(pick("北京", "海淀区").city, -1);
        // A city of another province selects the province only.
        QCOMPARE(pick("辽宁", "石家庄").province, liaoning);
        QCOMPARE(pick("辽宁", "石家庄").city, -1);
        QCOMPARE(pick("台湾", "台北市").province, -1);
        QCOMPARE(pick("", "").province, -1);
    }

    // The list and registration selectors both leave the placeholder out, so their index i
    // is entry i + 1; they differ only in what a municipality offers as its cities.
    void listAndRegistrationRulesShiftPastThePlaceholder()
    {
        QCOMPARE(RegionListRules::provinceItems(regions()), regions().provinceNames());
        QCOMPARE(RegionRegistrationRules::provinceItems(regions()), regions().provinceNames());

        const int hebeiRow = indexOf("河北") - 1;
        QCOMPARE(RegionListRules::cityItems(regions(), hebeiRow),
                 regions().childNames(hebeiRow + 1));
        QCOMPARE(RegionRegistrationRules::cityItems(regions(), hebeiRow),
                 regions().childNames(hebeiRow + 1));

        for (int outside : {-1, 31}) {
            QCOMPARE(RegionListRules::cityItems(regions(), outside), QStringList());
            QCOMPARE(RegionRegistrationRules::cityItems(regions(), outside), QStringList());
        }
    }

    void municipalityCitiesPerSelector()
    {
        const int chongqingRow = indexOf("重庆") - 1;
        // The search lists offer the municipality itself; registration asks for its district.
        QCOMPARE(RegionListRules::cityItems(regions(), chongqingRow), QStringList{"重庆"});
        const QStringList districts = RegionRegistrationRules::cityItems(regions(), chongqingRow);
        QCOMPARE(districts, regions().childNames(chongqingRow + 1));
        QVERIFY(districts.contains(QStringLiteral("巫溪县")));
    }
};

QTEST_GUILESS_MAIN(RegionRulesTest)
#include "tst_RegionRules.moc"
