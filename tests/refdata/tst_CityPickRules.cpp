#include "refdata/CityPickRules.h"
#include "refdata/RegionListRules.h"
#include "refdata/RegionTree.h"

#include <QtTest>

// The chosen-cities rules of the search and subscribed-cities windows, and the province ->
// city offer those windows make.
class CityPickRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choicesKeepOrderAndRefuseDuplicatesSilently()
    {
        using V = CityPickRules::Verdict;
        QStringList chosen;
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("大连")), V::Added);
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("北京")), V::Added);
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("大连")), V::AlreadyChosen);
        QCOMPARE(chosen, QStringList({"大连", "北京"}));
        QVERIFY(CityPickRules::message(V::AlreadyChosen).isEmpty());

        QCOMPARE(CityPickRules::addChoice(chosen, QString()), V::NoCity);
        QCOMPARE(CityPickRules::message(V::NoCity), QStringLiteral("请点选城市后再添加 "));
        QCOMPARE(chosen.size(), 2);
    }

    void sixthCityIsRefusedAlsoWhenItIsADuplicate()
    {
        using V = CityPickRules::Verdict;
        QStringList chosen;
        const QStringList five{"北京", "上海", "天津", "重庆", "大连"};
        for (const QString& city : five)
            QCOMPARE(CityPickRules::addChoice(chosen, city), V::Added);
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("沈阳")), V::Full);
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("北京")), V::Full);
        QCOMPARE(
            CityPickRules::addDestination(chosen, QStringLiteral("大连"), QStringLiteral("上海")),
            V::Full);
        QCOMPARE(CityPickRules::message(V::Full), QStringLiteral("最多能添加5个城市"));
        QCOMPARE(chosen, five);
    }

    void searchRefusesItsDepartureCity()
    {
        using V = CityPickRules::Verdict;
        QStringList chosen{QStringLiteral("北京")};
        QCOMPARE(
            CityPickRules::addDestination(chosen, QStringLiteral("上海"), QStringLiteral("上海")),
            V::SameAsDeparture);
        QCOMPARE(CityPickRules::message(V::SameAsDeparture),
                 QStringLiteral("出发地不能和目的地相同 "));
        // The departure rule comes before the duplicate rule, and only the search has it.
        QCOMPARE(
            CityPickRules::addDestination(chosen, QStringLiteral("北京"), QStringLiteral("北京")),
            V::SameAsDeparture);
        QCOMPARE(CityPickRules::addChoice(chosen, QStringLiteral("上海")), V::Added);
        QCOMPARE(chosen, QStringList({"北京", "上海"}));
    }

    void departureFollowsTheMunicipalityRule()
    {
        QCOMPARE(CityPickRules::departureCity("上海", "浦东新区"), QStringLiteral("上海"));
        QCOMPARE(CityPickRules::departureCity("辽宁", "大连"), QStringLiteral("大连"));
        QCOMPARE(CityPickRules::departureCity(QString(), "大连"), QStringLiteral("大连"));
        QCOMPARE(CityPickRules::departureCity("上海市", "浦东新区"), QStringLiteral("浦东新区"));
    }

    void savedCitiesStartTheChoiceWithinTheRules()
    {
        QCOMPARE(CityPickRules::initialChoice({"北京", " 大连", "北京", "", "沈阳"}),
                 QStringList({"北京", "大连", "沈阳"}));
        QCOMPARE(CityPickRules::initialChoice({"a", "b", "c", "d", "e", "f"}).size(),
                 CityPickRules::MaxCities);
        QVERIFY(CityPickRules::initialChoice({}).isEmpty());
    }

    void municipalityOffersItselfOnly()
    {
        const RegionTree& tree = RegionTree::shared();
        const QStringList provinces = RegionListRules::provinceItems(tree);
        QCOMPARE(RegionListRules::cityItems(tree, provinces.indexOf("北京")),
                 QStringList({"北京"}));
        QVERIFY(RegionListRules::cityItems(tree, provinces.indexOf("辽宁")).contains("大连"));
    }
};

QTEST_GUILESS_MAIN(CityPickRulesTest)
#include "tst_CityPickRules.moc"
