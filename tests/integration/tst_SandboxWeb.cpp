// The web routes and pages of the sandbox exchange, as the client calls them.
#include "SandboxEndpoints.h"
#include "SandboxHttp.h"
#include "core/FieldScrambler.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QtTest>

namespace {

// The scrambled answer form: UTF-8 body, first "?" dropped, then unscrambled.
QString unscrambled(const SandboxHttp::Reply& reply)
{
    QString text = reply.text().trimmed();
    const int mark = text.indexOf(QLatin1Char('?'));
    if (mark >= 0)
        text.remove(mark, 1);
    return UnscrambleField(text);
}

QString uniqueName(const char* prefix)
{
    return QString::fromLatin1(prefix) +
           QString::number(QDateTime::currentMSecsSinceEpoch() % 100000000);
}

// An 11-digit mobile that no other run used: 139 followed by eight digits of the clock.
QString uniqueMobile()
{
    return QStringLiteral("139") +
           QStringLiteral("%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000000, 8, 10,
                                    QLatin1Char('0'));
}

QJsonObject profileOf(const QString& user)
{
    const auto reply =
        SandboxHttp::get(QStringLiteral("/index.php/User/getUserInfo/loginname/") + user);
    return QJsonDocument::fromJson(unscrambled(reply).toUtf8()).object();
}

SandboxHttp::Fields registrationFields(const QString& name, const QString& password)
{
    return {{QStringLiteral("loginname"), name},
            {QStringLiteral("password"), password},
            {QStringLiteral("contact"), QStringLiteral("测试员")},
            {QStringLiteral("sex"), QStringLiteral("女")},
            {QStringLiteral("telephone1"), QStringLiteral("021-6666 8888")},
            {QStringLiteral("mobile"), QStringLiteral("13900001111")},
            {QStringLiteral("email"), QStringLiteral("t@example.com")},
            {QStringLiteral("qq"), QStringLiteral("123456")},
            {QStringLiteral("company"), QStringLiteral("测试物流&货运 有限公司")},
            {QStringLiteral("userprove"), QStringLiteral("辽宁")},
            {QStringLiteral("usercity"), QStringLiteral("沈阳市")},
            {QStringLiteral("address"), QStringLiteral("沈阳市铁西区 1号")},
            {QStringLiteral("usertype"), QStringLiteral("3")}};
}

} // namespace

class SandboxWebTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void profileHasTheSixteenFields();
    void unknownProfileIsEmpty();
    void advertisementRoutes();
    void baseInformationRoutes();
    void nameCheck();
    void smsVerification();
    void smsRefusesBadNumbers_data();
    void smsRefusesBadNumbers();
    void registrationCreatesProfile();
    void registrationRefusesBadInput_data();
    void registrationRefusesBadInput();
    void profileUpdate();
    void pages_data();
    void pages();
    void userCardsAndFriendFinder();
    void anyHostIsServed();
    void tenderPagesOnPort80();
    void updateInformation();
    void unknownRouteIs404();
};

void SandboxWebTest::profileHasTheSixteenFields()
{
    const QJsonObject profile = profileOf(QStringLiteral("zhangwei"));
    const QStringList keys = {"id",        "sex",        "qq",         "contact",
                              "endate",    "mobile",     "email",      "idcardnumber",
                              "company",   "telephone1", "telephone2", "address",
                              "userlevel", "userprove",  "usercity",   "usercountry"};
    QStringList actual = profile.keys();
    QStringList expected = keys;
    actual.sort();
    expected.sort();
    QCOMPARE(actual, expected);
    QVERIFY(profile.value("id").isDouble());
    QVERIFY(profile.value("userlevel").isDouble());
    QCOMPARE(profile.value("contact").toString(), QStringLiteral("张伟"));
    QCOMPARE(profile.value("userprove").toString(), QStringLiteral("上海"));
    QCOMPARE(profile.value("mobile").toString().size(), 11);
}

