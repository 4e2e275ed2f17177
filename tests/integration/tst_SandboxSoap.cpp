// The SOAP listing service of the sandbox exchange: its description, the eleven
// operations with their filters, faults, and a client generated from the description.
#include "SandboxEndpoints.h"
#include "SandboxHttp.h"
#include "SoapCall.h"
#include "wsdl_Marovinta_Service.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

using Args = SoapCall::Arguments;

const QStringList kLandKeys = {"id",       "title",   "itype",   "issueat",
                               "senderid", "contact", "position"};
const QStringList kAirKeys = {"startcn",    "starten", "endcn", "enden",    "price",
                              "aircompany", "aircyle", "days",  "isdirect", "line",
                              "sender",     "contact", "mem"};
const QStringList kSeaKeys = {"company", "startport", "toport", "passoption", "passport", "duty",
                              "days",    "passseq",   "line",   "sender",     "contact"};
const QStringList kRailKeys = {"triannum",  "startport1", "startport2", "toport2", "cycle",
                               "starttime", "totime",     "startcity",  "tocity",  "toport1",
                               "hours",     "sender",     "contact"};

Args landCount(const QString& from, const QString& to, const QString& category,
               const QString& local)
{
    return {{"fromcity", from},
            {"tocity", to},
            {"category", category},
            {"ssticket", ""},
            {"blocal", local}};
}

Args landList(const QString& from, const QString& to, const QString& category, const QString& local)
{
    return {{"fromcity", from},  {"tocity", to},   {"category", category},
            {"pagenumber", "1"}, {"ssticket", ""}, {"blocal", local}};
}

int count(const QString& operation, const Args& args)
{
    const auto result = SoapCall::call(operation, args);
    bool ok = false;
    const int value = result.value.toInt(&ok);
    return ok && !result.fault ? value : -1;
}

QList<QVariantMap> list(const QString& operation, const Args& args)
{
    const auto result = SoapCall::call(operation, args);
    bool isList = false;
    const auto rows = SoapCall::rows(result.value, &isList);
    return isList && !result.fault ? rows : QList<QVariantMap>{QVariantMap{{"error", result.raw}}};
}

int landCountOf(const QString& from, const QString& to, const QString& category = QString(),
                const QString& local = QStringLiteral("0"))
{
    return count(QStringLiteral("cargoCount"), landCount(from, to, category, local));
}

QString endpoint()
{
    return SandboxEndpoints::url(QStringLiteral("/w/index.php/Service/index/wsdl/1")).toString();
}

} // namespace

class SandboxSoapTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void descriptionIsTheCommittedOne();
    void descriptionNamesEveryOperation();
    void listsHoldExactlyTheRowKeys_data();
    void listsHoldExactlyTheRowKeys();
    void landFiltersAgree();
    void landListIsCappedAndNewestFirst();
    void searchMatchesItsDestinations();
    void subscriptionIsTheUnionOfItsCities();
    void airSeaRailFilters();
    void malformedRequestsGetFaults_data();
    void malformedRequestsGetFaults();
    void generatedClientAgrees();
};

