// Publishing from the two land windows: each window's checks in order with its texts and
// captions, the places (municipalities stand for their districts), the screened title and the
// request as sent, and what the send reports back.
#include "FakeIMClient.h"
#include "StanzaFields.h"
#include "core/DesCipher.h"
#include "core/Keys.h"
#include "publish/LandListingComposer.h"
#include "publish/LandPublication.h"
#include "publish/PublishAccount.h"

#include <QtTest>

namespace {

const LandListingComposer kArrow([] { return QStringLiteral("-->"); });

LandPublication::Fields fields()
{
    LandPublication::Fields f;
    f.text = QStringLiteral("钢材20吨求车");
    f.province = QStringLiteral("上海");
    f.city = QStringLiteral("浦东新区");
    f.toProvince = QStringLiteral("辽宁");
    f.toCity = QStringLiteral("大连");
    f.toCounty = QStringLiteral("金州区");
    f.contacts.mobile.caption = QStringLiteral("13800138000");
    f.contacts.telephone1.caption = QStringLiteral("021-1");
    f.contacts.company.caption = QStringLiteral("沪通物流");
    return f;
}

PublishAccount account()
{
    PublishAccount a;
    a.host = QStringLiteral("localhost");
    a.sender = QStringLiteral("zhangwei");
    a.position = QStringLiteral("上海");
    return a;
}

} // namespace

class LandPublicationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusalsOfThePickWindow_data();
    void refusalsOfThePickWindow();
    void refusalsOfTheWordWindow_data();
    void refusalsOfTheWordWindow();
    void municipalityStandsForItsDistrict();
    void wordTitleHasThePlacesInFrontAndIsScreened();
    void requestAsSent();
    void sendReportsWhetherTheStanzaWasHandedOver();
};

void LandPublicationTest::refusalsOfThePickWindow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("toProvince");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text") << ""
                                << "上海"
                                << "辽宁"
                                << "信息内容不能为空! ";
    QTest::newRow("screened to nothing") << " <>// "
                                         << "上海"
                                         << "辽宁"
                                         << "信息内容不能为空! ";
    QTest::newRow("text checked before places") << ""
                                                << "请选择"
                                                << "请选择"
                                                << "信息内容不能为空! ";
    QTest::newRow("no departure") << "有货"
                                  << "请选择"
                                  << "辽宁"
                                  << "请选择出发地和目的地! ";
    QTest::newRow("no destination") << "有货"
                                    << "上海"
                                    << "请选择"
                                    << "请选择出发地和目的地! ";
}

void LandPublicationTest::refusalsOfThePickWindow()
{
    QFETCH(QString, text);
    QFETCH(QString, province);
    QFETCH(QString, toProvince);
    QFETCH(QString, expected);
    LandPublication::Fields f = fields();
    f.text = text;
    f.province = province;
    f.toProvince = toProvince;
    if (province == QStringLiteral("请选择"))
        f.city.clear();
    if (toProvince == QStringLiteral("请选择"))
        f.toCity.clear();
    LandPublication::Request request;
    const auto refusal = LandPublication::prepare(LandPublication::Form::Pick, f, kArrow, request);
    QVERIFY(refusal);
    QCOMPARE(refusal->caption, QStringLiteral("信息"));
    QCOMPARE(refusal->text, expected);
}

void LandPublicationTest::refusalsOfTheWordWindow_data()
{
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("toProvince");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    // Places alone make a title, so only a missing place is refused.
    QTest::newRow("no departure") << "请选择"
                                  << "辽宁"
                                  << "提示信息"
                                  << "请选择出发地和目的地,再发布! ";
    QTest::newRow("no destination") << "上海"
                                    << "请选择"
                                    << "提示信息"
                                    << "请选择出发地和目的地,再发布! ";
    QTest::newRow("nothing at all") << "请选择"
                                    << "请选择"
                                    << "信息"
                                    << "信息内容不能为空! ";
}

