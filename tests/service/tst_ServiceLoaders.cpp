#include "FakeExchange.h"
#include "RecordingView.h"
#include "ServiceTestWaits.h"
#include "app/SessionState.h"
#include "core/FieldScrambler.h"
#include "service/HttpClient.h"
#include "service/ServicePort.h"
#include "service/ShellState.h"
#include "service/TCargoList.h"
#include "service/TGetBaseInfoThd.h"
#include "service/TMyInfothd.h"
#include "service/TThdAdInfo.h"
#include "service/TThdAirPrice.h"
#include "service/TThdOrderInfo.h"
#include "service/TThdSeaLine.h"
#include "service/TThdTrianInfo.h"
#include "service/WebRoutes.h"
#include "service/searchCarogThread.h"

#include <QElapsedTimer>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

// A scrambled list of land listings; every `untitledEvery`-th one has a blank title.
QString landList(int count, int untitledEvery = 0)
{
    QStringList items;
    for (int i = 1; i <= count; ++i) {
        const bool untitled = untitledEvery > 0 && i % untitledEvery == 0;
        items << QStringLiteral(
                     R"({"id":%1,"title":"%2","itype":"1","issueat":"2026-12-08 10:%3:00",)"
                     R"("senderid":"%4","contact":"C%1","position":"P%1"})")
                     .arg(i)
                     .arg(untitled ? QStringLiteral(" ") : QStringLiteral("货物%1").arg(i))
                     .arg(i % 60, 2, 10, QLatin1Char('0'))
                     .arg(i % 2 ? QStringLiteral("-1") : QStringLiteral("user%1").arg(i));
    }
    return ScrambleField(QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']'));
}

QString paramOf(const FakeExchange::Call& call, const QString& name)
{
    for (const auto& param : call.params) {
        if (param.first == name) {
            return param.second;
        }
    }
    return QStringLiteral("<missing>");
}

// Parallel requests may reach the server in any order.
FakeExchange::Call callNamed(const FakeExchange& fake, const QString& operation)
{
    for (const auto& call : fake.calls) {
        if (call.operation == operation) {
            return call;
        }
    }
    return FakeExchange::Call();
}

QStringList paramNames(const FakeExchange::Call& call)
{
    QStringList names;
    for (const auto& param : call.params) {
        names << param.first;
    }
    return names;
}

// Reads a request envelope the way a strict RPC/encoded service does and returns what it
// would refuse, or nothing: namespaces declared, one operation element in the service's
// namespace inside the Body, SOAP encoding named by an encodingStyle in scope there, and
// each parameter an unqualified accessor whose xsi:type resolves to XML Schema's string.
QString strictReaderRefusal(const QByteArray& envelope, const QString& operation,
                            const ServiceParams& params)
{
    const QString envelopeNs = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
    const QString encodingNs = QStringLiteral("http://schemas.xmlsoap.org/soap/encoding/");
    const QString instanceNs = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
    const QString schemaNs = QStringLiteral("http://www.w3.org/2001/XMLSchema");
    QXmlStreamReader xml(envelope);
    QList<QMap<QString, QString>> scopes; // prefix -> namespace, one map per open element
    QStringList styles;                   // encodingStyle in scope, one per open element
    int depth = 0;
    bool inBody = false;
    int operations = 0;
    int param = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            scopes.removeLast();
            styles.removeLast();
            if (depth == 1) {
                inBody = false;
            }
            continue;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        ++depth;
        QMap<QString, QString> scope = scopes.isEmpty() ? QMap<QString, QString>() : scopes.last();
        for (const auto& declaration : xml.namespaceDeclarations()) {
            scope[declaration.prefix().toString()] = declaration.namespaceUri().toString();
        }
        scopes.append(scope);
        const QString style = xml.attributes().value(envelopeNs, "encodingStyle").toString();
        styles.append(style.isEmpty() && !styles.isEmpty() ? styles.last() : style);
        const QString ns = xml.namespaceUri().toString();
        const QString name = xml.name().toString();
        if (depth == 1 && (ns != envelopeNs || name != QLatin1String("Envelope"))) {
            return QStringLiteral("the root is {%1}%2, not a SOAP 1.1 Envelope").arg(ns, name);
        }
        if (depth == 2 && ns == envelopeNs && name == QLatin1String("Body")) {
            inBody = true;
        } else if (depth == 3 && inBody) {
            ++operations;
            if (ns != QLatin1String("urn:Marovinta_Service") || name != operation) {
                return QStringLiteral("the Body holds {%1}%2").arg(ns, name);
            }
            if (styles.last().split(QLatin1Char(' ')).value(0) != encodingNs) {
                return QStringLiteral("no SOAP encodingStyle in scope of the operation, but '%1'")
                    .arg(styles.last());
            }
        } else if (depth == 4 && inBody) {
            if (param >= params.size() || name != params.at(param).first || !ns.isEmpty()) {
                return QStringLiteral("unexpected accessor {%1}%2").arg(ns, name);
            }
            const QString type = xml.attributes().value(instanceNs, "type").toString();
            const QString prefix = type.section(QLatin1Char(':'), 0, 0);
            if (!type.contains(QLatin1Char(':')) || scope.value(prefix) != schemaNs ||
                type.section(QLatin1Char(':'), 1) != QLatin1String("string")) {
                return QStringLiteral("the accessor %1 is typed '%2'").arg(name, type);
            }
            const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (text != params.at(param).second) {
                return QStringLiteral("the accessor %1 carries '%2'").arg(name, text);
            }
            ++param;
            --depth;
            scopes.removeLast();
            styles.removeLast();
        } else if (depth > 2 && inBody) {
            return QStringLiteral("unexpected element %1").arg(name);
        }
    }
    if (xml.hasError()) {
        return QStringLiteral("not namespace-well-formed XML: %1").arg(xml.errorString());
    }
    if (operations != 1 || param != params.size()) {
        return QStringLiteral("%1 operations, %2 of %3 parameters")
            .arg(operations)
            .arg(param)
            .arg(params.size());
    }
    return QString();
}

} // namespace