void SandboxWebTest::unknownProfileIsEmpty()
{
    const auto reply =
        SandboxHttp::get(QStringLiteral("/index.php/User/getUserInfo/loginname/nobody-here"));
    QCOMPARE(reply.status, 200);
    QVERIFY(reply.body.trimmed().isEmpty());
}

void SandboxWebTest::advertisementRoutes()
{
    const auto ads = SandboxHttp::get(QStringLiteral("/index.php/Statusad/index/city/上海"));
    const QJsonArray list = QJsonDocument::fromJson(ads.body).array();
    QVERIFY(!list.isEmpty());
    for (const auto& item : list) {
        QCOMPARE(item.toObject().keys(), (QStringList{"content", "linkaddress"}));
        QVERIFY(item.toObject().value("content").toString().contains(QStringLiteral("上海")));
    }
    const auto elsewhere =
        SandboxHttp::get(QStringLiteral("/index.php/Statusad/index/city/拉萨市"));
    QVERIFY(!QJsonDocument::fromJson(elsewhere.body).array().isEmpty());

    const auto agent =
        SandboxHttp::get(QStringLiteral("/index.php/Agentarea/getAgentContact/city/沈阳市"));
    QVERIFY(agent.text().contains(QStringLiteral("沈阳")));

    const auto count = SandboxHttp::get(QStringLiteral("/index.php/Cargo/getCargoCount"));
    bool ok = false;
    QVERIFY(count.text().toInt(&ok) >= 300);
    QVERIFY(ok);
}

void SandboxWebTest::baseInformationRoutes()
{
    const auto csr = SandboxHttp::get(QStringLiteral("/index.php/Agentarea/getAgentCSRUrl"));
    QVERIFY2(csr.text().startsWith("http://" + SandboxEndpoints::siteHost() + "/"),
             qPrintable(csr.text()));
    const QString csrPath = QUrl(csr.text()).path();
    QCOMPARE(SandboxHttp::get(csrPath).status, 200);

    const QJsonArray fees =
        QJsonDocument::fromJson(
            SandboxHttp::get(QStringLiteral("/index.php/Agentarea/getfee")).body)
            .array();
    QVERIFY(fees.size() >= 5);
    for (const auto& fee : fees)
        QVERIFY(!fee.toObject().value("area").toString().isEmpty());
}

void SandboxWebTest::nameCheck()
{
    const QString route = QStringLiteral("/index.php/User/uexists/loginname/");
    QCOMPARE(unscrambled(SandboxHttp::get(route + "lina")), QStringLiteral("true"));
    QCOMPARE(unscrambled(SandboxHttp::get(route + "LiNa")), QStringLiteral("true"));
    QCOMPARE(unscrambled(SandboxHttp::get(route + uniqueName("free"))), QStringLiteral("false"));
}

void SandboxWebTest::smsVerification()
{
    const QString mobile = uniqueMobile();
    const auto sent = SandboxHttp::get(QStringLiteral("/index.php/User/buildMobileVerify/mobile/") +
                                       ScrambleField(mobile));
    QVERIFY(unscrambled(sent) != QLatin1String("error"));

    const auto code = SandboxHttp::get(QStringLiteral("/sandbox/sms/") + mobile);
    QCOMPARE(code.status, 200);
    QVERIFY2(QRegularExpression("^\\d{6}$").match(code.text()).hasMatch(), qPrintable(code.text()));

    const QString check = QStringLiteral("/index.php/User/mobileVerify/vcode/%1/username/%2");
    const QString wrong =
        QString::number((code.text().toInt() + 1) % 1000000).rightJustified(6, '0');
    QCOMPARE(unscrambled(SandboxHttp::get(check.arg(wrong, mobile))), QStringLiteral("false"));
    QCOMPARE(unscrambled(SandboxHttp::get(check.arg(code.text(), QStringLiteral("13000000000")))),
             QStringLiteral("false"));
    QCOMPARE(unscrambled(SandboxHttp::get(check.arg(code.text(), mobile))), QStringLiteral("true"));

    // asking again issues a fresh code, which verifies as well
    SandboxHttp::get(QStringLiteral("/index.php/User/buildMobileVerify/mobile/") +
                     ScrambleField(mobile));
    const auto second = SandboxHttp::get(QStringLiteral("/sandbox/sms/") + mobile);
    QCOMPARE(unscrambled(SandboxHttp::get(check.arg(second.text(), mobile))),
             QStringLiteral("true"));
}

