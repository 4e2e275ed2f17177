#include "FakeIMClient.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "publish/PublishRequests.h"
#include "publish/PublishStanza.h"

#include <QtTest>

namespace {
const QString kHost = QStringLiteral("localhost");
const QString kKey = QString::fromLatin1(kConfigurationKey);
} // namespace

class PublishRequestsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cargoStanzaIsExact();
    void cargoWithEmptyContactSendsTheCipherOfEmptyText();
    void airPriceStanzaIsExact();
    void seaLineStanzaIsExact();
    void trianInfoStanzaIsExact();
    void markupInElementTextIsEscaped();
    void quotesInAttributeValuesAreEscaped();
    void senderIsTheUserPart();
    void nothingIsSentWhileDisconnected();
    void sendErrorsAreSwallowed();
    void cargoContactTheCipherRefusesSendsNothing();
    void publishingTwiceSendsTwice();

private:
    FakeIMClient client;
};

void PublishRequestsTest::init()
{
    client.isConnected = true;
    client.failNext = false;
    client.commands.clear();
}

void PublishRequestsTest::cargoStanzaIsExact()
{
    PublishCargo(client, kHost, "钢材20吨求车", "上海", "北京", "上海", "lina", "1", "1",
                 "王先生 13800000000");
    QCOMPARE(client.commands.size(), 1);
    const QString contact = DesEncryptHex(QStringLiteral("王先生 13800000000"), kKey);
    QVERIFY(!contact.isEmpty());
    QCOMPARE(client.commands[0],
             QStringLiteral("<iq type='set' to='localhost'><query xmlns='haulway:iq:cargo'>"
                            "<title>钢材20吨求车</title><fromcity>上海</fromcity>"
                            "<tocity>北京</tocity><position>上海</position><sender>lina</sender>"
                            "<category>1</category><isrc>1</isrc><contact>") +
                 contact + QStringLiteral("</contact></query></iq>"));
    // The contact is the DES hex form, which deciphers to the line given.
    QCOMPARE(DesDecryptHex(contact, kKey), QStringLiteral("王先生 13800000000"));
    QVERIFY(QRegularExpression(QStringLiteral("^([0-9A-F]{2})+$")).match(contact).hasMatch());
}

void PublishRequestsTest::cargoWithEmptyContactSendsTheCipherOfEmptyText()
{
    PublishCargo(client, kHost, "t", "a", "b", "p", "lina", "2", "1", QString());
    QCOMPARE(client.commands.size(), 1);
    QVERIFY(client.commands[0].endsWith(QStringLiteral("<contact>") +
                                        DesEncryptHex(QString(), kKey) +
                                        QStringLiteral("</contact></query></iq>")));
}

void PublishRequestsTest::airPriceStanzaIsExact()
{
    PublishAirPrice(client, kHost, "浦东", "PVG", "成田", "NRT", "日本", "1,3,5", "100/300", "2",
                    "CA 中国国际航空股份有限公司", "直达", "lina", "", "周末不飞");
    QCOMPARE(client.commands,
             QStringList{QStringLiteral(
                 "<iq type='set' to='localhost'><query xmlns='haulway:iq:airprice'>"
                 "<starcn>浦东</starcn><starten>PVG</starten><endcn>成田</endcn>"
                 "<enden>NRT</enden><airline>日本</airline><cycle>1,3,5</cycle>"
                 "<price>100/300</price><days>2</days>"
                 "<aircompany>CA 中国国际航空股份有限公司</aircompany><direct>直达</direct>"
                 "<sender>lina</sender><contact></contact><mem>周末不飞</mem></query></iq>")});
}

void PublishRequestsTest::seaLineStanzaIsExact()
{
    PublishSeaLine(client, kHost, "上海", "鹿特丹", "新加坡", "周一", "30", "海运直达", "中远",
                   "欧洲线", "上海-新加坡-鹿特丹", "lina", "李 021-1234");
    const QString contact = ScrambleField(QStringLiteral("李 021-1234"));
    QCOMPARE(UnscrambleField(contact), QStringLiteral("李 021-1234"));
    QCOMPARE(client.commands,
             QStringList{
                 QStringLiteral("<iq type='set' to='localhost'><query xmlns='haulway:iq:sealine'>"
                                "<startport>上海</startport><toport>鹿特丹</toport>"
                                "<passport>新加坡</passport><duty>周一</duty><days>30</days>"
                                "<sdirect>海运直达</sdirect><scomp>中远</scomp><line>欧洲线</line>"
                                "<portseq>上海-新加坡-鹿特丹</portseq><sender>lina</sender>"
                                "<contact>") +
                 contact + QStringLiteral("</contact></query></iq>")});
}

