// Publishing through XMPP: the four publish iqs (sent without an id, as the client does)
// reach a second signed-in session as the exchange's raw broadcast, byte for byte, and
// the new listings appear in the SOAP lists. Also: registration gives a usable account.
#include "SandboxHttp.h"
#include "SandboxXmppSession.h"
#include "SoapCall.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kTime = QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d");

QString token()
{
    static int serial = 0;
    return QString::number(QDateTime::currentMSecsSinceEpoch() % 1000000) +
           QString::number(++serial);
}

QString element(const QString& name, const QString& value)
{
    return QStringLiteral("<%1>%2</%1>").arg(name, value);
}

QString publishIq(const QString& kind, const QString& children, const QString& id = QString())
{
    const QString idAttribute = id.isEmpty() ? QString() : QStringLiteral(" id='%1'").arg(id);
    return QStringLiteral(
               "<iq type='set' to='localhost'%1><query xmlns='haulway:iq:%2'>%3</query></iq>")
        .arg(idAttribute, kind, children);
}

QString cargoChildren(const QString& title, const QString& from, const QString& to,
                      const QString& contact, const QString& sender = QStringLiteral("zhangwei"))
{
    return element("title", title) + element("fromcity", from) + element("tocity", to) +
           element("position", QStringLiteral("上海")) + element("sender", sender) +
           element("category", "2") + element("isrc", "1") + element("contact", contact);
}

} // namespace

class SandboxPublishTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cargoBroadcastAndListing();
    void airPriceBroadcastAndListing();
    void seaLineBroadcastAndListing();
    void railBroadcastAndListing();
    void iqWithIdIsAnswered();
    void incompleteListingIsRefused();
    void senderIsWhoSignedIn();
    void markupIsEscapedInBroadcasts();
    void registeredAccountSignsIn();

private:
    SandboxXmppSession m_publisher;
    SandboxXmppSession m_watcher;
    SandboxXmppSession m_elsewhere; // same exchange, another resource: gets no broadcasts
};

void SandboxPublishTest::initTestCase()
{
    QVERIFY(m_publisher.signIn(QStringLiteral("zhangwei"), QStringLiteral("demo1234")));
    QVERIFY(m_watcher.signIn(QStringLiteral("lina"), QStringLiteral("demo1234")));
    QVERIFY(m_elsewhere.signIn(QStringLiteral("wanglei"), QStringLiteral("demo1234"),
                               QStringLiteral("desk")));
}

void SandboxPublishTest::cleanupTestCase()
{
    m_publisher.signOut();
    m_watcher.signOut();
    m_elsewhere.signOut();
}

void SandboxPublishTest::init()
{
    QVERIFY(m_publisher.isConnected() && m_watcher.isConnected() && m_elsewhere.isConnected());
    m_publisher.clearReceived();
    m_watcher.clearReceived();
    m_elsewhere.clearReceived();
}

void SandboxPublishTest::cargoBroadcastAndListing()
{
    const QString title = QStringLiteral("上海有9.6米厢车一辆求货 ") + token();
    const QString contact =
        DesEncryptHex(QStringLiteral("张伟 13816620001"), QString::fromLatin1(kConfigurationKey));
    QVERIFY(m_publisher.sendRaw(publishIq(
        "cargo", cargoChildren(title, QStringLiteral("上海"), QStringLiteral("北京"), contact))));

    const QString pattern =
        QRegularExpression::escape(
            QStringLiteral("<message from='localhost' to='lina@localhost/haulway'><broadcastcargo>"
                           "<tag>robot</tag><fcity>上海</fcity><tcity>北京</tcity><id>")) +
        QStringLiteral("(\\d+)") +
        QRegularExpression::escape(
            QStringLiteral("</id><title>%1</title><tpy>2</tpy>"
                           "<sender>zhangwei</sender><contact>%2</contact><isuat>")
                .arg(title, contact)) +
        kTime +
        QRegularExpression::escape(
            QStringLiteral("</isuat><postion>上海</postion></broadcastcargo></message>"));
    QString broadcast;
    QVERIFY2(m_watcher.waitForPattern(pattern, &broadcast), qPrintable(m_watcher.received()));
    const QString id = QRegularExpression("<id>(\\d+)</id>").match(broadcast).captured(1);

    // the client's publish has no id: it must not come back as an error
    QVERIFY(m_publisher.roundTrip());
    QVERIFY2(!m_publisher.received().contains(QLatin1String("type='error'")),
             qPrintable(m_publisher.received()));
    QVERIFY(m_elsewhere.roundTrip());
    QVERIFY(!m_elsewhere.received().contains(title));

    const auto rows =
        SoapCall::rows(SoapCall::call("cargoListpro", {{"fromcity", QStringLiteral("北京")},
                                                       {"tocity", ""},
                                                       {"category", "2"},
                                                       {"pagenumber", "1"},
                                                       {"ssticket", ""},
                                                       {"blocal", "1"}})
                           .value);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first().value("id").toString(), id);
    QCOMPARE(rows.first().value("title").toString(), title);
    QCOMPARE(rows.first().value("senderid").toString(), QStringLiteral("zhangwei"));
    QCOMPARE(DesDecryptHex(rows.first().value("contact").toString(),
                           QString::fromLatin1(kConfigurationKey)),
             QStringLiteral("张伟 13816620001"));
}