void SandboxWebTest::smsRefusesBadNumbers_data()
{
    QTest::addColumn<QString>("mobile");
    QTest::newRow("starts 129") << "12912345678";
    QTest::newRow("ten digits") << "1391234567";
    QTest::newRow("twelve digits") << "139123456789";
    QTest::newRow("letters") << "1391234567a";
    QTest::newRow("not scrambled") << "";
}

void SandboxWebTest::smsRefusesBadNumbers()
{
    QFETCH(QString, mobile);
    const QString appended =
        mobile.isEmpty() ? QStringLiteral("13912345678") : ScrambleField(mobile);
    const auto reply =
        SandboxHttp::get(QStringLiteral("/index.php/User/buildMobileVerify/mobile/") + appended);
    QCOMPARE(unscrambled(reply), QStringLiteral("error"));
}

void SandboxWebTest::registrationCreatesProfile()
{
    const QString name = uniqueName("reg");
    const auto reply = SandboxHttp::postForm(QStringLiteral("/index.php/User/ureg"),
                                             registrationFields(name, "secret66"));
    QCOMPARE(unscrambled(reply), QStringLiteral("true"));
    QCOMPARE(
        unscrambled(SandboxHttp::get(QStringLiteral("/index.php/User/uexists/loginname/") + name)),
        QStringLiteral("true"));

    const QJsonObject profile = profileOf(name);
    QCOMPARE(profile.value("company").toString(), QStringLiteral("测试物流&货运 有限公司"));
    QCOMPARE(profile.value("contact").toString(), QStringLiteral("测试员"));
    QCOMPARE(profile.value("usercity").toString(), QStringLiteral("沈阳市"));
    QCOMPARE(profile.value("telephone1").toString(), QStringLiteral("021-6666 8888"));
    QVERIFY(profile.value("id").toInt() > 1000);

    const auto again = SandboxHttp::postForm(QStringLiteral("/index.php/User/ureg"),
                                             registrationFields(name, "other666"));
    QCOMPARE(unscrambled(again), QStringLiteral("false"));
}

void SandboxWebTest::registrationRefusesBadInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("short password") << uniqueName("short") << "12345";
    QTest::newRow("at sign") << "a@b"
                             << "secret66";
    QTest::newRow("empty name") << ""
                                << "secret66";
    QTest::newRow("too long") << "abcdefghijklmnopqrstuvwxyz"
                              << "secret66";
    QTest::newRow("taken") << "zhangwei"
                           << "secret66";
}

void SandboxWebTest::registrationRefusesBadInput()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    const auto reply = SandboxHttp::postForm(QStringLiteral("/index.php/User/ureg"),
                                             registrationFields(name, password));
    QCOMPARE(unscrambled(reply), QStringLiteral("false"));
    if (name != QLatin1String("zhangwei"))
        QVERIFY(profileOf(name).isEmpty());
}

