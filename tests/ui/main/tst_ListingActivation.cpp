#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/ListingActivation.h"

#include <QtTest>

namespace {

const QString kHost = QStringLiteral("localhost");
const QString kMe = QStringLiteral("lina@localhost");

ListingGridRow land(const QString& id, const QString& sender, const QString& contact)
{
    return GridRowBuilder::fromLand(LandRow::build(
        id, QStringLiteral("冷链 <急>"), QStringLiteral("1"), QStringLiteral("2026-12-08 19:30:05"),
        sender, contact, QStringLiteral("大连")));
}

QString desHex(const QString& text)
{
    return DesEncryptHex(text, QString::fromLatin1(kConfigurationKey));
}

} // namespace

class ListingActivationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void landRowWithoutRealIdDoesNothing();
    void landDetailCarriesDecipheredContactAndTitle();
    void friendAndChatAreOfferedOnlyForOthers_data();
    void friendAndChatAreOfferedOnlyForOthers();
    void senderIconOpensConversation();
    void hiddenFieldsAndBadContactsOpenNothing();
    void pricedRowsFillTheirDetailWindows();
    void pricedRowsWithoutSenderDoNothing();
};

void ListingActivationTest::landRowWithoutRealIdDoesNothing()
{
    const QString contact = desHex(QStringLiteral("13800000000"));
    for (const QString& id :
         {QString(), QStringLiteral("  "), QStringLiteral("-1"), QStringLiteral(" -1 ")}) {
        for (int field : {0, 1, 4}) {
            const auto result = ListingActivation::activate(
                ListingFamily::Land, land(id, QStringLiteral("wang"), contact), field, kHost, kMe);
            QCOMPARE(result.action, ListingActivation::Action::None);
        }
    }
}

void ListingActivationTest::landDetailCarriesDecipheredContactAndTitle()
{
    const QString contact = desHex(QStringLiteral("  王先生 13800000000 "));
    for (int field : {0, 1}) {
        const auto result = ListingActivation::activate(
            ListingFamily::Land, land(QStringLiteral("77"), QStringLiteral("wang"), contact), field,
            kHost, kMe);
        QCOMPARE(result.action, ListingActivation::Action::Detail);
        QCOMPARE(result.detail.caption, QStringLiteral("77"));
        QCOMPARE(result.detail.contact, QStringLiteral("王先生 13800000000"));
        QCOMPARE(result.detail.sender, QStringLiteral("wang"));
        QCOMPARE(result.detail.senderAddress, QStringLiteral("wang@localhost"));
        QCOMPARE(result.detail.fields.value(QStringLiteral("lblPosition")), QStringLiteral("大连"));
        QVERIFY(result.detail.richText.contains(QStringLiteral("冷链 &lt;急&gt;")));
        QVERIFY(result.detail.canBefriend);
    }
}

void ListingActivationTest::friendAndChatAreOfferedOnlyForOthers_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<bool>("offered");
    QTest::newRow("someone else") << "wang" << true;
    QTest::newRow("own listing") << "lina" << false;
    QTest::newRow("own listing, other letter case") << "LiNa" << false;
    QTest::newRow("agent seat") << "-1" << false;
}

void ListingActivationTest::friendAndChatAreOfferedOnlyForOthers()
{
    QFETCH(QString, sender);
    QFETCH(bool, offered);
    const QString contact = desHex(QStringLiteral("x"));
    const auto landResult = ListingActivation::activate(
        ListingFamily::Land, land(QStringLiteral("5"), sender, contact), 1, kHost, kMe);
    QCOMPARE(landResult.action, ListingActivation::Action::Detail);
    QCOMPARE(landResult.detail.canBefriend, offered);

    ListingGridRow sea;
    sea.fields = QVector<QString>(12);
    sea.fields[10] = sender;
    sea.fields[11] = ScrambleField(QStringLiteral("x"));
    const auto seaResult = ListingActivation::activate(ListingFamily::Sea, sea, 0, kHost, kMe);
    QCOMPARE(seaResult.action, ListingActivation::Action::Detail);
    QCOMPARE(seaResult.detail.canBefriend, offered);
}

void ListingActivationTest::senderIconOpensConversation()
{
    const auto result = ListingActivation::activate(
        ListingFamily::Land,
        land(QStringLiteral("5"), QStringLiteral("wang"), QStringLiteral("zz")), 4, kHost, kMe);
    // The contact is not needed (nor deciphered) to talk to the poster.
    QCOMPARE(result.action, ListingActivation::Action::Conversation);
    QCOMPARE(result.detail.senderAddress, QStringLiteral("wang@localhost"));

    // The agent seat has no chat account: its icon leads to the customer service.
    const auto seat = ListingActivation::activate(
        ListingFamily::Land, land(QStringLiteral("6"), QStringLiteral("-1"), QStringLiteral("zz")),
        4, kHost, kMe);
    QCOMPARE(seat.action, ListingActivation::Action::CustomerService);

    ListingGridRow rail;
    rail.fields = QVector<QString>(14);
    rail.fields[12] = QStringLiteral(" zhou ");
    const auto railResult = ListingActivation::activate(ListingFamily::Rail, rail, 7, kHost, kMe);
    QCOMPARE(railResult.action, ListingActivation::Action::Conversation);
    QCOMPARE(railResult.detail.sender, QStringLiteral("zhou"));
}