// The HTTP layer, the service port and every loader and fetch against a scripted exchange.
class ServiceLoadersTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeExchange> fake;
    RecordingView* view = nullptr;
    bool connected = true;

    static constexpr int waitMs = 20000;

    bool runJob(LoaderJob& job) { return RunJobToEnd(job, waitMs); }

    HttpReply fetch(HttpClient& client, const QString& address)
    {
        return AwaitAnswer<HttpReply>([&](HttpClient::Callback done) { client.get(address, done); },
                                      waitMs);
    }

    ServiceResult callPort(Marovinta_ServicePort& port, const QString& operation,
                           const ServiceParams& params)
    {
        return AwaitAnswer<ServiceResult>(
            [&](ServiceCallback done) { port.call(operation, params, done); }, waitMs);
    }

private Q_SLOTS:
    void init()
    {
        fake = std::make_unique<FakeExchange>();
        resetSession();
        session().HostName = QStringLiteral("localhost");
        session().baseurl = QStringLiteral(":%1").arg(fake->port());
        session().wsdluri = fake->descriptionAddress();
        session().loginIdentity = QStringLiteral("zhangwei@localhost");
        shellState().reset();
        connected = true;
        shellState().setConnectedProbe([this] { return connected; });
        view = new RecordingView;
    }
    void cleanup()
    {
        delete view;
        fake.reset();
    }

    void httpRequestsKeepHostAndText()
    {
        fake->setRoute(QStringLiteral("/index.php/User/getUserInfo/loginname/李 四?#%"), "hi");
        HttpClient client;
        const HttpReply reply = fetch(client, WebRoutes::userInfo(QStringLiteral("李 四?#%")));
        QVERIFY2(reply.ok, qPrintable(reply.error));
        QCOMPARE(reply.body, QByteArray("hi"));
        const auto& request = fake->requests.last();
        QCOMPARE(request.headers.value("host"),
                 QStringLiteral("www.localhost:%1").arg(fake->port()).toUtf8());
        QCOMPARE(request.headers.value("user-agent"), QByteArray(HttpClient::UserAgent));
        QVERIFY(!request.headers.contains("accept") ||
                request.headers.value("accept") != "text/html, */*");

        HttpClient windowClient;
        windowClient.useWindowClientSettings();
        fetch(windowClient, WebRoutes::userInfo(QStringLiteral("x")));
        QCOMPARE(fake->requests.last().headers.value("accept"), QByteArray("text/html, */*"));
        QCOMPARE(fake->requests.last().headers.value("content-type"), QByteArray("text/html"));
    }

    void httpFormPost()
    {
        fake->setRoute(QStringLiteral("/index.php/User/updatepro/"), "TRUE");
        HttpClient client;
        client.useWindowClientSettings();
        HttpReply result;
        bool done = false;
        client.postForm(WebRoutes::updateProfile(), {{"id", "7"}, {"address", "上海 浦东&1"}},
                        [&](const HttpReply& reply) {
                            result = reply;
                            done = true;
                        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QVERIFY(result.ok);
        const auto& request = fake->requests.last();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.headers.value("content-type"),
                 QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(request.body,
                 QByteArray("id=7&address=%E4%B8%8A%E6%B5%B7%20%E6%B5%A6%E4%B8%9C%261"));
    }

    void httpFailuresAreReported()
    {
        HttpClient client;
        HttpReply missing = fetch(client, fake->site() + QStringLiteral("/nothing"));
        QVERIFY(!missing.ok);
        QCOMPARE(missing.status, 404);
        QVERIFY(!missing.error.isEmpty());

        // A server that never answers ends in a failed request, not in a wait forever.
        fake->hangRoute(QStringLiteral("/slow"));
        client.setDeadlineMs(300);
        HttpReply slow = fetch(client, fake->site() + QStringLiteral("/slow"));
        QVERIFY(!slow.ok);
        QVERIFY2(!slow.error.contains(QLatin1String("in vain")), qPrintable(slow.error));

        // No callback after the client is gone.
        fake->hangRoute(QStringLiteral("/slow2"));
        bool called = false;
        auto* doomed = new HttpClient;
        doomed->get(fake->site() + QStringLiteral("/slow2"),
                    [&](const HttpReply&) { called = true; });
        QTRY_VERIFY_WITH_TIMEOUT(fake->requests.size() == 3, 20000);
        delete doomed;
        QTest::qWait(50);
        QVERIFY(!called);
    }

    // Every request ends at its deadline, however steadily the server trickles, and at its
    // answer cap, whether the server announces the size or just keeps sending.
    void httpRequestsEndAtTheirDeadlineAndCap()
    {
        fake->setRouteFlow(QStringLiteral("/trickle"), FakeExchange::Flow::Trickle);
        HttpClient client;
        const int deadlineMs = 4 * FakeExchange::TrickleIntervalMs;
        client.setDeadlineMs(deadlineMs);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("abandoning the request .*/trickle"));
        QElapsedTimer clock;
        clock.start();
        const HttpReply trickled = fetch(client, fake->site() + QStringLiteral("/trickle"));
        QVERIFY(!trickled.ok);
        QVERIFY2(clock.elapsed() >= deadlineMs - 50 && clock.elapsed() < deadlineMs + 2000,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(trickled.error.contains(QString::number(deadlineMs)), qPrintable(trickled.error));

        const qint64 cap = 256 * 1024;
        client.setDeadlineMs(60000);
        client.setMaxAnswerBytes(cap);
        for (const auto flow : {FakeExchange::Flow::Flood, FakeExchange::Flow::FloodDeclared}) {
            fake->setRouteFlow(QStringLiteral("/flood"), flow);
            clock.restart();
            const HttpReply flooded = fetch(client, fake->site() + QStringLiteral("/flood"));
            QVERIFY(!flooded.ok);
            QVERIFY(flooded.body.isEmpty());
            QVERIFY2(flooded.error.contains(QString::number(cap)), qPrintable(flooded.error));
            QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        }

        // An answer within both bounds still arrives whole.
        const QByteArray fits(cap, 'y');
        fake->setRoute(QStringLiteral("/fits"), fits);
        const HttpReply whole = fetch(client, fake->site() + QStringLiteral("/fits"));
        QVERIFY2(whole.ok, qPrintable(whole.error));
        QCOMPARE(whole.body, fits);
    }

    // The service description and the calls are held to the same bounds.
    void portCallsEndAtTheirDeadlineAndCap()
    {
        const HttpLimits limits{4 * FakeExchange::TrickleIntervalMs, 256 * 1024};
        fake->setResult("cargoCount", "5");
        fake->setResult("cargoListpro", landList(3));
        fake->setOperationFlow("cargoCount", FakeExchange::Flow::Trickle);
        fake->setOperationFlow("cargoListpro", FakeExchange::Flow::Flood);
        std::unique_ptr<Marovinta_ServicePort> port(
            OpenServicePort(true, session().wsdluri, nullptr, limits));
        QElapsedTimer clock;
        clock.start();
        const ServiceResult count = callPort(*port, "cargoCount", {{"fromcity", "上海"}});
        QVERIFY(!count.ok);
        QVERIFY2(clock.elapsed() < limits.deadlineMs + 2000,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(count.error.contains(QString::number(limits.deadlineMs)), qPrintable(count.error));

        clock.restart();
        const ServiceResult list = callPort(*port, "cargoListpro", {{"fromcity", "上海"}});
        QVERIFY(!list.ok);
        QVERIFY2(list.error.contains(QString::number(limits.maxAnswerBytes)),
                 qPrintable(list.error));
        QVERIFY2(clock.elapsed() < limits.deadlineMs, qPrintable(QString::number(clock.elapsed())));

        // The port still serves calls afterwards.
        fake->setOperationFlow("cargoCount", FakeExchange::Flow::Whole);
        const ServiceResult again = callPort(*port, "cargoCount", {{"fromcity", "上海"}});
        QVERIFY2(again.ok, qPrintable(again.error));
        QCOMPARE(again.value, QStringLiteral("5"));

        fake->setRouteFlow(QStringLiteral("/wsdl"), FakeExchange::Flow::Trickle);
        std::unique_ptr<Marovinta_ServicePort> stalled(
            OpenServicePort(true, session().wsdluri, nullptr, limits));
        clock.restart();
        const ServiceResult described = callPort(*stalled, "cargoCount", {});
        QVERIFY(!described.ok);
        QVERIFY2(clock.elapsed() < limits.deadlineMs + 2000,
                 qPrintable(QString::number(clock.elapsed())));
    }

    // What a strict RPC/encoded service reads from the envelope of a call.
    void portEnvelopeIsRpcEncoded()
    {
        fake->setResult("cargoSearch", "[]");
        std::unique_ptr<Marovinta_ServicePort> port(OpenServicePort(true, session().wsdluri));
        const ServiceParams params = {
            {"fromcity", "上海"}, {"tocity", "北京,天津,"}, {"category", ""},  {"citytype", "1"},
            {"pagenumber", "1"},  {"ssticket", ""},         {"blocal", "<0&>"}};
        QVERIFY(callPort(*port, "cargoSearch", params).ok);
        QCOMPARE(fake->requests.last().path, QStringLiteral("/soap"));
        const QByteArray sent = fake->requests.last().body;
        const QString refusal = strictReaderRefusal(sent, "cargoSearch", params);
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal + "\n" + QString::fromUtf8(sent)));
    }

    void portSendsEveryOperationAsTheServiceExpects()
    {
        struct Op
        {
            QString name;
            QStringList params;
        };
        const QList<Op> ops = {
            {"cargoListpro",
             {"fromcity", "tocity", "category", "pagenumber", "ssticket", "blocal"}},
            {"cargoSearch",
             {"fromcity", "tocity", "category", "citytype", "pagenumber", "ssticket", "blocal"}},
            {"cargoCount", {"fromcity", "tocity", "category", "ssticket", "blocal"}},
            {"getAirPriceList",
             {"airLine", "aircompany", "startcn", "starten", "pagenumber", "ssticket"}},
            {"getAirPriceCount", {"airLine", "aircompany", "startcn", "starten", "ssticket"}},
            {"getSealineCount", {"startport", "toport", "company", "sealine", "sticket"}},
            {"getSealineList",
             {"startport", "toport", "company", "sealine", "pagenumber", "sticket"}},
            {"getTrianCount",
             {"triamnum", "fromcity", "startport2", "toport2", "tocity", "sticket"}},
            {"getTrianList",
             {"triamnum", "fromcity", "startport2", "toport2", "tocity", "pagenumber", "sticket"}},
            {"orderInfo", {"citylst", "pagenumber", "ssticket"}},
            {"orderInfoCount", {"citylst", "ssticket"}},
        };
        for (const Op& op : ops) {
            fake->setResult(op.name, op.name + QStringLiteral("-答"));
        }
        std::unique_ptr<Marovinta_ServicePort> port(OpenServicePort(true, session().wsdluri));
        // Each typed operation, with its arguments numbered by position.
        QList<ServiceResult> results;
        auto keep = [&](const ServiceResult& r) { results << r; };
        port->cargoListpro("a1", "a2", "a3", "a4", "", "a6", keep);
        port->cargoSearch("b1", "b2", "b3", "b4", "b5", "", "b7", keep);
        port->cargoCount("c1", "c2", "c3", "", "c5", keep);
        port->getAirPriceList("d1", "d2", "d3", "d4", "d5", "", keep);
        port->getAirPriceCount("e1", "e2", "e3", "e4", "", keep);
        port->getSealineCount("f1", "f2", "f3", "f4", "", keep);
        port->getSealineList("g1", "g2", "g3", "g4", "g5", "", keep);
        port->getTrianCount("h1", "h2", "h3", "h4", "h5", "", keep);
        port->getTrianList("i1", "i2", "i3", "i4", "i5", "i6", "", keep);
        port->orderInfo("'上海','北京'", "j2", "", keep);
        port->orderInfoCount("k1", "", keep);
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), ops.size(), 20000);
        QCOMPARE(port->endpoint(), fake->site() + QStringLiteral("/soap"));

        QCOMPARE(fake->calls.size(), ops.size());
        for (const FakeExchange::Call& call : fake->calls) {
            const auto op = std::find_if(ops.begin(), ops.end(),
                                         [&](const Op& o) { return o.name == call.operation; });
            QVERIFY2(op != ops.end(), qPrintable(call.operation));
            QCOMPARE(paramNames(call), op->params);
            QCOMPARE(call.elementNamespace, QStringLiteral("urn:Marovinta_Service"));
            QCOMPARE(QString::fromUtf8(call.soapAction).remove(QLatin1Char('"')),
                     QStringLiteral("urn:Marovinta_Service#Cargo#") + call.operation);
            QCOMPARE(call.host, QStringLiteral("www.localhost:%1").arg(fake->port()).toUtf8());
            for (const QString& type : call.paramTypes) {
                QCOMPARE(type, QStringLiteral("xsd:string"));
            }
            const QString ticket = op->params.contains("sticket") ? "sticket" : "ssticket";
            QCOMPARE(paramOf(call, ticket), QString());
        }
        for (const ServiceResult& r : results) {
            QVERIFY2(r.ok, qPrintable(r.error));
            QVERIFY(r.value.endsWith(QStringLiteral("-答")));
        }
        const auto search = callNamed(*fake, "cargoSearch");
        QCOMPARE(paramOf(search, "citytype"), QStringLiteral("b4"));
        QCOMPARE(paramOf(search, "blocal"), QStringLiteral("b7"));
        QCOMPARE(paramOf(callNamed(*fake, "orderInfo"), "citylst"),
                 QStringLiteral("'上海','北京'"));
    }

    void portReportsFaultsAndBrokenDescriptions()
    {
        fake->setFault("cargoCount", "数据库不可用");
        std::unique_ptr<Marovinta_ServicePort> port(OpenServicePort(true, session().wsdluri));
        ServiceResult fault = callPort(*port, "cargoCount", {{"fromcity", "x"}});
        QVERIFY(!fault.ok);
        QVERIFY2(fault.error.contains(QStringLiteral("数据库不可用")), qPrintable(fault.error));

        fake->breakDescription();
        std::unique_ptr<Marovinta_ServicePort> broken(OpenServicePort(true, session().wsdluri));
        ServiceResult noEndpoint = callPort(*broken, "cargoCount", {});
        QVERIFY(!noEndpoint.ok);
        QVERIFY(!noEndpoint.error.isEmpty());
        // Later calls on the same port fail the same way.
        QVERIFY(!callPort(*broken, "orderInfoCount", {}).ok);

        // Direct mode talks to the endpoint without a description.
        fake->setResult("orderInfoCount", "12");
        std::unique_ptr<Marovinta_ServicePort> direct(
            OpenServicePort(false, fake->site() + QStringLiteral("/soap")));
        const ServiceResult directCount = callPort(*direct, "orderInfoCount", {{"citylst", ""}});
        QVERIFY2(directCount.ok, qPrintable(directCount.error));
        QCOMPARE(directCount.value, QStringLiteral("12"));

        std::unique_ptr<Marovinta_ServicePort> nowhere(
            OpenServicePort(true, fake->site() + QStringLiteral("/missing-wsdl")));
        QVERIFY(!callPort(*nowhere, "cargoCount", {}).ok);
        QCOMPARE(fake->operations(), (QStringList{"cargoCount", "orderInfoCount"}));
    }

    void landLoadCapsRowsAndKeepsFullCount()
    {
        fake->setResult("cargoCount", "523");
        fake->setResult("cargoListpro", landList(130, 10));
        shellState().landViewKind = 2;
        TCargoList job(view);
        job.setParams("上海", "", "ignored", false, 1, true);
        QSignalSpy finished(&job, &LoaderJob::finished);
        job.setAutoDelete(false);
        job.start();
        QVERIFY(shellState().loading);
        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("装载数据中，请稍候..."));
        QVERIFY(finished.wait(20000));
        QVERIFY2(job.lastError().isEmpty(), qPrintable(job.lastError()));

        QCOMPARE(fake->operations(), (QStringList{"cargoCount", "cargoListpro"}));
        const auto count = fake->calls.at(0);
        QCOMPARE(paramOf(count, "fromcity"), QStringLiteral("上海"));
        QCOMPARE(paramOf(count, "tocity"), QString());
        QCOMPARE(paramOf(count, "category"), QStringLiteral("1"));
        QCOMPARE(paramOf(count, "blocal"), QStringLiteral("1"));
        QCOMPARE(paramOf(fake->calls.at(1), "pagenumber"), QStringLiteral("1"));

        const auto rows = view->rowsOf<LandRow>(ListingGrid::InfoGrd);
        QCOMPARE(view->grids[ListingGrid::InfoGrd].rows.size(), 100);
        QCOMPARE(rows.size(), 100); // untitled listings leave no gap
        QCOMPARE(rows.at(8).id, QStringLiteral("9"));
        QCOMPARE(rows.at(9).id, QStringLiteral("11"));
        QCOMPARE(rows.at(0).senderIcon, AgentImage);
        QCOMPARE(rows.at(1).senderIcon, ChatImage);
        QCOMPARE(rows.at(0).shortTime, QStringLiteral("12-08 10:01"));
        QCOMPARE(view->outOfRangePuts, 0);

        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("上海：523"));
        QCOMPARE(view->labels.value("lblTypes"), QStringLiteral("[本地货源]"));
        QCOMPARE(shellState().listingCounter, 523);
        QVERIFY(!shellState().loading);
        QVERIFY(view->shows("nbmain", "InfoPage"));
        QVERIFY(view->shows("nbNav", "pgLand"));
        QVERIFY(view->shows("nbInfo", "pgGrd"));
        QVERIFY(view->panels.contains("pnlTop"));
    }

    void landLoadWithoutListingsLeavesOneEmptyRow_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("zero") << "0";
        QTest::newRow("not a number") << "many";
        QTest::newRow("negative") << "-3";
    }
    void landLoadWithoutListingsLeavesOneEmptyRow()
    {
        QFETCH(QString, answer);
        fake->setResult("cargoCount", answer);
        fake->setResult("cargoListpro", landList(5));
        view->setRowCount(ListingGrid::InfoGrd, 30);
        view->putLandRow(ListingGrid::InfoGrd, 0, LandRow::build("1", "旧", "1", "", "", "", ""));
        shellState().listingCounter = 9;
        shellState().landViewKind = 8;
        TCargoList job(view);
        job.setParams("", "北京", "", false, 1, false);
        QVERIFY(runJob(job));
        QCOMPARE(fake->operations(), QStringList{"cargoCount"});
        QCOMPARE(view->grids[ListingGrid::InfoGrd].rows.size(), 1);
        QVERIFY(view->rowIsEmpty(ListingGrid::InfoGrd, 0));
        QCOMPARE(shellState().listingCounter, 0);
        QCOMPARE(view->labels.value("lblTypes"), QStringLiteral("[回程货源]"));
        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("北京：0"));
        QVERIFY(!shellState().loading);
    }

    void landLoadWithoutCitiesFetchesNothing()
    {
        shellState().listingCounter = 4;
        shellState().landViewKind = 1;
        TCargoList job(view);
        job.setParams(" ", "", "", false, 1, true);
        QVERIFY(runJob(job));
        QVERIFY(fake->requests.isEmpty());
        QCOMPARE(view->labels.value("lblTypes"), QStringLiteral("[本地信息]"));
        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("：4"));
        QVERIFY(!shellState().loading);
    }

    void landLoadErrorsStillRunTheFinishingStep()
    {
        fake->setFault("cargoCount", "boom");
        view->setRowCount(ListingGrid::InfoGrd, 2);
        view->putLandRow(ListingGrid::InfoGrd, 1, LandRow::build("7", "留下", "1", "", "", "", ""));
        TCargoList job(view);
        job.setParams("上海", "", "", false, 1, true);
        QVERIFY(runJob(job));
        QVERIFY(!job.lastError().isEmpty());
        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("上海：0"));
        QCOMPARE(view->rowsOf<LandRow>(ListingGrid::InfoGrd).value(0).id, QStringLiteral("7"));
        QVERIFY(!shellState().loading);

        // A list answer that is no JSON list leaves the sized rows empty.
        fake->setResult("cargoCount", "3");
        fake->setResult("cargoListpro", ScrambleField("{\"title\":\"x\"}"));
        TCargoList second(view);
        second.setParams("上海", "", "", false, 1, true);
        QVERIFY(runJob(second));
        QCOMPARE(view->grids[ListingGrid::InfoGrd].rows.size(), 3);
        QVERIFY(view->rowsOf<LandRow>(ListingGrid::InfoGrd).isEmpty());
        QVERIFY(!shellState().loading);

        // An unreachable service ends the same way.
        session().wsdluri = QStringLiteral("http://127.0.0.1:1/wsdl");
        TCargoList third(view);
        third.setParams("上海", "", "", false, 1, true);
        QVERIFY(runJob(third));
        QVERIFY(!third.lastError().isEmpty());
        QVERIFY(!shellState().loading);
    }

    // A load whose service stalls or floods ends at the bound it ran into.
    void landLoadEndsWhenTheServiceStalls_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<FakeExchange::Flow>("flow");
        QTest::addColumn<bool>("ranOutOfTime");
        QTest::newRow("description trickles") << "/wsdl"
                                              << "" << FakeExchange::Flow::Trickle << true;
        QTest::newRow("count trickles") << ""
                                        << "cargoCount" << FakeExchange::Flow::Trickle << true;
        QTest::newRow("list trickles") << ""
                                       << "cargoListpro" << FakeExchange::Flow::Trickle << true;
        QTest::newRow("list floods") << ""
                                     << "cargoListpro" << FakeExchange::Flow::Flood << false;
        QTest::newRow("list announces a flood")
            << ""
            << "cargoListpro" << FakeExchange::Flow::FloodDeclared << false;
    }
    void landLoadEndsWhenTheServiceStalls()
    {
        QFETCH(QString, path);
        QFETCH(QString, operation);
        QFETCH(FakeExchange::Flow, flow);
        QFETCH(bool, ranOutOfTime);
        fake->setResult("cargoCount", "4");
        fake->setResult("cargoListpro", landList(4));
        if (!path.isEmpty()) {
            fake->setRouteFlow(path, flow);
        } else {
            fake->setOperationFlow(operation, flow);
        }
        shellState().landViewKind = 1;
        TCargoList job(view);
        job.setParams("上海", "", "", false, 1, true);
        const HttpLimits limits{4 * FakeExchange::TrickleIntervalMs, 256 * 1024};
        job.setRequestLimits(limits);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(RunJobToEnd(job, 3 * limits.deadlineMs + 2000));
        QVERIFY2(clock.elapsed() < 3 * limits.deadlineMs + 2000,
                 qPrintable(QString::number(clock.elapsed())));
        const QString bound = ranOutOfTime ? QString::number(limits.deadlineMs)
                                           : QString::number(limits.maxAnswerBytes);
        QVERIFY2(job.lastError().contains(bound), qPrintable(job.lastError()));
        QVERIFY(!shellState().loading);
        QCOMPARE(view->labels.value("lblTypes"), QStringLiteral("[本地信息]"));
        QVERIFY(view->rowsOf<LandRow>(ListingGrid::InfoGrd).isEmpty());
    }

    void loadsDoNothingWhileDisconnected()
    {
        connected = false;
        TCargoList land(view);
        land.setParams("上海", "", "", false, 1, true);
        QVERIFY(runJob(land));
        TThdOrderInfo order(view);
        order.setParams("'上海'", false, 1);
        QVERIFY(runJob(order));
        searchCarogThread search(view);
        search.setParams("上海", {"北京"}, "", "1");
        QVERIFY(runJob(search));
        QVERIFY(fake->requests.isEmpty());
        QVERIFY(view->labels.isEmpty());
        QVERIFY(!shellState().loading);
        QVERIFY(!shellState().searchRunning());
    }

    void subscriptionLoadCapsAt200()
    {
        fake->setResult("orderInfoCount", "523");
        fake->setResult("orderInfo", landList(210));
        TThdOrderInfo job(view);
        job.setParams("'上海','北''京'", false, 1);
        job.setAutoDelete(false);
        QSignalSpy finished(&job, &LoaderJob::finished);
        job.start();
        QCOMPARE(view->labels.value("lblTypes"), QStringLiteral("[定制信息]"));
        QVERIFY(shellState().loading);
        QVERIFY(finished.wait(20000));
        QCOMPARE(fake->operations(), (QStringList{"orderInfoCount", "orderInfo"}));
        QCOMPARE(paramOf(fake->calls.at(0), "citylst"), QStringLiteral("'上海','北''京'"));
        QCOMPARE(view->rowsOf<LandRow>(ListingGrid::InfoGrd).size(), 200);
        QCOMPARE(view->labels.value("lblCount1"), QStringLiteral("上海,北京：200"));
        QCOMPARE(shellState().listingCounter, 523);
        QVERIFY(!shellState().loading);
    }

    void searchesRunOneAfterAnother()
    {
        fake->setResult("cargoSearch", landList(3));
        auto* first = new searchCarogThread(view);
        auto* second = new searchCarogThread(view);
        first->setParams("上海", {"北京", "天津", "沈阳"}, "1", "1");
        second->setParams("广州", {"深圳"}, "", "1");
        QSignalSpy firstDone(first, &LoaderJob::finished);
        QSignalSpy secondDone(second, &LoaderJob::finished);
        first->start();
        second->start();
        QVERIFY(shellState().searchRunning());
        QCOMPARE(shellState().queuedSearches(), 1);
        QVERIFY(secondDone.wait(20000) || secondDone.count() == 1);
        QCOMPARE(firstDone.count(), 1);

        QCOMPARE(fake->operations(), (QStringList{"cargoSearch", "cargoSearch"}));
        const auto call = fake->calls.at(0);
        QCOMPARE(paramOf(call, "tocity"), QStringLiteral("沈阳,天津,北京,"));
        QCOMPARE(paramOf(call, "citytype"), QStringLiteral("1"));
        QCOMPARE(paramOf(call, "category"), QStringLiteral("1"));
        QCOMPARE(paramOf(call, "pagenumber"), QStringLiteral("1"));
        QCOMPARE(paramOf(call, "blocal"), QStringLiteral("0"));
        QCOMPARE(paramOf(fake->calls.at(1), "fromcity"), QStringLiteral("广州"));

        // The second search cleared the grid only after the first had finished.
        const QString clear = QStringLiteral("clear:%1").arg(int(ListingGrid::searchGrd));
        const QString firstLabel = QStringLiteral("lblCount1S=3 [上海 -> 沈阳,天津,北京,]");
        const QString secondLabel = QStringLiteral("lblCount1S=3 [广州 -> 深圳,]");
        const QStringList searchEvents =
            view->events.filter(QRegularExpression("clear|lblCount1S"));
        QCOMPARE(searchEvents, (QStringList{clear, firstLabel, clear, secondLabel}));
        QCOMPARE(view->labels.value("lblTypesS"), QStringLiteral(" 搜索结果："));
        const auto rows = view->rowsOf<LandRow>(ListingGrid::searchGrd);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(0).shortTime, QStringLiteral("12-08 10:01:00"));
        QVERIFY(view->panels.contains("pnlSearchGrd"));
        QVERIFY(!shellState().searchRunning());
        QVERIFY(!shellState().loading);
    }

    void searchFailureHandsTheTurnOn()
    {
        fake->setFault("cargoSearch", "down");
        searchCarogThread failing(view);
        failing.setParams("上海", {"北京"}, "", "1");
        QVERIFY(runJob(failing));
        QVERIFY(!shellState().searchRunning());
        QCOMPARE(view->labels.value("lblCount1S"), QStringLiteral("0 [上海 -> 北京,]"));

        // A queued search destroyed before its turn does not block the next one.
        fake->setResult("cargoSearch", landList(1));
        auto* running = new searchCarogThread(view);
        running->setParams("a", {"b"}, "", "1");
        auto* dropped = new searchCarogThread(view);
        dropped->setParams("c", {"d"}, "", "1");
        running->start();
        dropped->start();
        delete dropped;
        QSignalSpy done(running, &LoaderJob::finished);
        QVERIFY(done.wait(20000));
        QVERIFY(!shellState().searchRunning());
    }

    void airLoadFillsBelowTheHeader()
    {
        fake->setResult("getAirPriceCount", "2");
        fake->setResult("getAirPriceList",
                        ScrambleField(R"([{"startcn":"浦东","starten":"PVG","price":"9"},5,)"
                                      R"({"startcn":"虹桥","starten":"SHA","sender":"-1"}])"));
        TThdAirPrice job(view);
        job.setParams("", "", "浦东", "PVG", 1, false, "[国内空港]", "浦东");
        QVERIFY(runJob(job));
        const auto names = fake->operations();
        QCOMPARE(names, (QStringList{"getAirPriceCount", "getAirPriceList"}));
        QCOMPARE(paramOf(fake->calls.at(0), "startcn"), QStringLiteral("浦东"));
        QCOMPARE(paramOf(fake->calls.at(0), "starten"), QStringLiteral("PVG"));
        const auto& grid = view->grids[ListingGrid::airInfoGrd];
        QCOMPARE(grid.rows.size(), 3);
        QVERIFY(view->rowIsEmpty(ListingGrid::airInfoGrd, 0));
        QCOMPARE(std::get<AirRow>(grid.rows.at(1)).departure, QStringLiteral("浦东(PVG)"));
        QCOMPARE(std::get<AirRow>(grid.rows.at(2)).senderIcon, AgentImage);
        QCOMPARE(grid.headers, (QStringList{"起始港", "目的港", "信息内容", "询价"}));
        QCOMPARE(view->labels.value("lblAirType"), QStringLiteral("[国内空港]"));
        QCOMPARE(view->labels.value("lblAirInfo"), QStringLiteral("浦东：2"));
        QVERIFY(view->shows("nbNav", "pgAirprice"));
        QVERIFY(view->shows("nbInfo", "pgAir"));
        QVERIFY(view->panels.contains("pnlAirTop"));
        QVERIFY(!shellState().loading);
    }

    void seaAndRailLoads()
    {
        fake->setResult("getSealineCount", "150");
        QStringList lines;
        for (int i = 0; i < 120; ++i) {
            lines << QStringLiteral(R"({"company":"C%1","startport":"大连港"})").arg(i);
        }
        fake->setResult("getSealineList", ScrambleField("[" + lines.join(",") + "]"));
        TThdSeaLine sea(view);
        sea.setParams("DALIAN", "", "", "", 1, false, "[海运航线]", "大连港");
        QVERIFY(runJob(sea));
        QCOMPARE(paramOf(fake->calls.at(0), "startport"), QStringLiteral("DALIAN"));
        QCOMPARE(view->grids[ListingGrid::seaInfoGrd].rows.size(), 101);
        QCOMPARE(view->rowsOf<SeaRow>(ListingGrid::seaInfoGrd).size(), 100);
        QCOMPARE(view->outOfRangePuts, 0);
        QCOMPARE(view->labels.value("lblSeaInfo"), QStringLiteral("大连港：100"));
        QCOMPARE(view->labels.value("lblSeaAction"), QStringLiteral("[海运航线]"));
        QCOMPARE(view->grids[ListingGrid::seaInfoGrd].headers.size(), 10);
        QVERIFY(view->shows("nbNav", "pgSea"));
        QVERIFY(view->shows("nbInfo", "pgSea"));

        fake->setResult("getTrianCount", "0");
        TThdTrianInfo rail(view);
        rail.setParams("", "哈尔滨", "", "", "", 1, false, "[铁路车次]", "哈尔滨");
        QVERIFY(runJob(rail));
        QCOMPARE(fake->operations().last(), QStringLiteral("getTrianCount"));
        QCOMPARE(paramOf(fake->calls.last(), "fromcity"), QStringLiteral("哈尔滨"));
        QCOMPARE(view->grids[ListingGrid::TrianInfoGrd].rows.size(), 2);
        QCOMPARE(view->grids[ListingGrid::TrianInfoGrd].clears, 1);
        QCOMPARE(view->labels.value("lblTrianInfo"), QStringLiteral("哈尔滨：0"));
        QCOMPARE(view->grids[ListingGrid::TrianInfoGrd].headers.size(), 8);
        QVERIFY(!shellState().loading);
    }

    void priceLoadsWithoutFiltersFetchNothing()
    {
        TThdAirPrice air(view);
        air.setParams("", " ", "", "", 1, false, "[航线服务]", "");
        QVERIFY(runJob(air));
        TThdSeaLine sea(view);
        sea.setParams("", "", "", "", 1, false, "[海运航线]", "x");
        QVERIFY(runJob(sea));
        TThdTrianInfo rail(view);
        rail.setParams("", "", "", "", "", 1, false, "[铁路车次]", "y");
        QVERIFY(runJob(rail));
        QVERIFY(fake->requests.isEmpty());
        QCOMPARE(view->labels.value("lblAirInfo"), QStringLiteral("：0"));
        QCOMPARE(view->labels.value("lblTrianAction"), QStringLiteral("[铁路车次]"));
        QVERIFY(!shellState().loading);
    }

    void profileFetchFillsProfileThenAlwaysContinues()
    {
        const QByteArray answer =
            "\xEF\xBB\xBF" +
            ScrambleField(R"({"id":"42","userlevel":3,"usercity":"上海","userprove":"上海",)"
                          R"("mobile":"13912345678901","company":"运友物流","sex":"男"})")
                .toLatin1() +
            "\r\n";
        fake->setRoute("/index.php/User/getUserInfo/loginname/zhangwei", answer);
        int afterLogin = 0;
        TMyInfothd job([&] { ++afterLogin; });
        QVERIFY(runJob(job));
        QCOMPARE(afterLogin, 1);
        const UserProfile& profile = session().profile;
        QCOMPARE(profile.id, 42);
        QCOMPARE(profile.userlevel, 3);
        QCOMPARE(profile.usercity, QStringLiteral("上海"));
        QCOMPARE(profile.mobile, QStringLiteral("13912345678"));
        QCOMPARE(profile.company, QStringLiteral("运友物流"));

        // Failures leave the profile as it was and still continue after login.
        session().loginIdentity = QStringLiteral("nobody@localhost");
        TMyInfothd missing([&] { ++afterLogin; });
        QVERIFY(runJob(missing));
        QCOMPARE(afterLogin, 2);
        QCOMPARE(session().profile.usercity, QStringLiteral("上海"));

        fake->setRoute("/index.php/User/getUserInfo/loginname/bad",
                       ScrambleField(R"({"id":"x1","usercity":"北京"})").toLatin1());
        session().loginIdentity = QStringLiteral("bad@localhost");
        TMyInfothd unreadable([&] { ++afterLogin; });
        QVERIFY(runJob(unreadable));
        QCOMPARE(afterLogin, 3);
        QCOMPARE(session().profile.usercity, QStringLiteral("上海"));
        QCOMPARE(session().profile.id, 42);
    }

    void advertisementFetch()
    {
        session().profile.usercity = QStringLiteral("上海");
        session().AppName = QStringLiteral("Tovanta");
        session().AppVersion = QStringLiteral("2.0.0.1");
        const QByteArray adList = R"([{"content":"广告","linkaddress":"http://x"}])";
        fake->setRoute("/index.php/Statusad/index/city/上海", adList);
        fake->setRoute("/index.php/Agentarea/getAgentContact/city/上海", "上海运营中心 021-1");
        fake->setRoute("/index.php/Cargo/getCargoCount", "320");
        TThdAdInfo job(view);
        QVERIFY(runJob(job));
        QVERIFY(job.succeeded());
        QStringList paths;
        for (const auto& request : fake->requests) {
            paths << request.path;
        }
        QCOMPARE(paths, (QStringList{"/index.php/Statusad/index/city/上海",
                                     "/index.php/Agentarea/getAgentContact/city/上海",
                                     "/index.php/Cargo/getCargoCount"}));
        QVERIFY(view->advertisementTimer);
        QCOMPARE(view->advertisementList, QString::fromUtf8(adList));
        QCOMPARE(view->labels.value("Label3"), QStringLiteral("全国:320"));
        QCOMPARE(shellState().nationalCount, 320);
        QCOMPARE(view->caption,
                 QStringLiteral("Tovanta 版本:2.0.0.1 - 入网及服务：上海运营中心 021-1"));
    }

    void advertisementFetchStopsAtTheFirstError()
    {
        session().profile.usercity = QStringLiteral("北京");
        fake->setRoute("/index.php/Statusad/index/city/北京", "[]");
        fake->setRoute("/index.php/Cargo/getCargoCount", "320");
        shellState().nationalCount = 5;
        TThdAdInfo job(view);
        QVERIFY(runJob(job));
        QVERIFY(!job.succeeded());
        QCOMPARE(fake->requests.size(), 2);
        QVERIFY(!view->advertisementTimer);
        QVERIFY(!view->labels.contains("Label3"));
        QCOMPARE(shellState().nationalCount, 5);
        QVERIFY(view->caption.isEmpty());

        // An empty count names no count; a count that is no number ends after Label3.
        fake->setRoute("/index.php/Agentarea/getAgentContact/city/北京", "");
        fake->setRoute("/index.php/Cargo/getCargoCount", "");
        TThdAdInfo empty(view);
        QVERIFY(runJob(empty));
        QCOMPARE(view->labels.value("Label3"), QStringLiteral("选择地区信息"));
        QVERIFY(view->advertisementTimer);
        fake->setRoute("/index.php/Agentarea/getAgentContact/city/北京", "联系");
        fake->setRoute("/index.php/Cargo/getCargoCount", "很多");
        TThdAdInfo wrong(view);
        QVERIFY(runJob(wrong));
        QCOMPARE(view->labels.value("Label3"), QStringLiteral("全国:很多"));
        QCOMPARE(shellState().nationalCount, 5);
        QVERIFY(view->caption.isEmpty());

        // An empty count still lets the agent contact into the caption.
        session().AppName = QStringLiteral("Tovanta");
        session().AppVersion = QStringLiteral("2.0.0.1");
        fake->setRoute("/index.php/Cargo/getCargoCount", "");
        TThdAdInfo uncounted(view);
        QVERIFY(runJob(uncounted));
        QCOMPARE(view->labels.value("Label3"), QStringLiteral("选择地区信息"));
        QCOMPARE(shellState().nationalCount, 5);
        QCOMPARE(view->caption, QStringLiteral("Tovanta 版本:2.0.0.1 - 入网及服务：联系"));
    }

    void baseInformationFetch()
    {
        fake->setRoute("/index.php/Agentarea/getAgentCSRUrl", "http://www.localhost/csr\r\n");
        fake->setRoute("/index.php/Agentarea/getfee",
                       R"([{"area":"上海"},3,{"area":"北京"},{"other":1}])");
        session().feeAreas = QStringList{"旧"};
        TGetBaseInfoThd job;
        QVERIFY(runJob(job));
        QCOMPARE(session().customerServiceUrl, QStringLiteral("http://www.localhost/csr"));
        QCOMPARE(session().feeAreas, (QStringList{"旧", "上海", "北京", ""}));

        fake->setRoute("/index.php/Agentarea/getAgentCSRUrl", "http://other");
        fake->setRoute("/index.php/Agentarea/getfee", "oops", 500);
        TGetBaseInfoThd failing;
        QVERIFY(runJob(failing));
        QCOMPARE(session().customerServiceUrl, QStringLiteral("http://other"));
        QCOMPARE(session().feeAreas.size(), 4);
    }
};

QTEST_GUILESS_MAIN(ServiceLoadersTest)
#include "tst_ServiceLoaders.moc"