void SandboxWebTest::profileUpdate()
{
    const QString name = uniqueName("upd");
    QCOMPARE(unscrambled(SandboxHttp::postForm(QStringLiteral("/index.php/User/ureg"),
                                               registrationFields(name, "secret66"))),
             QStringLiteral("true"));
    const int id = profileOf(name).value("id").toInt();
    const SandboxHttp::Fields change = {{"id", QString::number(id)},
                                        {"sex", QStringLiteral("男")},
                                        {"qq", "998877"},
                                        {"contact", QStringLiteral("新联系人")},
                                        {"company", QStringLiteral("新公司 'A&B'")},
                                        {"email", "n@example.com"},
                                        {"tel1", ""},
                                        {"tel2", "0571-1234"},
                                        {"address", QStringLiteral("新地址")}};
    const auto reply = SandboxHttp::postForm(QStringLiteral("/index.php/User/updatepro/"), change);
    QCOMPARE(reply.text().toLower(), QStringLiteral("true"));
    const QJsonObject profile = profileOf(name);
    QCOMPARE(profile.value("company").toString(), QStringLiteral("新公司 'A&B'"));
    QCOMPARE(profile.value("telephone1").toString(), QString());
    QCOMPARE(profile.value("telephone2").toString(), QStringLiteral("0571-1234"));
    QCOMPARE(profile.value("contact").toString(), QStringLiteral("新联系人"));
    QCOMPARE(profile.value("usercity").toString(), QStringLiteral("沈阳市"));

    const SandboxHttp::Fields unknown = {{"id", "999999"}, {"company", "x"}};
    QCOMPARE(SandboxHttp::postForm(QStringLiteral("/index.php/User/updatepro/"), unknown).text(),
             QStringLiteral("false"));
    const SandboxHttp::Fields noId = {{"company", "x"}};
    QCOMPARE(SandboxHttp::postForm(QStringLiteral("/index.php/User/updatepro/"), noId).text(),
             QStringLiteral("false"));
}

void SandboxWebTest::pages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("mustContain");
    QTest::newRow("recommend") << QStringLiteral("/index.php/Recommend/index/city/上海")
                               << QStringLiteral("上海");
    QTest::newRow("notice") << QStringLiteral("/index.php/Sysnotice/notice/city/成都市")
                            << QStringLiteral("成都");
    QTest::newRow("head ad") << "/ad/headAd.htm" << QStringLiteral("广告");
    QTest::newRow("021") << "/ad/021.htm" << QStringLiteral("推荐");
    QTest::newRow("law") << "/ad/law.html" << QStringLiteral("免责声明");
    QTest::newRow("protocol") << "/ad/protocl.html" << QStringLiteral("协议");
    QTest::newRow("calendar") << "/tools/calendar.htm" << QStringLiteral("万年历");
    QTest::newRow("wz") << "/tools/wz.htm" << QStringLiteral("违规");
    QTest::newRow("fg") << "/tools/fg.htm" << QStringLiteral("法规");
    QTest::newRow("chepai") << "/tools/chepai.htm" << QStringLiteral("车牌");
    QTest::newRow("map")
        << QStringLiteral(
               "/nava/map/"
               "show.action?width=735&height=488&city=%E6%B2%88%E9%98%B3%E5%B8%82&noicon=1")
        << QStringLiteral("沈阳市");
    QTest::newRow("tenders") << "/agent.php/Bidding/listbid" << QStringLiteral("招标");
    QTest::newRow("tender cat 3") << "/agent.php/Bidding/listbid/cat/3"
                                  << QStringLiteral("批发商招标");
    QTest::newRow("customer service") << "/index.php/Agentarea/csr" << QStringLiteral("在线客服");
    QTest::newRow("registration") << "/index.php/User/register" << QStringLiteral("注册");
}

void SandboxWebTest::pages()
{
    QFETCH(QString, path);
    QFETCH(QString, mustContain);
    const auto reply = SandboxHttp::get(path);
    QCOMPARE(reply.status, 200);
    QVERIFY2(reply.contentType.startsWith("text/html"), reply.contentType.constData());
    QVERIFY(reply.text().contains(QLatin1String("<html")));
    QVERIFY2(reply.text().contains(mustContain), qPrintable(reply.text().left(400)));
}