// The generated client below is built from tests/integration/data/Marovinta_Service.wsdl;
// it must be what the exchange serves (apart from the endpoint address).
void SandboxSoapTest::descriptionIsTheCommittedOne()
{
    const auto served = SandboxHttp::get(QStringLiteral("/w/index.php/Service/index/wsdl/1"));
    QCOMPARE(served.status, 200);
    QFile committed(QStringLiteral(TOVANTA_TEST_DATA_DIR "/Marovinta_Service.wsdl"));
    QVERIFY(committed.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(committed.readAll());
    expected.replace(QStringLiteral("www.localhost:15280"),
                     QString::fromUtf8(SandboxEndpoints::siteHost()));
    QCOMPARE(served.text(), expected);
}

void SandboxSoapTest::descriptionNamesEveryOperation()
{
    QXmlStreamReader reader(
        SandboxHttp::get(QStringLiteral("/w/index.php/Service/index/wsdl/1")).body);
    QStringList operations;
    QMap<QString, QStringList> parts;
    QStringList actions;
    QString style, use, bodyNamespace, address, currentMessage;
    bool inPortType = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("portType"))
            inPortType = false;
        if (!reader.isStartElement())
            continue;
        const auto attributes = reader.attributes();
        const QStringRef name = reader.name();
        if (name == QLatin1String("portType"))
            inPortType = attributes.value("name") == QLatin1String("Marovinta_ServicePort");
        else if (name == QLatin1String("operation") && inPortType)
            operations << attributes.value("name").toString();
        else if (name == QLatin1String("message"))
            currentMessage = attributes.value("name").toString();
        else if (name == QLatin1String("part")) {
            parts[currentMessage] << attributes.value("name").toString();
            QCOMPARE(attributes.value("type").toString(), QStringLiteral("xsd:string"));
        } else if (name == QLatin1String("binding") && !attributes.value("style").isEmpty())
            style = attributes.value("style").toString();
        else if (name == QLatin1String("operation") && !attributes.value("soapAction").isEmpty())
            actions << attributes.value("soapAction").toString();
        else if (name == QLatin1String("body")) {
            use = attributes.value("use").toString();
            bodyNamespace = attributes.value("namespace").toString();
        } else if (name == QLatin1String("address"))
            address = attributes.value("location").toString();
    }
    QCOMPARE(operations,
             (QStringList{"cargoListpro", "cargoSearch", "cargoCount", "getAirPriceList",
                          "getAirPriceCount", "getSealineCount", "getSealineList", "getTrianCount",
                          "getTrianList", "orderInfo", "orderInfoCount"}));
    QCOMPARE(parts.value("cargoSearchRequest"),
             (QStringList{"fromcity", "tocity", "category", "citytype", "pagenumber", "ssticket",
                          "blocal"}));
    QCOMPARE(parts.value("getTrianCountRequest"),
             (QStringList{"triamnum", "fromcity", "startport2", "toport2", "tocity", "sticket"}));
    QCOMPARE(parts.value("getSealineListRequest"),
             (QStringList{"startport", "toport", "company", "sealine", "pagenumber", "sticket"}));
    QCOMPARE(parts.value("orderInfoRequest"), (QStringList{"citylst", "pagenumber", "ssticket"}));
    QCOMPARE(parts.value("cargoCountResponse"), QStringList{"return"});
    QCOMPARE(actions.size(), 11);
    QVERIFY(actions.contains(QStringLiteral("urn:Marovinta_Service#Cargo#cargoCount")));
    QCOMPARE(style, QStringLiteral("rpc"));
    QCOMPARE(use, QStringLiteral("encoded"));
    QCOMPARE(bodyNamespace, QStringLiteral("urn:Marovinta_Service"));
    QCOMPARE(address,
             "http://" + SandboxEndpoints::siteHost() + "/w/index.php/Service/index/wsdl/1");
}

void SandboxSoapTest::listsHoldExactlyTheRowKeys_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Args>("args");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("cargoListpro") << "cargoListpro" << landList(QStringLiteral("上海"), "", "", "1")
                                  << kLandKeys;
    QTest::newRow("cargoSearch") << "cargoSearch"
                                 << Args{{"fromcity", QStringLiteral("上海")},
                                         {"tocity", QStringLiteral("北京,广州市,")},
                                         {"category", ""},
                                         {"citytype", "1"},
                                         {"pagenumber", "1"},
                                         {"ssticket", ""},
                                         {"blocal", "0"}}
                                 << kLandKeys;
    QTest::newRow("orderInfo") << "orderInfo"
                               << Args{{"citylst", QStringLiteral("'成都市','沈阳市'")},
                                       {"pagenumber", "1"},
                                       {"ssticket", ""}}
                               << kLandKeys;
    QTest::newRow("getAirPriceList") << "getAirPriceList"
                                     << Args{{"airLine", QStringLiteral("国内空运")},
                                             {"aircompany", ""},
                                             {"startcn", ""},
                                             {"starten", ""},
                                             {"pagenumber", "1"},
                                             {"ssticket", ""}}
                                     << kAirKeys;
    QTest::newRow("getSealineList")
        << "getSealineList" << Args{{"startport", "DALIAN"}, {"toport", ""},      {"company", ""},
                                    {"sealine", ""},         {"pagenumber", "1"}, {"sticket", ""}}
        << kSeaKeys;
    QTest::newRow("getTrianList") << "getTrianList" << Args{{"triamnum", ""},
                                                            {"fromcity", QStringLiteral("哈尔滨")},
                                                            {"startport2", ""},
                                                            {"toport2", ""},
                                                            {"tocity", ""},
                                                            {"pagenumber", "1"},
                                                            {"sticket", ""}}
                                  << kRailKeys;
}