void SandboxPublishTest::airPriceBroadcastAndListing()
{
    const QString price = QStringLiteral("41/39/37/") + token();
    const QString contact = ScrambleField(QStringLiteral("张伟 021-58810001"));
    const QString children =
        element("starcn", QStringLiteral("上海浦东")) + element("starten", "PVG") +
        element("endcn", QStringLiteral("东京")) + element("enden", "NRT") +
        element("airline", QStringLiteral("日本")) + element("cycle", "1,3,5") +
        element("price", price) + element("days", "2") +
        element("aircompany", QStringLiteral("MU 中国东方航空股份有限公司")) +
        element("direct", QStringLiteral("直达")) + element("sender", "zhangwei") +
        element("contact", contact) + element("mem", QStringLiteral("含燃油"));
    QVERIFY(m_publisher.sendRaw(publishIq("airprice", children)));
    const QString expected =
        QStringLiteral(
            "<message from='localhost' to='lina@localhost/haulway'><broadcastairprice>"
            "<aircompany>MU "
            "中国东方航空股份有限公司</aircompany><line>日本</line><startcn>上海浦东</startcn>"
            "<starten>PVG</starten><endcn>东京</endcn><enden>NRT</enden><cycle>1,3,5</"
            "cycle><direct>直达</direct>"
            "<days>2</days><price>%1</price><sender>zhangwei</sender><contact>%2</"
            "contact><mem>含燃油</mem>"
            "</broadcastairprice></message>")
            .arg(price, contact);
    QVERIFY2(m_watcher.waitForText(expected), qPrintable(m_watcher.received()));
    QVERIFY(SoapCall::airPricesHold(QStringLiteral("日本"), price));
}

void SandboxPublishTest::seaLineBroadcastAndListing()
{
    const QString line = QStringLiteral("测试航线") + token();
    const QString contact = ScrambleField(QStringLiteral("船代 0532-1"));
    const QString children =
        element("startport", QStringLiteral("青岛港")) + element("toport", QStringLiteral("釜山")) +
        element("passport", QStringLiteral("仁川")) + element("duty", QStringLiteral("周二")) +
        element("days", QStringLiteral("3天")) + element("sdirect", QStringLiteral("中转")) +
        element("scomp", QStringLiteral("中远海运")) + element("line", line) +
        element("portseq", QStringLiteral("青岛-仁川-釜山")) + element("sender", "zhangwei") +
        element("contact", contact);
    QVERIFY(m_publisher.sendRaw(publishIq("sealine", children)));
    const QString expected =
        QStringLiteral("<message from='localhost' to='lina@localhost/haulway'><broadcastsealine>"
                       "<startport>青岛港</startport><toport>釜山</toport><company>中远海运</"
                       "company><direct>中转</direct>"
                       "<pasport>仁川</pasport><duty>周二</duty><days>3天</"
                       "days><porseq>青岛-仁川-釜山</porseq>"
                       "<sender>zhangwei</sender><contact>%1</contact><line>%2</line></"
                       "broadcastsealine></message>")
            .arg(contact, line);
    QVERIFY2(m_watcher.waitForText(expected), qPrintable(m_watcher.received()));
    const auto rows = SoapCall::rows(SoapCall::call("getSealineList", {{"startport", "QINGDAO"},
                                                                       {"toport", ""},
                                                                       {"company", ""},
                                                                       {"sealine", ""},
                                                                       {"pagenumber", "1"},
                                                                       {"sticket", ""}})
                                         .value);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first().value("line").toString(), line);
    QCOMPARE(rows.first().value("passoption").toString(), QStringLiteral("中转"));
    QCOMPARE(rows.first().value("passseq").toString(), QStringLiteral("青岛-仁川-釜山"));
    QCOMPARE(UnscrambleField(rows.first().value("contact").toString()),
             QStringLiteral("船代 0532-1"));
}