void PublishRequestsTest::trianInfoStanzaIsExact()
{
    PublishTrianInfo(client, kHost, "X8001", "上海局", "杨浦", "南翔", "乌西", "乌北", "乌鲁木齐局",
                     "3", "08:00", "20:00", "84", "lina", "");
    QCOMPARE(client.commands,
             QStringList{QStringLiteral(
                 "<iq type='set' to='localhost'><query xmlns='haulway:iq:trianinfo'>"
                 "<triannum>X8001</triannum><startcity>上海局</startcity>"
                 "<startport1>杨浦</startport1><startport2>南翔</startport2>"
                 "<toport1>乌西</toport1><toport2>乌北</toport2><tocity>乌鲁木齐局</tocity>"
                 "<cycle>3</cycle><starttime>08:00</starttime><totime>20:00</totime>"
                 "<hours>84</hours><sender>lina</sender><contact></contact></query></iq>")});
}

void PublishRequestsTest::markupInElementTextIsEscaped()
{
    // Fields that screening does not cover may hold markup characters; the stanza stays
    // well-formed and the server reads back the text as typed.
    PublishSeaLine(client, kHost, "A&B", "<x>", "", "", "", "", "R&D 航运", "", "", "lina", "");
    const QString sent = client.commands.value(0);
    QVERIFY(sent.contains(QStringLiteral("<startport>A&amp;B</startport>")));
    QVERIFY(sent.contains(QStringLiteral("<toport>&lt;x&gt;</toport>")));
    QVERIFY(sent.contains(QStringLiteral("<scomp>R&amp;D 航运</scomp>")));
    QXmlStreamReader reader(sent);
    QStringList texts;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.name() == QLatin1String("startport"))
            texts << reader.readElementText();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(texts, QStringList{"A&B"});
}

void PublishRequestsTest::quotesInAttributeValuesAreEscaped()
{
    QCOMPARE(PublishStanza::quoted(QStringLiteral("set")), QStringLiteral("'set'"));
    // A doubled quote would end the value: the reference keeps the stanza well-formed.
    QCOMPARE(PublishStanza::quoted(QStringLiteral("o'k")), QStringLiteral("'o&apos;k'"));
    const QString stanza = PublishStanza::build(kHost, QStringLiteral("ns"), {});
    QCOMPARE(stanza,
             QStringLiteral("<iq type='set' to='localhost'><query xmlns='ns'></query></iq>"));
    QVERIFY(!stanza.contains('"'));
}

void PublishRequestsTest::senderIsTheUserPart()
{
    QCOMPARE(PublishSenderOf(QStringLiteral("lina@localhost")), QStringLiteral("lina"));
    QCOMPARE(PublishSenderOf(QStringLiteral("a@b@c")), QStringLiteral("a"));
    // Without "@" the sender is empty and the stanza is still sent.
    const QString sender = PublishSenderOf(QStringLiteral("lina"));
    QCOMPARE(sender, QString());
    PublishTrianInfo(client, kHost, "X1", "", "", "", "", "", "", "", "", "", "", sender, "");
    QCOMPARE(client.commands.size(), 1);
    QVERIFY(client.commands[0].contains(QStringLiteral("<sender></sender>")));
}

void PublishRequestsTest::nothingIsSentWhileDisconnected()
{
    client.isConnected = false;
    PublishCargo(client, kHost, "t", "a", "b", "p", "s", "1", "1", "c");
    PublishAirPrice(client, kHost, "", "", "", "", "", "", "", "", "", "", "", "", "");
    PublishSeaLine(client, kHost, "", "", "", "", "", "", "", "", "", "", "");
    PublishTrianInfo(client, kHost, "", "", "", "", "", "", "", "", "", "", "", "", "");
    QVERIFY(client.commands.isEmpty());
}

void PublishRequestsTest::sendErrorsAreSwallowed()
{
    client.failNext = true;
    QTest::ignoreMessage(QtWarningMsg,
                         "sending a publish request failed: fake failure: sendCommand");
    PublishAirPrice(client, kHost, "a", "", "b", "", "", "", "", "", "", "", "s", "c", "");
    QVERIFY(client.commands.isEmpty()); // the failure did not escape
    PublishAirPrice(client, kHost, "a", "", "b", "", "", "", "", "", "", "", "s", "c", "");
    QCOMPARE(client.commands.size(), 1);
}

void PublishRequestsTest::cargoContactTheCipherRefusesSendsNothing()
{
    QTest::ignoreMessage(
        QtWarningMsg, "enciphering the cargo contact failed: Error: the last char is NULL char.");
    PublishCargo(client, kHost, "t", "a", "b", "p", "lina", "1", "1",
                 QStringLiteral("王") + QChar(0));
    QVERIFY(client.commands.isEmpty());
}

void PublishRequestsTest::publishingTwiceSendsTwice()
{
    for (int i = 0; i < 2; ++i)
        PublishSeaLine(client, kHost, "a", "b", "", "", "", "", "", "", "", "s", "c");
    QCOMPARE(client.commands.size(), 2);
    QCOMPARE(client.commands[0], client.commands[1]);
}

QTEST_GUILESS_MAIN(PublishRequestsTest)
#include "tst_PublishRequests.moc"