void SandboxSoapTest::listsHoldExactlyTheRowKeys()
{
    QFETCH(QString, operation);
    QFETCH(Args, args);
    QFETCH(QStringList, keys);
    const auto rows = list(operation, args);
    QVERIFY(!rows.isEmpty());
    QStringList expected = keys;
    expected.sort();
    for (const auto& row : rows) {
        QStringList actual = row.keys();
        actual.sort();
        QCOMPARE(actual, expected);
    }
}

void SandboxSoapTest::landFiltersAgree()
{
    const QString city = QStringLiteral("上海");
    const int local = landCountOf(city, "", "", "1");
    const int departing = landCountOf(city, "");
    const int returning = landCountOf("", city);
    const int there = landCountOf(city, city);
    QVERIFY(departing > 0 && returning > 0);
    QCOMPARE(local, departing + returning - there);
    // "上海市" names the same place
    QCOMPARE(landCountOf(QStringLiteral("上海市"), "", "", "1"), local);

    const int cargo = landCountOf(city, "", "1", "1");
    const int trucks = landCountOf(city, "", "2", "1");
    QVERIFY(cargo > 0 && trucks > 0);
    QCOMPARE(cargo + trucks, local);
    for (const auto& row : list(QStringLiteral("cargoListpro"), landList(city, "", "2", "1")))
        QCOMPARE(row.value("itype").toString(), QStringLiteral("2"));

    QCOMPARE(landCountOf(QStringLiteral("不存在的城市"), "", "", "1"), 0);
    QCOMPARE(
        list(QStringLiteral("cargoListpro"), landList(QStringLiteral("不存在的城市"), "", "", "1"))
            .size(),
        0);
}

void SandboxSoapTest::landListIsCappedAndNewestFirst()
{
    const int all = landCountOf(QStringLiteral("上海"), "", "", "1");
    const auto rows =
        list(QStringLiteral("cargoListpro"), landList(QStringLiteral("上海"), "", "", "1"));
    QCOMPARE(rows.size(), qMin(all, 100));
    for (int i = 1; i < rows.size(); ++i)
        QVERIFY(rows.at(i - 1).value("id").toLongLong() > rows.at(i).value("id").toLongLong());
    for (const auto& row : rows)
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(row.value("issueat").toString())
                    .hasMatch());

    // departing listings of one city are fewer than 100: the list holds all of them
    const int departing = landCountOf(QStringLiteral("沈阳市"), "");
    QVERIFY(departing > 0 && departing < 100);
    QCOMPARE(list(QStringLiteral("cargoListpro"), landList(QStringLiteral("沈阳市"), "", "", "0"))
                 .size(),
             departing);
}

void SandboxSoapTest::searchMatchesItsDestinations()
{
    const QString from = QStringLiteral("北京");
    const int expected =
        landCountOf(from, QStringLiteral("上海")) + landCountOf(from, QStringLiteral("成都市"));
    const Args search = {{"fromcity", from},  {"tocity", QStringLiteral("成都市,上海,")},
                         {"category", ""},    {"citytype", "1"},
                         {"pagenumber", "1"}, {"ssticket", ""},
                         {"blocal", "0"}};
    QVERIFY(expected > 0);
    QCOMPARE(list(QStringLiteral("cargoSearch"), search).size(), qMin(expected, 100));
}