void LandPublicationTest::refusalsOfTheWordWindow()
{
    QFETCH(QString, province);
    QFETCH(QString, toProvince);
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    LandPublication::Fields f = fields();
    f.text.clear();
    f.province = province;
    f.toProvince = toProvince;
    f.county.clear();
    f.toCounty.clear();
    if (province == QStringLiteral("请选择"))
        f.city.clear();
    if (toProvince == QStringLiteral("请选择"))
        f.toCity.clear();
    LandPublication::Request request;
    const auto refusal = LandPublication::prepare(LandPublication::Form::Words, f, kArrow, request);
    QVERIFY(refusal);
    QCOMPARE(*refusal, (PublishRefusal{caption, expected}));
}

void LandPublicationTest::municipalityStandsForItsDistrict()
{
    LandPublication::Request request;
    QVERIFY(!LandPublication::prepare(LandPublication::Form::Pick, fields(), kArrow, request));
    QCOMPARE(request.fromcity, QStringLiteral("上海"));
    QCOMPARE(request.tocity, QStringLiteral("大连"));
    // A province with no city chosen is no place.
    LandPublication::Fields f = fields();
    f.toCity.clear();
    QVERIFY(LandPublication::prepare(LandPublication::Form::Pick, f, kArrow, request));
}

void LandPublicationTest::wordTitleHasThePlacesInFrontAndIsScreened()
{
    LandPublication::Fields f = fields();
    f.county = QStringLiteral("川沙");
    f.text = QStringLiteral("元/吨(急)");
    LandPublication::Request request;
    QVERIFY(!LandPublication::prepare(LandPublication::Form::Words, f, kArrow, request));
    QCOMPARE(request.title, QStringLiteral("上海川沙--大连金州区元吨急"));
    // The places alone are a listing.
    f.text.clear();
    QVERIFY(!LandPublication::prepare(LandPublication::Form::Words, f, kArrow, request));
    QCOMPARE(request.title, QStringLiteral("上海川沙--大连金州区"));
}

void LandPublicationTest::requestAsSent()
{
    LandPublication::Fields f = fields();
    f.text = QStringLiteral(" 大连-->上海 钢材 ");
    f.category = 2;
    f.contacts.telephone1.checked = false;
    LandPublication::Request request;
    QVERIFY(!LandPublication::prepare(LandPublication::Form::Pick, f, kArrow, request));
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(LandPublication::send(client, account(), request));
    QCOMPARE(client.commands.size(), 1);
    const QString stanza = client.commands.first();
    QCOMPARE(stanzaField(stanza, "title"), QStringLiteral("大连--上海 钢材"));
    QCOMPARE(stanzaField(stanza, "fromcity"), QStringLiteral("上海"));
    QCOMPARE(stanzaField(stanza, "tocity"), QStringLiteral("大连"));
    QCOMPARE(stanzaField(stanza, "position"), QStringLiteral("上海"));
    QCOMPARE(stanzaField(stanza, "sender"), QStringLiteral("zhangwei"));
    QCOMPARE(stanzaField(stanza, "category"), QStringLiteral("2"));
    QCOMPARE(stanzaField(stanza, "isrc"), QStringLiteral("1"));
    QCOMPARE(DesDecryptHex(stanzaField(stanza, "contact"), QString::fromLatin1(kConfigurationKey)),
             QStringLiteral("13800138000  沪通物流"));
}

void LandPublicationTest::sendReportsWhetherTheStanzaWasHandedOver()
{
    LandPublication::Request request;
    QVERIFY(!LandPublication::prepare(LandPublication::Form::Pick, fields(), kArrow, request));
    FakeIMClient client;
    QVERIFY(!LandPublication::send(client, account(), request));
    client.isConnected = true;
    client.failNext = true;
    QTest::ignoreMessage(QtWarningMsg,
                         "sending a publish request failed: fake failure: sendCommand");
    QVERIFY(!LandPublication::send(client, account(), request));
    QVERIFY(client.commands.isEmpty());
}

QTEST_GUILESS_MAIN(LandPublicationTest)
#include "tst_LandPublication.moc"