void SandboxPublishTest::railBroadcastAndListing()
{
    const QString train = QStringLiteral("T") + token();
    const QString contact = ScrambleField(QStringLiteral("货运室 027-1"));
    const QString children =
        element("triannum", train) + element("startcity", QStringLiteral("南昌")) +
        element("startport1", QStringLiteral("向塘")) +
        element("startport2", QStringLiteral("向塘西")) +
        element("toport1", QStringLiteral("大朗")) + element("toport2", QStringLiteral("石龙")) +
        element("tocity", QStringLiteral("广州")) + element("cycle", "3") +
        element("starttime", "07:10") + element("totime", "21:40") + element("hours", "14") +
        element("sender", "zhangwei") + element("contact", contact);
    QVERIFY(m_publisher.sendRaw(publishIq("trianinfo", children)));
    const QString expected =
        QStringLiteral(
            "<message from='localhost' to='lina@localhost/haulway'><broadcasttrianinfo>"
            "<triannum>%1</triannum><startcity>南昌</startcity><startport1>向塘</startport1>"
            "<startport2>向塘西</startport2><toport1>大朗</toport1><toport2>石龙</"
            "toport2><tocity>广州</tocity>"
            "<cycle>3</cycle><starttime>07:10</starttime><totime>21:40</totime><hours>14</hours>"
            "<sender>zhangwei</sender><contact>%2</contact></broadcasttrianinfo></message>")
            .arg(train, contact);
    QVERIFY2(m_watcher.waitForText(expected), qPrintable(m_watcher.received()));
    QVERIFY(SoapCall::trainsHold(QStringLiteral("南昌"), train));
}

void SandboxPublishTest::iqWithIdIsAnswered()
{
    const QString title = QStringLiteral("带编号的发布 ") + token();
    QVERIFY(m_publisher.sendRaw(publishIq(
        "cargo", cargoChildren(title, QStringLiteral("成都市"), QStringLiteral("重庆"), ""),
        QStringLiteral("pub-with-id"))));
    QVERIFY(m_publisher.waitForPattern(
        "<iq[^>]*id='pub-with-id'[^>]*type='result'|<iq[^>]*type='result'[^>]*id='pub-with-id'"));
    QVERIFY(m_watcher.waitForText(title));
    // only publish iqs get an id added; any other iq without one is still refused
    QVERIFY(m_publisher.sendRaw(
        QStringLiteral("<iq type='get'><query xmlns='jabber:iq:roster'/></iq>")));
    QVERIFY(m_publisher.waitForPattern("<iq[^>]*type='error'[^>]*>.*bad-request"));
}

void SandboxPublishTest::incompleteListingIsRefused()
{
    const QString place = QStringLiteral("无名") + token();
    QVERIFY(
        m_publisher.sendRaw(publishIq("cargo", cargoChildren("", place, QStringLiteral("北京"), ""),
                                      QStringLiteral("pub-empty"))));
    QVERIFY(m_publisher.waitForPattern("<iq[^>]*type='error'[^>]*>.*bad-request"));
    // a bad category is refused as well, and neither reaches anyone
    QString children = cargoChildren(QStringLiteral("类别错误"), place, QStringLiteral("北京"), "");
    children.replace(QStringLiteral("<category>2</category>"),
                     QStringLiteral("<category>7</category>"));
    QVERIFY(m_publisher.sendRaw(publishIq("cargo", children)));
    QVERIFY(m_publisher.roundTrip());
    QVERIFY(m_watcher.roundTrip());
    QVERIFY(!m_watcher.received().contains(place));
    QCOMPARE(SoapCall::call("cargoCount", {{"fromcity", place},
                                           {"tocity", ""},
                                           {"category", ""},
                                           {"ssticket", ""},
                                           {"blocal", "1"}})
                 .value,
             QStringLiteral("0"));
}