void SandboxSoapTest::subscriptionIsTheUnionOfItsCities()
{
    const QString a = QStringLiteral("成都市"), b = QStringLiteral("沈阳市");
    const int expected = landCountOf(a, "", "", "1") + landCountOf(b, "", "", "1") -
                         landCountOf(a, b) - landCountOf(b, a);
    const Args countArgs = {{"citylst", "'" + a + "','" + b + "'"}, {"ssticket", ""}};
    QCOMPARE(count(QStringLiteral("orderInfoCount"), countArgs), expected);

    // many cities: the count is uncapped, the list stops at 200
    const QString many = QStringLiteral("'上海','北京','广州市','沈阳市','成都市','O''Brien'");
    const int total =
        count(QStringLiteral("orderInfoCount"), {{"citylst", many}, {"ssticket", ""}});
    QVERIFY(total > 200);
    QCOMPARE(list(QStringLiteral("orderInfo"),
                  {{"citylst", many}, {"pagenumber", "1"}, {"ssticket", ""}})
                 .size(),
             200);
    QCOMPARE(count(QStringLiteral("orderInfoCount"), {{"citylst", ""}, {"ssticket", ""}}), 0);
}

void SandboxSoapTest::airSeaRailFilters()
{
    const Args allAir = {
        {"airLine", ""}, {"aircompany", ""}, {"startcn", ""}, {"starten", ""}, {"ssticket", ""}};
    const int air = count(QStringLiteral("getAirPriceCount"), allAir);
    const Args japan = {{"airLine", QStringLiteral("日本")},
                        {"aircompany", ""},
                        {"startcn", ""},
                        {"starten", ""},
                        {"pagenumber", "1"},
                        {"ssticket", ""}};
    const auto japanRows = list(QStringLiteral("getAirPriceList"), japan);
    QVERIFY(!japanRows.isEmpty() && japanRows.size() < air);
    for (const auto& row : japanRows)
        QCOMPARE(row.value("line").toString(), QStringLiteral("日本"));
    const Args airport = {
        {"airLine", ""},    {"aircompany", ""},  {"startcn", QStringLiteral("成都")},
        {"starten", "CTU"}, {"pagenumber", "1"}, {"ssticket", ""}};
    for (const auto& row : list(QStringLiteral("getAirPriceList"), airport))
        QCOMPARE(row.value("starten").toString(), QStringLiteral("CTU"));
    const Args airline = {
        {"airLine", ""},     {"aircompany", QStringLiteral("CA 中国国际航空股份有限公司")},
        {"startcn", ""},     {"starten", ""},
        {"pagenumber", "1"}, {"ssticket", ""}};
    for (const auto& row : list(QStringLiteral("getAirPriceList"), airline))
        QVERIFY(row.value("aircompany").toString().startsWith(QStringLiteral("CA ")));

    const Args shekou = {{"startport", "SHENZHEN(SHEKOU)"},
                         {"toport", ""},
                         {"company", ""},
                         {"sealine", ""},
                         {"pagenumber", "1"},
                         {"sticket", ""}};
    const auto seaRows = list(QStringLiteral("getSealineList"), shekou);
    QVERIFY(!seaRows.isEmpty());
    for (const auto& row : seaRows)
        QCOMPARE(row.value("startport").toString(), QStringLiteral("深圳(蛇口)"));
    QCOMPARE(count(QStringLiteral("getSealineCount"), {{"startport", "NOWHERE"},
                                                       {"toport", ""},
                                                       {"company", ""},
                                                       {"sealine", ""},
                                                       {"sticket", ""}}),
             0);

    const Args wuhan = {{"triamnum", ""},   {"fromcity", QStringLiteral("武汉")},
                        {"startport2", ""}, {"toport2", ""},
                        {"tocity", ""},     {"sticket", ""}};
    const int trains = count(QStringLiteral("getTrianCount"), wuhan);
    QVERIFY(trains >= 2);
    Args wuhanList = wuhan;
    wuhanList.insert(5, {"pagenumber", "1"});
    const auto railRows = list(QStringLiteral("getTrianList"), wuhanList);
    QCOMPARE(railRows.size(), trains);
    for (const auto& row : railRows)
        QCOMPARE(row.value("startcity").toString(), QStringLiteral("武汉"));
}

