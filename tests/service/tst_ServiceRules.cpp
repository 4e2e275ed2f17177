#include "RecordingView.h"
#include "app/SessionState.h"
#include "core/FieldScrambler.h"
#include "core/JsonNode.h"
#include "service/HttpClient.h"
#include "service/ListingLoadRules.h"
#include "service/ListingLoader.h"
#include "service/ListingRows.h"
#include "service/LoopbackAddress.h"
#include "service/ProfileUpdateRequest.h"
#include "service/ServicePort.h"
#include "service/ShellState.h"
#include "service/TThdOrderInfo.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"
#include "service/searchCarogThread.h"

#include <QNetworkRequest>
#include <QtTest>

// The widget-free rules of the service client: counts, caps, rows, answers, addresses.
class ServiceRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetSession();
        shellState().reset();
    }

    void countAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("count");
        QTest::newRow("number") << "523" << 523;
        QTest::newRow("surrounding space") << " 42\n" << 42;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("text") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("decimal") << "3.5" << 0;
        QTest::newRow("hex is not decimal") << "0x10" << 0;
        QTest::newRow("too big") << "99999999999" << 0;
    }
    void countAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, count);
        QCOMPARE(ListingLoadRules::parseCount(answer), count);
    }

    void capsAndFirstRows()
    {
        auto land = ListingLoadRules::landPlan(523, ListingLoadRules::LandCap, false, 7);
        QCOMPARE(land.rowCount, 100);
        QCOMPARE(land.firstRow, 0);
        auto subscription =
            ListingLoadRules::landPlan(523, ListingLoadRules::SubscriptionCap, false, 7);
        QCOMPARE(subscription.rowCount, 200);
        auto few = ListingLoadRules::landPlan(12, ListingLoadRules::LandCap, false, 50);
        QCOMPARE(few.rowCount, 12);
        auto appended = ListingLoadRules::landPlan(30, ListingLoadRules::LandCap, true, 50);
        QCOMPARE(appended.firstRow, 50);
        QCOMPARE(appended.rowCount, 80);

        // Price grids keep their header row 0 and fill from row 1.
        auto air = ListingLoadRules::pricePlan(523, false, 9);
        QCOMPARE(air.rowCount, 101);
        QCOMPARE(air.firstRow, 1);
        auto small = ListingLoadRules::pricePlan(3, false, 9);
        QCOMPARE(small.rowCount, 4);
        auto more = ListingLoadRules::pricePlan(3, true, 9);
        QCOMPARE(more.firstRow, 9);
        QCOMPARE(more.rowCount, 12);
    }

    void landViewKinds()
    {
        const QStringList headings = {"[本地信息]", "[本地货源]", "[本地车源]",
                                      "[出发信息]", "[出发货源]", "[出发车源]",
                                      "[回程信息]", "[回程货源]", "[回程车源]"};
        const QStringList categories = {"", "1", "2", "", "1", "2", "", "1", "2"};
        for (int kind = 1; kind <= 9; ++kind) {
            QCOMPARE(ListingLoadRules::landHeading(kind), headings.at(kind - 1));
            QCOMPARE(ListingLoadRules::landCategory(kind), categories.at(kind - 1));
        }
        QVERIFY(ListingLoadRules::landHeading(0).isEmpty());
        QVERIFY(ListingLoadRules::landHeading(10).isEmpty());
    }

    void shortTimes()
    {
        const QString issued = QStringLiteral("2026-12-08 19:21:43");
        QCOMPARE(shortTimeOf(issued, ShortTimeRule::MonthDayMinute), QStringLiteral("12-08 19:21"));
        QCOMPARE(shortTimeOf(issued, ShortTimeRule::ToEnd), QStringLiteral("12-08 19:21:43"));
        QCOMPARE(shortTimeOf(QStringLiteral("2026"), ShortTimeRule::MonthDayMinute), QString());
        QCOMPARE(shortTimeOf(QStringLiteral("2026-12-08"), ShortTimeRule::MonthDayMinute),
                 QStringLiteral("12-08"));
    }

    void landRowFromElement()
    {
        auto element = ParseJson(QStringLiteral(
            R"({"id":17,"title":"  上海到北京 整车  ","itype":"2","issueat":"2026-12-08 09:05:11",)"
            R"("senderid":"-1","contact":"ABCD","position":"浦东"})"));
        QVERIFY(element);
        const LandRow row = LandRow::fromJson(*element);
        QCOMPARE(row.id, QStringLiteral("17"));
        QCOMPARE(row.title, QStringLiteral("上海到北京 整车"));
        QCOMPARE(row.shortTime, QStringLiteral("12-08 09:05"));
        QCOMPARE(row.titleCellText(), QStringLiteral("上海到北京 整车 12-08 09:05"));
        QCOMPARE(row.typeIcon, TruckImage);
        QCOMPARE(row.senderIcon, AgentImage);
        QCOMPARE(row.contact, QStringLiteral("ABCD"));
        QCOMPARE(row.position, QStringLiteral("浦东"));

        auto sparse = ParseJson(QStringLiteral(R"({"title":"只有标题","senderid":"zhangwei"})"));
        const LandRow partial = LandRow::fromJson(*sparse);
        QCOMPARE(partial.title, QStringLiteral("只有标题"));
        QVERIFY(partial.id.isEmpty());
        QVERIFY(partial.shortTime.isEmpty());
        QCOMPARE(partial.typeIcon, NoListingImage);
        QCOMPARE(partial.senderIcon, ChatImage);

        QCOMPARE(LandRow::build("1", "t", "1", "", "x", "", "").typeIcon, CargoImage);
        QCOMPARE(LandRow::build("1", "t", "abc", "", "x", "", "").typeIcon, NoListingImage);
        QCOMPARE(LandRow::build("1", "t", "3", "", "x", "", "").typeIcon, ChatImage);
        QCOMPARE(LandRow::build("1", "t", "5", "", "x", "", "").typeIcon, NoListingImage);
    }

    void priceRowsFromElements()
    {
        auto air = ParseJson(QStringLiteral(
            R"({"startcn":"浦东","starten":"PVG","endcn":"首都","enden":"PEK","price":12.5,)"
            R"("aircompany":"东航","aircyle":"每日","days":1,"isdirect":"直飞","line":"京沪线",)"
            R"("sender":"lina","contact":"C0","mem":"备注"})"));
        const AirRow a = AirRow::fromJson(*air);
        QCOMPARE(a.departure, QStringLiteral("浦东(PVG)"));
        QCOMPARE(a.destination, QStringLiteral("首都(PEK)"));
        QCOMPARE(a.info, QStringLiteral("运价:12.5,东航,航运周期:每日,航运时间:1天,直飞"));
        QCOMPARE(a.route, QStringLiteral("京沪线"));
        QCOMPARE(a.remark, QStringLiteral("备注"));
        QCOMPARE(a.senderIcon, ChatImage);

        auto sea = ParseJson(QStringLiteral(
            R"({"company":"中远","startport":"大连港","toport":"釜山","passoption":"直达",)"
            R"("passport":"","duty":"周三","days":"3","passseq":"大连-釜山","line":"韩国线",)"
            R"("sender":"-1","contact":"C1"})"));
        const SeaRow s = SeaRow::fromJson(*sea);
        QCOMPARE(s.carrier, QStringLiteral("中远"));
        QCOMPARE(s.portSequence, QStringLiteral("大连-釜山"));
        QCOMPARE(s.routeName, QStringLiteral("韩国线"));
        QCOMPARE(s.senderIcon, AgentImage);

        auto rail = ParseJson(QStringLiteral(
            R"({"triannum":"X101","startport1":"哈东","startport2":"哈尔滨南","toport2":"沈阳西",)"
            R"("cycle":"2","starttime":"08:00","totime":"20:00","startcity":"哈尔滨",)"
            R"("tocity":"沈阳","toport1":"沈阳东","hours":12,"sender":"wanglei","contact":"C2"})"));
        const RailRow r = RailRow::fromJson(*rail);
        QCOMPARE(r.trainNumber, QStringLiteral("X101"));
        QCOMPARE(r.loadingStation, QStringLiteral("哈东"));
        QCOMPARE(r.arrivalStation, QStringLiteral("沈阳东"));
        QCOMPARE(r.hours, QStringLiteral("12"));
        QCOMPARE(r.sender, QStringLiteral("wanglei"));

        auto empty = ParseJson(QStringLiteral("{}"));
        QCOMPARE(AirRow::fromJson(*empty).departure, QStringLiteral("()"));
        QVERIFY(RailRow::fromJson(*empty).contact.isEmpty());
    }

    void landRowFillSkipsUntitledWithoutGap()
    {
        auto list = ParseJson(QStringLiteral(
            R"([{"id":1,"title":"第一"},{"id":2,"title":"   "},{"id":3},7,)"
            R"({"id":4,"title":"第二"},{"id":5,"title":"第三"},{"id":6,"title":"第四"}])"));
        RecordingView view;
        view.setRowCount(ListingGrid::InfoGrd, 3);
        ListingLoader::fillLandRows(&view, ListingGrid::InfoGrd, *list, 0, 3, true,
                                    ShortTimeRule::MonthDayMinute);
        const auto rows = view.rowsOf<LandRow>(ListingGrid::InfoGrd);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(0).id, QStringLiteral("1"));
        QCOMPARE(rows.at(1).id, QStringLiteral("4"));
        QCOMPARE(rows.at(2).id, QStringLiteral("5"));
        QCOMPARE(view.outOfRangePuts, 0);

        // The search fill keeps element i in row i, titled or not.
        RecordingView search;
        search.setRowCount(ListingGrid::searchGrd, 7);
        ListingLoader::fillLandRows(&search, ListingGrid::searchGrd, *list, 0, 7, false,
                                    ShortTimeRule::ToEnd);
        const auto searched = search.rowsOf<LandRow>(ListingGrid::searchGrd);
        QCOMPARE(searched.size(), 6);
        QCOMPARE(searched.at(1).id, QStringLiteral("2"));
        QVERIFY(search.rowIsEmpty(ListingGrid::searchGrd, 3));
        QCOMPARE(std::get<LandRow>(search.grids[ListingGrid::searchGrd].rows.at(4)).id,
                 QStringLiteral("4"));
    }

    void listAnswers()
    {
        const QString list = ScrambleField(QStringLiteral(R"([{"title":"甲"},{"title":"乙"}])"));
        auto parsed = ListingLoader::parseListResult(list);
        QVERIFY(parsed);
        QCOMPARE(parsed->count(), 2);
        QVERIFY(!ListingLoader::parseListResult(ScrambleField(QStringLiteral(R"({"a":1})"))));
        QVERIFY(!ListingLoader::parseListResult(ScrambleField(QStringLiteral("not json"))));
        QVERIFY(!ListingLoader::parseListResult(QString()));
        QVERIFY(!ListingLoader::parseListResult(QStringLiteral("ZZ")));
    }

    void answerForms()
    {
        const QString profile = QStringLiteral(R"({"usercity":"上海"})");
        const QByteArray scrambled = ScrambleField(profile).toLatin1();
        QCOMPARE(WebAnswer::scrambled(scrambled), profile);
        // A byte-order mark turns into the "?" that is removed.
        QCOMPARE(WebAnswer::scrambled("\xEF\xBB\xBF" + scrambled), profile);
        QCOMPARE(WebAnswer::scrambled(ScrambleField("true").toLatin1()), QStringLiteral("true"));

        QCOMPARE(WebAnswer::utf8Text("\xE5\x85\xA8\xE5\x9B\xBD"), QStringLiteral("全国"));
        QCOMPARE(WebAnswer::utf8Text("\xEF\xBB\xBF[1]"), QStringLiteral("[1]"));
        // Characters the program's code page cannot show read as "?".
        QCOMPARE(WebAnswer::utf8Text("a\xF0\x9F\x98\x80z"), QStringLiteral("a?z"));

        QCOMPARE(WebAnswer::plain("http://x/csr"), QStringLiteral("http://x/csr"));
        QCOMPARE(WebAnswer::plain("\xE4\xB8\x8A\xE6\xB5\xB7"), QStringLiteral("上海"));
        QCOMPARE(WebAnswer::plain("\xC9\xCF\xBA\xA3"), QStringLiteral("上海")); // GBK bytes

        bool ok = false;
        QVERIFY(WebAnswer::booleanWord("TRUE", &ok));
        QVERIFY(ok);
        QVERIFY(!WebAnswer::booleanWord("False", &ok));
        QVERIFY(ok);
        WebAnswer::booleanWord("ok", &ok);
        QVERIFY(!ok);
        WebAnswer::booleanWord("", &ok);
        QVERIFY(!ok);
        QVERIFY(WebAnswer::booleanWord("true\r\n", &ok));
        QVERIFY(ok);
        WebAnswer::booleanWord("true!", &ok);
        QVERIFY(!ok);
    }

    void loopbackRule()
    {
        QVERIFY(LoopbackAddress::isLoopbackName("localhost"));
        QVERIFY(LoopbackAddress::isLoopbackName("www.localhost"));
        QVERIFY(LoopbackAddress::isLoopbackName("Admin.LOCALHOST"));
        QVERIFY(LoopbackAddress::isLoopbackName("www.localhost."));
        QVERIFY(!LoopbackAddress::isLoopbackName("localhost.example.com"));
        QVERIFY(!LoopbackAddress::isLoopbackName("notlocalhost"));
        QVERIFY(!LoopbackAddress::isLoopbackName("127.0.0.1"));

        QNetworkRequest request(QUrl("http://www.localhost:15280/index.php/x?y=1"));
        LoopbackAddress::apply(request);
        QCOMPARE(request.url(), QUrl("http://127.0.0.1:15280/index.php/x?y=1"));
        QCOMPARE(request.rawHeader("Host"), QByteArray("www.localhost:15280"));

        QNetworkRequest admin(QUrl("http://admin.localhost/agent.php/Bidding/listbid"));
        LoopbackAddress::apply(admin);
        QCOMPARE(admin.url().host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(admin.rawHeader("Host"), QByteArray("admin.localhost"));

        QNetworkRequest other(QUrl("http://example.com/a"));
        LoopbackAddress::apply(other);
        QCOMPARE(other.url(), QUrl("http://example.com/a"));
        QVERIFY(!other.hasRawHeader("Host"));
    }

    void formEncoding()
    {
        const FormFields fields = {
            {"loginname", "张 三"}, {"password", "a&b=c+d%"}, {"email", "x@y.cn"}, {"empty", ""}};
        QCOMPARE(HttpClient::encodeForm(fields),
                 QByteArray("loginname=%E5%BC%A0%20%E4%B8%89&password=a%26b%3Dc%2Bd%25"
                            "&email=x%40y.cn&empty="));
        QCOMPARE(HttpClient::encodeForm({}), QByteArray());
    }

    void routeAddresses()
    {
        session().HostName = "example.cn";
        session().baseurl = "";
        QCOMPARE(WebRoutes::userInfo("zhangwei"),
                 QStringLiteral("http://www.example.cn/index.php/User/getUserInfo/loginname/"
                                "zhangwei"));
        session().baseurl = ":15280/site";
        QCOMPARE(
            WebRoutes::statusAd("上海"),
            QStringLiteral("http://www.example.cn:15280/site/index.php/Statusad/index/city/上海"));
        QCOMPARE(WebRoutes::mobileVerify("123456", "li"),
                 QStringLiteral("http://www.example.cn:15280/site/index.php/User/mobileVerify/"
                                "vcode/123456/username/li"));
        QCOMPARE(WebRoutes::tenderPage(""),
                 QStringLiteral("http://admin.example.cn/agent.php/Bidding/listbid"));
        QCOMPARE(WebRoutes::tenderPage("3"),
                 QStringLiteral("http://admin.example.cn/agent.php/Bidding/listbid/cat/3"));
        QCOMPARE(WebRoutes::headAdPage(),
                 QStringLiteral("http://www.example.cn:15280/site/ad/headAd.htm"));
    }

    void requestLineEscaping()
    {
        // Values appended to routes reach the server as the same text.
        const QString address =
            QStringLiteral("http://www.localhost:15280/index.php/User/getUserInfo/loginname/"
                           "李 四?#%41/x");
        const QUrl url = HttpClient::urlForAddress(address);
        QVERIFY(url.isValid());
        QCOMPARE(url.host(), QStringLiteral("www.localhost"));
        QCOMPARE(url.port(), 15280);
        QVERIFY(!url.hasQuery());
        QVERIFY(!url.hasFragment());
        QCOMPARE(url.path(QUrl::FullyDecoded),
                 QStringLiteral("/index.php/User/getUserInfo/loginname/李 四?#%41/x"));
        QVERIFY(!HttpClient::urlForAddress("no scheme").isValid());
        QVERIFY(!HttpClient::urlForAddress("http:///path").isValid());
    }

    void descriptionEndpoint()
    {
        const QByteArray wsdl =
            "<definitions xmlns='http://schemas.xmlsoap.org/wsdl/' "
            "xmlns:soap='http://schemas.xmlsoap.org/wsdl/soap/'>"
            "<service name='Other'><port name='Marovinta_ServicePort'>"
            "<soap:address location='http://wrong/'/></port></service>"
            "<service name='Marovinta_Service'><port name='Else'>"
            "<soap:address location='http://wrong2/'/></port>"
            "<port name='Marovinta_ServicePort'><soap:address location='http://right/ep'/>"
            "</port></service></definitions>";
        QCOMPARE(Marovinta_ServicePort::endpointFromDescription(wsdl),
                 QStringLiteral("http://right/ep"));
        QVERIFY(Marovinta_ServicePort::endpointFromDescription("<definitions/>").isEmpty());
        QVERIFY(Marovinta_ServicePort::endpointFromDescription("garbage<<").isEmpty());
        QCOMPARE(Marovinta_ServicePort::defaultLocation(true, "example.cn"),
                 QStringLiteral("http://www.example.cn/w/index.php/Service/index/wsdl/1"));
        QCOMPARE(Marovinta_ServicePort::defaultLocation(false, "example.cn"),
                 QStringLiteral("http://www.example.cn:80/w/index.php/Service/index/wsdl/1/"));
    }

    void searchDestinationList()
    {
        QCOMPARE(searchCarogThread::toCityList({"北京", "天津", "沈阳"}),
                 QStringLiteral("沈阳,天津,北京,"));
        QCOMPARE(searchCarogThread::toCityList({}), QString());
    }

    void subscriptionCityLists()
    {
        QCOMPARE(TThdOrderInfo::quotedCityList({"北京", "大连"}), QStringLiteral("'北京','大连'"));
        QCOMPARE(TThdOrderInfo::quotedCityList({"O'Hare", "沈阳"}),
                 QStringLiteral("'O''Hare','沈阳'"));
        QCOMPARE(TThdOrderInfo::quotedCityList({}), QString());
        QCOMPARE(TThdOrderInfo::plainCityList(QStringLiteral("'北京','大连'")),
                 QStringLiteral("北京,大连"));
        QCOMPARE(TThdOrderInfo::plainCityList(TThdOrderInfo::quotedCityList({"O'Hare", "沈阳"})),
                 QStringLiteral("OHare,沈阳"));
        QCOMPARE(TThdOrderInfo::plainCityList(QString()), QString());
    }

    void profilePostFieldsAndAnswers()
    {
        ProfileForm form;
        form.sex = QStringLiteral("女");
        form.qq = QStringLiteral("123");
        form.contact = QStringLiteral("李娜");
        form.company = QStringLiteral("A'B select");
        form.email = QStringLiteral("e@x.cn");
        form.telephone1 = QString();
        form.telephone2 = QStringLiteral("139");
        // The Thai letter has no GBK form.
        form.address = QStringLiteral("北京") + QChar(0x0e01) + QStringLiteral("路");
        const FormFields fields = ProfileUpdateRequest::formFields(42, form);
        QStringList names;
        for (const auto& field : fields)
            names << field.first;
        QCOMPARE(names, QStringList({"id", "sex", "qq", "contact", "company", "email", "tel1",
                                     "tel2", "address"}));
        QCOMPARE(fields.at(0).second, QStringLiteral("42"));
        QCOMPARE(fields.at(4).second, QStringLiteral("A'B select"));
        QCOMPARE(fields.at(6).second, QString());
        QCOMPARE(fields.at(8).second, QStringLiteral("北京?路"));

        auto answer = [](bool ok, const QByteArray& body) {
            HttpReply reply;
            reply.ok = ok;
            reply.body = body;
            return ProfileUpdateRequest::outcomeOf(reply);
        };
        using O = ProfileUpdateRequest::Outcome;
        QCOMPARE(answer(true, "TRUE"), O::Updated);
        QCOMPARE(answer(true, "false"), O::Refused);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no boolean word"));
        QCOMPARE(answer(true, "ok"), O::Failed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("got no answer"));
        QCOMPARE(answer(false, "true"), O::Failed);
    }

    void searchTurns()
    {
        ShellState& shell = shellState();
        QStringList ran;
        shell.runSearchInTurn([&] { ran << "a"; });
        shell.runSearchInTurn([&] { ran << "b"; });
        shell.runSearchInTurn([&] { ran << "c"; });
        QCOMPARE(ran, QStringList{"a"});
        QCOMPARE(shell.queuedSearches(), 2);
        shell.finishSearchTurn();
        QCOMPARE(ran, (QStringList{"a", "b"}));
        shell.finishSearchTurn();
        shell.finishSearchTurn();
        QCOMPARE(ran, (QStringList{"a", "b", "c"}));
        QVERIFY(!shell.searchRunning());
        shell.runSearchInTurn([&] { ran << "d"; });
        QCOMPARE(ran.last(), QStringLiteral("d"));
    }
};

QTEST_GUILESS_MAIN(ServiceRulesTest)
#include "tst_ServiceRules.moc"