void ListingActivationTest::hiddenFieldsAndBadContactsOpenNothing()
{
    const QString good = desHex(QStringLiteral("x"));
    QCOMPARE(ListingActivation::activate(ListingFamily::Land,
                                         land(QStringLiteral("5"), QStringLiteral("wang"), good), 3,
                                         kHost, kMe)
                 .action,
             ListingActivation::Action::None);
    // A contact that is no hex text cannot be deciphered: nothing opens.
    QCOMPARE(ListingActivation::activate(
                 ListingFamily::Land,
                 land(QStringLiteral("5"), QStringLiteral("wang"), QStringLiteral("not hex!")), 1,
                 kHost, kMe)
                 .action,
             ListingActivation::Action::None);
    // Unscrambling stops at the first pair that is no hex: the window opens with what was read.
    ListingGridRow air;
    air.fields = QVector<QString>(13);
    air.fields[10] = QStringLiteral("chen");
    air.fields[11] = ScrambleField(QStringLiteral("ab")) + QStringLiteral("XYZ");
    const auto result = ListingActivation::activate(ListingFamily::Air, air, 0, kHost, kMe);
    QCOMPARE(result.action, ListingActivation::Action::Detail);
    QCOMPARE(result.detail.contact, QStringLiteral("ab"));
}

void ListingActivationTest::pricedRowsFillTheirDetailWindows()
{
    ListingGridRow air;
    air.fields = {QStringLiteral("浦东(PVG)"),
                  QStringLiteral("成田(NRT)"),
                  QStringLiteral("运价"),
                  QString(),
                  QStringLiteral("MU 中国东方航空公司"),
                  QStringLiteral("日本"),
                  QStringLiteral("1,3,5"),
                  QStringLiteral("直达"),
                  QStringLiteral("2"),
                  QStringLiteral("100/300"),
                  QStringLiteral("chen"),
                  ScrambleField(QStringLiteral("陈小姐 021-1234")),
                  QStringLiteral("含燃油")};
    const auto a = ListingActivation::activate(ListingFamily::Air, air, 2, kHost, kMe);
    QCOMPARE(a.action, ListingActivation::Action::Detail);
    QCOMPARE(a.detail.fields.value(QStringLiteral("lblArea")),
             QStringLiteral("浦东(PVG)--成田(NRT)"));
    QCOMPARE(a.detail.fields.value(QStringLiteral("lblCompany")),
             QStringLiteral("MU 中国东方航空公司"));
    QCOMPARE(a.detail.fields.value(QStringLiteral("lblDays")), QStringLiteral("2天"));
    QCOMPARE(a.detail.fields.value(QStringLiteral("lblPrice")), QStringLiteral("100/300"));
    QCOMPARE(a.detail.fields.value(QStringLiteral("lblMem")), QStringLiteral("含燃油"));
    QCOMPARE(a.detail.contact, QStringLiteral("陈小姐 021-1234"));
    QCOMPARE(a.detail.family, ListingFamily::Air);

    ListingGridRow rail;
    rail.fields = QVector<QString>(14);
    for (int i = 0; i < 14; ++i)
        rail.fields[i] = QStringLiteral("f%1").arg(i);
    rail.fields[12] = QStringLiteral("zhou");
    rail.fields[13] = ScrambleField(QStringLiteral("周 139"));
    const auto r = ListingActivation::activate(ListingFamily::Rail, rail, 6, kHost, kMe);
    QCOMPARE(r.action, ListingActivation::Action::Detail);
    QCOMPARE(r.detail.fields.value(QStringLiteral("triannum")), QStringLiteral("f0"));
    QCOMPARE(r.detail.fields.value(QStringLiteral("startcity")), QStringLiteral("f8"));
    QCOMPARE(r.detail.fields.value(QStringLiteral("toport1")), QStringLiteral("f10"));
    QCOMPARE(r.detail.fields.value(QStringLiteral("hours")), QStringLiteral("f11 小时"));
    QCOMPARE(r.detail.contact, QStringLiteral("周 139"));
    // The hidden fields are not detail columns.
    QCOMPARE(ListingActivation::activate(ListingFamily::Rail, rail, 9, kHost, kMe).action,
             ListingActivation::Action::None);
}

void ListingActivationTest::pricedRowsWithoutSenderDoNothing()
{
    ListingGridRow sea;
    sea.fields = QVector<QString>(12);
    sea.fields[0] = QStringLiteral("COSCO");
    sea.fields[10] = QStringLiteral("   ");
    for (int field : {0, 9})
        QCOMPARE(ListingActivation::activate(ListingFamily::Sea, sea, field, kHost, kMe).action,
                 ListingActivation::Action::None);
}

QTEST_MAIN(ListingActivationTest)
#include "tst_ListingActivation.moc"
