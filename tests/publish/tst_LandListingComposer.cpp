// "生成" of the pick window in both group orders, with and without provinces, and the word
// window's title with the places in front; the joiner is handed in, so every result is known.
#include "publish/LandListingComposer.h"
#include "publish/PublishWords.h"

#include <QtTest>

namespace {

LandListingComposer::Picks picks()
{
    LandListingComposer::Picks p;
    p.placeSelected = true;
    p.province = QStringLiteral("辽宁");
    p.city = QStringLiteral("大连");
    p.county = QStringLiteral("金州区");
    p.toProvince = QStringLiteral("上海");
    p.toCity = QStringLiteral("浦东新区");
    p.goods = QStringLiteral("钢材");
    p.quantity = QStringLiteral("20");
    p.unit = QStringLiteral("吨");
    p.length = QStringLiteral("9.6米");
    p.truckType = QStringLiteral("高栏车");
    p.trucks = QStringLiteral("2");
    p.price = QStringLiteral("3000");
    p.priceWord = QStringLiteral("元/车");
    return p;
}

const LandListingComposer kArrow([] { return QStringLiteral("-->"); });

} // namespace

class LandListingComposerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cargoFirstWithProvinces();
    void cargoFirstWithoutProvinces();
    void truckFirst();
    void truckFirstWithoutLengthOrGoodsWords();
    void noPlaceSelectedMeansNoJoiner();
    void placeholderProvinceCountsWhenProvincesAreIncluded();
    void wordTitlePutsPlacesInFront();
    void randomJoinerIsOneOfTheSix();
};

void LandListingComposerTest::cargoFirstWithProvinces()
{
    QCOMPARE(kArrow.compose(picks()),
             QStringLiteral("辽宁大连金州区-->上海浦东新区钢材20吨求9.6米高栏车23000元/车"));
}

void LandListingComposerTest::cargoFirstWithoutProvinces()
{
    LandListingComposer::Picks p = picks();
    p.includeProvince = false;
    p.length.clear();
    QCOMPARE(kArrow.compose(p), QStringLiteral("大连金州区-->浦东新区钢材20吨高栏车23000元/车"));
}

void LandListingComposerTest::truckFirst()
{
    LandListingComposer::Picks p = picks();
    p.cargoFirst = false;
    QCOMPARE(kArrow.compose(p),
             QStringLiteral("辽宁大连金州区-->上海浦东新区9.6米高栏车2求钢材20吨3000元/车"));
    p.includeProvince = false;
    QCOMPARE(kArrow.compose(p),
             QStringLiteral("大连金州区-->浦东新区9.6米高栏车2求钢材20吨3000元/车"));
}

void LandListingComposerTest::truckFirstWithoutLengthOrGoodsWords()
{
    LandListingComposer::Picks p = picks();
    p.cargoFirst = false;
    p.length.clear();
    p.goods.clear();
    p.priceWord.clear();
    QCOMPARE(kArrow.compose(p), QStringLiteral("辽宁大连金州区-->上海浦东新区高栏车220吨3000"));
}

void LandListingComposerTest::noPlaceSelectedMeansNoJoiner()
{
    int asked = 0;
    const LandListingComposer composer([&asked] {
        ++asked;
        return QStringLiteral("到");
    });
    LandListingComposer::Picks p;
    p.placeSelected = false;
    p.goods = QStringLiteral("煤");
    QCOMPARE(composer.compose(p), QStringLiteral("煤"));
    QCOMPARE(asked, 0);
    p.placeSelected = true;
    QCOMPARE(composer.compose(p), QStringLiteral("到煤"));
    QCOMPARE(asked, 1);
}

void LandListingComposerTest::placeholderProvinceCountsWhenProvincesAreIncluded()
{
    LandListingComposer::Picks p;
    p.placeSelected = true;
    p.province = QStringLiteral("请选择");
    p.toProvince = QStringLiteral("北京");
    p.toCity = QStringLiteral("朝阳区");
    QCOMPARE(kArrow.compose(p), QStringLiteral("请选择-->北京朝阳区"));
    p.includeProvince = false;
    QCOMPARE(kArrow.compose(p), QStringLiteral("-->朝阳区"));
}

void LandListingComposerTest::wordTitlePutsPlacesInFront()
{
    const LandListingComposer composer([] { return QStringLiteral("往"); });
    QCOMPARE(composer.placedTitle(QStringLiteral("上海"), QStringLiteral("浦东新区"),
                                  QStringLiteral("大连"), QString(), QStringLiteral("有货")),
             QStringLiteral("上海浦东新区往大连有货"));
    QCOMPARE(
        composer.placedTitle(QString(), QString(), QStringLiteral("大连"), QString(), QString()),
        QStringLiteral("往大连"));
    QCOMPARE(
        composer.placedTitle(QString(), QString(), QString(), QString(), QStringLiteral("有货")),
        QStringLiteral("有货"));
}

void LandListingComposerTest::randomJoinerIsOneOfTheSix()
{
    const LandListingComposer::Joiner joiner = LandListingComposer::randomJoiner();
    QSet<QString> seen;
    for (int i = 0; i < 600; ++i) {
        const QString word = joiner();
        QVERIFY2(PublishWords::joiners().contains(word), qPrintable(word));
        seen.insert(word);
    }
    QCOMPARE(seen.size(), 6);
}

QTEST_GUILESS_MAIN(LandListingComposerTest)
#include "tst_LandListingComposer.moc"