// The stanza's sender element is not trusted; the agent seat publishes as "-1".
void SandboxPublishTest::senderIsWhoSignedIn()
{
    const QString title = QStringLiteral("冒名发布 ") + token();
    QVERIFY(
        m_publisher.sendRaw(publishIq("cargo", cargoChildren(title, QStringLiteral("上海"),
                                                             QStringLiteral("北京"), "", "lina"))));
    QString broadcast;
    QVERIFY(
        m_watcher.waitForPattern(QRegularExpression::escape(title) + ".*?</message>", &broadcast));
    QVERIFY2(broadcast.contains(QLatin1String("<sender>zhangwei</sender>")), qPrintable(broadcast));

    SandboxXmppSession seat;
    QVERIFY(seat.signIn(QStringLiteral("kefu"), QStringLiteral("seat2026")));
    const QString seatTitle = QStringLiteral("客服代发 ") + token();
    QVERIFY(seat.sendRaw(publishIq("cargo", cargoChildren(seatTitle, QStringLiteral("上海"),
                                                          QStringLiteral("北京"), "", "kefu"))));
    QVERIFY(m_watcher.waitForPattern(QRegularExpression::escape(seatTitle) + ".*?</message>",
                                     &broadcast));
    QVERIFY2(broadcast.contains(QLatin1String("<sender>-1</sender>")), qPrintable(broadcast));
}

void SandboxPublishTest::markupIsEscapedInBroadcasts()
{
    const QString mark = token();
    QVERIFY(m_publisher.sendRaw(
        publishIq("cargo", cargoChildren(QStringLiteral("A&amp;B &lt;急&gt; ") + mark,
                                         QStringLiteral("上海"), QStringLiteral("北京"), ""))));
    QVERIFY2(
        m_watcher.waitForText(QStringLiteral("<title>A&amp;B &lt;急&gt; ") + mark + "</title>"),
        qPrintable(m_watcher.received()));
    // the session survived the text: the stream is still well-formed
    QVERIFY(m_watcher.roundTrip());
}

void SandboxPublishTest::registeredAccountSignsIn()
{
    const QString name = QStringLiteral("xm") + token();
    const SandboxHttp::Fields form = {{"loginname", name},
                                      {"password", "pass1234"},
                                      {"contact", QStringLiteral("新会员")},
                                      {"sex", QStringLiteral("男")},
                                      {"telephone1", "1"},
                                      {"mobile", "13900000000"},
                                      {"email", ""},
                                      {"qq", ""},
                                      {"company", QStringLiteral("个人车主")},
                                      {"userprove", QStringLiteral("湖南")},
                                      {"usercity", QStringLiteral("长沙市")},
                                      {"address", ""},
                                      {"usertype", "2"}};
    const auto reply = SandboxHttp::postForm(QStringLiteral("/index.php/User/ureg"), form);
    QCOMPARE(UnscrambleField(reply.text()), QStringLiteral("true"));

    SandboxXmppSession wrong;
    QVERIFY(!wrong.signIn(name, QStringLiteral("pass12345")));
    SandboxXmppSession member;
    QVERIFY(member.signIn(name, QStringLiteral("pass1234")));
    // and it receives broadcasts like everyone else
    const QString title = QStringLiteral("欢迎新会员 ") + token();
    QVERIFY(m_publisher.sendRaw(publishIq(
        "cargo", cargoChildren(title, QStringLiteral("长沙市"), QStringLiteral("上海"), ""))));
    QVERIFY(
        member.waitForText(QStringLiteral("to='%1@localhost/haulway'><broadcastcargo>").arg(name)));
    QVERIFY(member.waitForText(title));
}

QTEST_GUILESS_MAIN(SandboxPublishTest)
#include "tst_SandboxPublish.moc"