void SandboxWebTest::userCardsAndFriendFinder()
{
    const auto card = SandboxHttp::get(QStringLiteral("/index.php/User/getUserCard/id/chenjie"));
    QCOMPARE(card.status, 200);
    QVERIFY(card.text().contains(QStringLiteral("陈杰")));
    QCOMPARE(SandboxHttp::get(QStringLiteral("/index.php/User/getUserCard/id/nobody-here")).status,
             404);

    for (const QString path : {"/index.php/User/findFriend", "/index.php/User/search"}) {
        const auto finder = SandboxHttp::get(path);
        QVERIFY(finder.text().contains(QStringLiteral("href=\"member:zhangwei:张伟\"")));
        QVERIFY(finder.text().contains(QStringLiteral("href=\"member:liuyang:刘洋\"")));
    }
}

void SandboxWebTest::anyHostIsServed()
{
    for (const QByteArray& host : {QByteArray("admin.localhost"), QByteArray("127.0.0.1:15280"),
                                   QByteArray("other.example")}) {
        const auto reply =
            SandboxHttp::get(QStringLiteral("/agent.php/Bidding/listbid/cat/1"), host);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.text().contains(QStringLiteral("厂家招标")));
    }
}

// The client asks admin.localhost without a port; the sandbox binds port 80 when it may.
void SandboxWebTest::tenderPagesOnPort80()
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), 80);
    if (!probe.waitForConnected(2000))
        QSKIP("port 80 is not served here (not root, or taken)");
    probe.abort();
    QUrl url(QStringLiteral("http://127.0.0.1/agent.php/Bidding/listbid/cat/2"));
    const auto reply = SandboxHttp::getUrl(url, "admin.localhost");
    QCOMPARE(reply.status, 200);
    QVERIFY(reply.text().contains(QStringLiteral("代理商招标")));
}

void SandboxWebTest::updateInformation()
{
    const auto current = SandboxHttp::get(QStringLiteral("/update/info.txt"));
    QCOMPARE(current.status, 200);
    QVERIFY(current.text().contains(QLatin1String("#version=2.0.0.1\n")));
    QVERIFY(current.text().contains(QLatin1String("#method=0")));

    QCOMPARE(SandboxHttp::get(QStringLiteral("/sandbox/update/offer/2.0.0.10")).status, 200);
    const QString offered = SandboxHttp::get(QStringLiteral("/update/info.txt")).text();
    SandboxHttp::get(QStringLiteral("/sandbox/update/reset"));
    QVERIFY(offered.contains(QLatin1String("#version=2.0.0.10\n")));
    const QRegularExpression message("#message=\\{[^}]*2\\.0\\.0\\.10[^}]*\\}");
    QVERIFY(message.match(offered).hasMatch());
    const QRegularExpression url("#url=(\\S+)\n");
    const auto match = url.match(offered);
    QVERIFY(match.hasMatch());
    const QUrl file(match.captured(1));
    QCOMPARE(file.host(), QStringLiteral("www.localhost"));
    const auto download = SandboxHttp::get(file.path());
    QCOMPARE(download.status, 200);
    QVERIFY(!download.body.isEmpty());

    QVERIFY(SandboxHttp::get(QStringLiteral("/update/info.txt"))
                .text()
                .contains(QLatin1String("#version=2.0.0.1\n")));
    // the address the client's sandbox configuration names, and its file list
    QCOMPARE(SandboxHttp::get(QStringLiteral("/update/update.inf")).text(),
             SandboxHttp::get(QStringLiteral("/update/info.txt")).text());
    QCOMPARE(SandboxHttp::get(QStringLiteral("/update/files.txt")).text().trimmed(),
             match.captured(1));
}

void SandboxWebTest::unknownRouteIs404()
{
    QCOMPARE(SandboxHttp::get(QStringLiteral("/index.php/Nothing/here")).status, 404);
    QCOMPARE(SandboxHttp::get(QStringLiteral("/ad/../../etc/passwd")).status, 404);
    QCOMPARE(SandboxHttp::get(QStringLiteral("/sandbox/sms/10000000000")).status, 404);
}

QTEST_GUILESS_MAIN(SandboxWebTest)
#include "tst_SandboxWeb.moc"