void SandboxSoapTest::malformedRequestsGetFaults_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("not xml") << QByteArray("hello");
    QTest::newRow("not an envelope") << QByteArray("<a><b/></a>");
    QTest::newRow("unclosed") << SoapCall::envelope("cargoCount", {}).left(120);
    QTest::newRow("empty body") << QByteArray(
        "<soap:Envelope "
        "xmlns:soap='http://schemas.xmlsoap.org/soap/envelope/'><soap:Body/></soap:Envelope>");
    QTest::newRow("unknown operation") << SoapCall::envelope("dropTables", {{"x", "1"}});
    QTest::newRow("foreign namespace") << QByteArray(
        "<soap:Envelope xmlns:soap='http://schemas.xmlsoap.org/soap/envelope/'><soap:Body>"
        "<cargoCount xmlns='urn:other'/></soap:Body></soap:Envelope>");
}

void SandboxSoapTest::malformedRequestsGetFaults()
{
    QFETCH(QByteArray, body);
    const auto result = SoapCall::post(body);
    QCOMPARE(result.status, 500);
    QVERIFY2(result.fault, qPrintable(result.raw));
}

// A client generated by kdwsdl2cpp from the description, calling in RPC/encoded style.
void SandboxSoapTest::generatedClientAgrees()
{
    Marovinta_Service service;
    service.setEndPoint(endpoint());
    const QString sh = QStringLiteral("上海");

    QCOMPARE(service.cargoCount(sh, "", "", "", "1").toInt(), landCountOf(sh, "", "", "1"));
    QCOMPARE(service.lastError(), QString());
    QCOMPARE(service.cargoListpro(sh, "", "1", "1", "", "1"),
             SoapCall::call("cargoListpro", landList(sh, "", "1", "1")).value);
    QCOMPARE(service.cargoSearch(sh, QStringLiteral("北京,"), "", "1", "1", "", "0"),
             SoapCall::call("cargoSearch", {{"fromcity", sh},
                                            {"tocity", QStringLiteral("北京,")},
                                            {"category", ""},
                                            {"citytype", "1"},
                                            {"pagenumber", "1"},
                                            {"ssticket", ""},
                                            {"blocal", "0"}})
                 .value);
    QVERIFY(service.getAirPriceCount("", "", "", "", "").toInt() > 0);
    QVERIFY(!SoapCall::rows(service.getAirPriceList(QStringLiteral("欧洲线"), "", "", "", "1", ""))
                 .isEmpty());
    QCOMPARE(service.getSealineCount("QINGDAO", "", "", "", "").toInt(), 6);
    QCOMPARE(SoapCall::rows(service.getSealineList("QINGDAO", "", "", "", "1", "")).size(), 6);
    const int trains = service.getTrianCount("", QStringLiteral("哈尔滨"), "", "", "", "").toInt();
    QVERIFY(trains > 0);
    QCOMPARE(SoapCall::rows(service.getTrianList("", QStringLiteral("哈尔滨"), "", "", "", "1", ""))
                 .size(),
             trains);
    const QString cities = QStringLiteral("'北京','广州市'");
    const int subscribed = service.orderInfoCount(cities, "").toInt();
    QVERIFY(subscribed > 0);
    QCOMPARE(SoapCall::rows(service.orderInfo(cities, "1", "")).size(), qMin(subscribed, 200));
    QCOMPARE(service.lastError(), QString());
}

QTEST_GUILESS_MAIN(SandboxSoapTest)
#include "tst_SandboxSoap.moc"
