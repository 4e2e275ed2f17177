#include "RecordingBroadcastSink.h"
#include "im/BroadcastHandler.h"
#include "service/ShellState.h"

#include <QtTest>

namespace {

const QString kHost = QStringLiteral("localhost");
const QString kMe = QStringLiteral("lina@localhost");

QString elements(const QList<QPair<QString, QString>>& values)
{
    QString text;
    for (const auto& [name, value] : values)
        text += QStringLiteral("<%1>%2</%1>").arg(name, value);
    return text;
}

QString stanza(const QString& payload, const QString& body,
               const QString& to = QStringLiteral("lina@localhost/haulway"))
{
    return QStringLiteral("<message from='localhost' to='%1'><%2>%3</%2></message>")
        .arg(to, payload, body);
}

QString land(const QString& tag, const QString& fcity, const QString& tcity,
             const QString& tpy = QStringLiteral("1"),
             const QString& title = QStringLiteral("钢材 20吨"))
{
    return stanza(QStringLiteral("broadcastcargo"), elements({{"tag", tag},
                                                              {"fcity", fcity},
                                                              {"tcity", tcity},
                                                              {"id", "501"},
                                                              {"title", title},
                                                              {"tpy", tpy},
                                                              {"sender", "zhangwei"},
                                                              {"contact", "0A1B"},
                                                              {"isuat", "2026-12-08 19:30:05"},
                                                              {"postion", "上海"}}));
}

QString air(const QString& line, const QString& company, const QString& startcn,
            const QString& sender = QStringLiteral("chenjie"))
{
    return stanza(QStringLiteral("broadcastairprice"), elements({{"aircompany", company},
                                                                 {"line", line},
                                                                 {"startcn", startcn},
                                                                 {"starten", "PVG"},
                                                                 {"endcn", "成田"},
                                                                 {"enden", "NRT"},
                                                                 {"cycle", "1,3,5"},
                                                                 {"direct", "直达"},
                                                                 {"days", "2"},
                                                                 {"price", "100/300"},
                                                                 {"sender", sender},
                                                                 {"contact", "AB12"},
                                                                 {"mem", "备注"}}));
}

// The payload element of a genuine broadcast (what stanza() wraps).
QString payloadOf(const QString& genuine)
{
    const int start = genuine.indexOf(QStringLiteral("'>")) + 2;
    return genuine.mid(start, genuine.lastIndexOf(QStringLiteral("</message>")) - start);
}

} // namespace

class BroadcastHandlerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void matchingNeedsTheExactHeader();
    void forgedBroadcastsAreIgnored_data();
    void forgedBroadcastsAreIgnored();
    void familiesAreTriedInOrderAndOnlyOneIsHandled();
    void landRowIsParsedIntoTheRowRecord();
    void landNotFromRobotIsDroppedButCounted();
    void landTypeIcon_data();
    void landTypeIcon();
    void landCountGrowsWhateverThePage();
    void landFilterByViewKind_data();
    void landFilterByViewKind();
    void landSearchGridWhenPanelVisible();
    void airFilterBySelectionKind_data();
    void airFilterBySelectionKind();
    void airRowCellsAndAgentIcon();
    void seaAndRailAreUnfilteredAndMapped();
    void brokenBroadcastIsDroppedAndNextHandled();

private:
    RecordingBroadcastSink sink;
    ShellState shell;
    std::unique_ptr<BroadcastHandler> handler;
};

void BroadcastHandlerTest::init()
{
    sink = RecordingBroadcastSink();
    shell.reset();
    shell.currentCity = QStringLiteral("上海");
    handler = std::make_unique<BroadcastHandler>(&sink, &shell);
    handler->setAccount(kHost, kMe);
}

void BroadcastHandlerTest::matchingNeedsTheExactHeader()
{
    const QString good = land("robot", "上海", "北京");
    QVERIFY(handler->matches(BroadcastHandler::Land, good));
    QVERIFY(handler->matches(BroadcastHandler::Land, QStringLiteral("  \n") + good + "\r\n"));
    // Unquoted attribute values are no XML: the unit has no root element.
    QVERIFY(!handler->matches(BroadcastHandler::Land, QString(good).remove('\'')));

    QString doubleQuoted = good;
    doubleQuoted.replace('\'', '"');
    QVERIFY(!handler->matches(BroadcastHandler::Land, doubleQuoted));
    const QString otherResource =
        stanza("broadcastcargo", elements({{"tag", "robot"}}), "lina@localhost/phone");
    QVERIFY(!handler->matches(BroadcastHandler::Land, otherResource));
    const QString otherUser =
        stanza("broadcastcargo", elements({{"tag", "robot"}}), "zhangwei@localhost/haulway");
    QVERIFY(!handler->matches(BroadcastHandler::Land, otherUser));
    QString otherHost = good;
    otherHost.replace("from='localhost'", "from='lina@localhost'");
    QVERIFY(!handler->matches(BroadcastHandler::Land, otherHost));
    QString unclosed = good;
    unclosed.remove("</broadcastcargo>");
    QVERIFY(!handler->matches(BroadcastHandler::Land, unclosed));
    QVERIFY(!handler->matches(BroadcastHandler::Air, good));
    QVERIFY(!handler->matches(BroadcastHandler::Land, QStringLiteral("''  '")));

    QCOMPARE(handler->handleTrail(doubleQuoted), std::nullopt);
    QCOMPARE(handler->handleTrail(otherResource), std::nullopt);
    QVERIFY(sink.landRows.isEmpty());
    QCOMPARE(shell.nationalCount, 0);
}

void BroadcastHandlerTest::forgedBroadcastsAreIgnored_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("unit");
    const QString header = QStringLiteral("<message from='localhost' to='lina@localhost/haulway'>");
    const QString chat = QStringLiteral(
        "<message from='zhangwei@localhost/haulway' to='lina@localhost/haulway' type='chat'>");
    const QList<QPair<ShellPage, QString>> genuine = {
        {ShellPage::InfoLand, land("robot", "上海", "北京")},
        {ShellPage::InfoAir, air("日本", "CA 国航", "浦东", "-1")},
        {ShellPage::InfoSea,
         stanza("broadcastsealine",
                elements({{"startport", "上海"}, {"toport", "鹿特丹"}, {"sender", "-1"}}))},
        {ShellPage::InfoRail,
         stanza("broadcasttrianinfo", elements({{"triannum", "X8001"}, {"sender", "-1"}}))}};
    for (const auto& [page, text] : genuine) {
        const QString payload = payloadOf(text);
        const QString name = payload.mid(1, payload.indexOf('>') - 1);
        const auto row = [&](const char* what) -> QTestData& {
            return QTest::newRow(qPrintable(name + QLatin1Char(' ') + QLatin1String(what)))
                   << int(page);
        };
        // A chat message any user can send: the server forwards its children unchanged.
        row("in a chat message with a nested header")
            << chat + "<body>hi</body>" + payload + header + "x</message></message>";
        row("in a chat message, header after the payload")
            << chat + payload + header + "</message></message>";
        row("inside a genuine looking message nested in a chat message")
            << chat + header + payload + "</message></message>";
        row("not a direct child of the root") << header + "<x>" + payload + "</x></message>";
        row("root is not a message") << "<iq from='localhost' to='lina@localhost/haulway'>" +
                                            payload + header + "</message></iq>";
        row("from with a user part")
            << "<message from='kefu@localhost' to='lina@localhost/haulway'>" + payload + header +
                   "</message></message>";
        row("from with a resource")
            << "<message from='localhost/haulway' to='lina@localhost/haulway'>" + payload + header +
                   "</message></message>";
        row("to without the resource") << "<message from='localhost' to='lina@localhost'>" +
                                              payload + header + "</message></message>";
    }
}

void BroadcastHandlerTest::forgedBroadcastsAreIgnored()
{
    QFETCH(int, page);
    QFETCH(QString, unit);
    sink.shownPage = ShellPage(page);
    sink.searchPanelVisible = true;
    shell.landViewKind = 0; // every land listing fits
    shell.nationalCount = 7;
    QCOMPARE(handler->handleTrail(unit), std::nullopt);
    QVERIFY(sink.landRows.isEmpty());
    QVERIFY(sink.airRows.isEmpty());
    QVERIFY(sink.seaRows.isEmpty());
    QVERIFY(sink.railRows.isEmpty());
    QCOMPARE(shell.nationalCount, 7);
    QVERIFY(sink.nationalCountText.isEmpty());
}

void BroadcastHandlerTest::familiesAreTriedInOrderAndOnlyOneIsHandled()
{
    sink.shownPage = ShellPage::InfoAir;
    QCOMPARE(handler->handleTrail(air("日本", "CA 中国国际航空股份有限公司", "浦东")),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Air));
    QCOMPARE(sink.airRows.size(), 1);
    QCOMPARE(shell.nationalCount, 0);
    QCOMPARE(handler->handleTrail(land("robot", "上海", "北京")),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Land));
    QCOMPARE(sink.airRows.size(), 1);
    QVERIFY(sink.landRows.isEmpty()); // pgGrd is not on screen
}

void BroadcastHandlerTest::landRowIsParsedIntoTheRowRecord()
{
    QCOMPARE(handler->handleTrail(land("robot", " 上海 ", "北京", "2")),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Land));
    QCOMPARE(sink.landRows.size(), 1);
    QCOMPARE(sink.landRows[0].first, ListingGrid::InfoGrd);
    const LandRow& row = sink.landRows[0].second;
    QCOMPARE(row.id, QStringLiteral("501"));
    QCOMPARE(row.title, QStringLiteral("钢材 20吨"));
    QCOMPARE(row.typeIcon, TruckImage);
    QCOMPARE(row.shortTime, QStringLiteral("12-08 19:30"));
    QCOMPARE(row.senderId, QStringLiteral("zhangwei"));
    QCOMPARE(row.senderIcon, ChatImage);
    QCOMPARE(row.contact, QStringLiteral("0A1B"));
    QCOMPARE(row.position, QStringLiteral("上海"));
    QCOMPARE(shell.nationalCount, 1);
    QCOMPARE(sink.nationalCountText, QStringLiteral("全国:1"));
}

void BroadcastHandlerTest::landNotFromRobotIsDroppedButCounted()
{
    shell.nationalCount = 41;
    QCOMPARE(handler->handleTrail(land("human", "上海", "北京")),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Land));
    QVERIFY(sink.landRows.isEmpty());
    QCOMPARE(shell.nationalCount, 42);
    QCOMPARE(sink.nationalCountText, QStringLiteral("全国:42"));
    // A listing without a title is not inserted either.
    handler->handleTrail(land("robot", "上海", "北京", "1", QStringLiteral("  ")));
    QVERIFY(sink.landRows.isEmpty());
}

void BroadcastHandlerTest::landTypeIcon_data()
{
    QTest::addColumn<QString>("tpy");
    QTest::addColumn<bool>("inserted");
    QTest::addColumn<int>("icon");
    QTest::newRow("1 cargo") << "1" << true << int(CargoImage);
    QTest::newRow("2 truck") << "2" << true << int(TruckImage);
    QTest::newRow("3 chat picture") << "3" << true << int(ChatImage);
    QTest::newRow("4 agent picture") << " 4 " << true << int(AgentImage);
    QTest::newRow("0 outside the list") << "0" << true << int(NoListingImage);
    QTest::newRow("5 outside the list") << "5" << true << int(NoListingImage);
    QTest::newRow("-3 outside the list") << "-3" << true << int(NoListingImage);
    QTest::newRow("not a number") << "货" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
}

void BroadcastHandlerTest::landTypeIcon()
{
    QFETCH(QString, tpy);
    QFETCH(bool, inserted);
    QFETCH(int, icon);
    sink.searchPanelVisible = true;
    shell.searchFromCity = QStringLiteral("上海");
    if (!inserted)
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^Dropping a live listing whose type is no number"));
    handler->handleTrail(land("robot", "上海", "北京", tpy));
    QCOMPARE(sink.landRows.size(), inserted ? 2 : 0);
    for (const auto& [grid, row] : sink.landRows)
        QCOMPARE(int(row.typeIcon), icon);
    QCOMPARE(shell.nationalCount, 1); // counted either way
}

void BroadcastHandlerTest::landCountGrowsWhateverThePage()
{
    sink.shownPage = ShellPage::InfoSea;
    handler->handleTrail(land("robot", "上海", "北京"));
    handler->handleTrail(land("robot", "广州", "北京"));
    QVERIFY(sink.landRows.isEmpty());
    QCOMPARE(sink.nationalCountText, QStringLiteral("全国:2"));
}

void BroadcastHandlerTest::landFilterByViewKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("fcity");
    QTest::addColumn<QString>("tcity");
    QTest::addColumn<bool>("shown");
    QTest::newRow("local, departing here") << 1 << "上海"
                                           << "北京" << true;
    QTest::newRow("local, arriving here") << 3 << "北京"
                                          << "上海" << true;
    QTest::newRow("local, elsewhere") << 2 << "北京"
                                      << "广州" << false;
    QTest::newRow("departing, from here") << 5 << "上海"
                                          << "北京" << true;
    QTest::newRow("departing, only to here") << 6 << "北京"
                                             << "上海" << false;
    QTest::newRow("arriving truck to here") << 8 << "北京"
                                            << "上海" << true;
    QTest::newRow("arriving, only from here") << 9 << "上海"
                                              << "北京" << false;
    QTest::newRow("city compared exactly") << 1 << "上海市"
                                           << "北京" << false;
    QTest::newRow("other kind shows all") << 0 << "北京"
                                          << "广州" << true;
}

void BroadcastHandlerTest::landFilterByViewKind()
{
    QFETCH(int, kind);
    QFETCH(QString, fcity);
    QFETCH(QString, tcity);
    QFETCH(bool, shown);
    shell.landViewKind = kind;
    // tpy 2 is a truck listing: the filter looks at the cities only.
    handler->handleTrail(land("robot", fcity, tcity, "2"));
    QCOMPARE(sink.landRows.size(), shown ? 1 : 0);
    QCOMPARE(shell.nationalCount, 1);
}

void BroadcastHandlerTest::landSearchGridWhenPanelVisible()
{
    shell.landViewKind = 5; // InfoGrd takes listings departing from 上海 only
    shell.searchFromCity = QStringLiteral("北京");
    handler->handleTrail(land("robot", "北京", "广州"));
    QVERIFY(sink.landRows.isEmpty()); // panel hidden

    sink.searchPanelVisible = true;
    handler->handleTrail(land("robot", "北京", "广州"));
    QCOMPARE(sink.landRows.size(), 1);
    QCOMPARE(sink.landRows[0].first, ListingGrid::searchGrd);

    sink.landRows.clear();
    shell.searchToCities = QStringList{QStringLiteral("成都"), QStringLiteral("武汉")};
    shell.searchFromCity = QStringLiteral("天津");
    handler->handleTrail(land("robot", "上海", "武汉"));
    QCOMPARE(sink.landRows.size(), 2); // both grids
    QCOMPARE(sink.landRows[0].first, ListingGrid::InfoGrd);
    QCOMPARE(sink.landRows[1].first, ListingGrid::searchGrd);
    sink.landRows.clear();
    handler->handleTrail(land("robot", "广州", "杭州"));
    QVERIFY(sink.landRows.isEmpty());

    // With destinations the departure does not count: a listing from the user's own city to
    // elsewhere is no search result.
    shell.searchToCities = QStringList{QStringLiteral("成都")};
    shell.searchFromCity = QStringLiteral("上海");
    handler->handleTrail(land("robot", "上海", "广州"));
    QCOMPARE(sink.landRows.size(), 1);
    QCOMPARE(sink.landRows[0].first, ListingGrid::InfoGrd);
    sink.landRows.clear();
    handler->handleTrail(land("robot", "上海", "成都"));
    QCOMPARE(sink.landRows.size(), 2);
    QCOMPARE(sink.landRows[1].first, ListingGrid::searchGrd);
}

void BroadcastHandlerTest::airFilterBySelectionKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("shown");
    QTest::newRow("nothing chosen yet") << 0 << "" << true;
    QTest::newRow("route matches") << 1 << "日本" << true;
    QTest::newRow("route differs") << 1 << "欧洲线" << false;
    QTest::newRow("booking enquiry shows all") << 2 << "欧洲线" << true;
    QTest::newRow("airline matches") << 3 << "CA 中国国际航空股份有限公司" << true;
    QTest::newRow("airline differs") << 3 << "MU 东方航空" << false;
    QTest::newRow("airport matches") << 4 << "浦东" << true;
    QTest::newRow("airport is compared with the Chinese name") << 4 << "PVG" << false;
}

void BroadcastHandlerTest::airFilterBySelectionKind()
{
    QFETCH(int, kind);
    QFETCH(QString, selection);
    QFETCH(bool, shown);
    sink.shownPage = ShellPage::InfoAir;
    shell.airSelectionKind = kind;
    shell.airSelectionText = selection;
    handler->handleTrail(air("日本", "CA 中国国际航空股份有限公司", "浦东"));
    QCOMPARE(sink.airRows.size(), shown ? 1 : 0);
}

void BroadcastHandlerTest::airRowCellsAndAgentIcon()
{
    sink.shownPage = ShellPage::InfoAir;
    handler->handleTrail(air("日本", "CA 国航", "浦东", "-1"));
    QCOMPARE(sink.airRows.size(), 1);
    const AirRow& row = sink.airRows[0];
    QCOMPARE(row.departure, QStringLiteral("浦东(PVG)"));
    QCOMPARE(row.destination, QStringLiteral("成田(NRT)"));
    QCOMPARE(row.info,
             QStringLiteral("运价:100/300,航空公司:CA 国航,航运周期:1,3,5,航运时间:2,直达"));
    QCOMPARE(row.senderIcon, AgentImage);
    QCOMPARE(row.airline, QStringLiteral("CA 国航"));
    QCOMPARE(row.route, QStringLiteral("日本"));
    QCOMPARE(row.cycle, QStringLiteral("1,3,5"));
    QCOMPARE(row.direct, QStringLiteral("直达"));
    QCOMPARE(row.days, QStringLiteral("2"));
    QCOMPARE(row.price, QStringLiteral("100/300"));
    QCOMPARE(row.sender, QStringLiteral("-1"));
    QCOMPARE(row.contact, QStringLiteral("AB12"));
    QCOMPARE(row.remark, QStringLiteral("备注"));
}

void BroadcastHandlerTest::seaAndRailAreUnfilteredAndMapped()
{
    const QString sea = stanza("broadcastsealine", elements({{"startport", "上海"},
                                                             {"toport", "鹿特丹"},
                                                             {"company", "中远"},
                                                             {"direct", "海运直达"},
                                                             {"pasport", "新加坡"},
                                                             {"duty", "周一"},
                                                             {"days", "30"},
                                                             {"porseq", "上海-新加坡-鹿特丹"},
                                                             {"sender", "sunli"},
                                                             {"contact", "C0DE"},
                                                             {"line", "欧洲线"}}));
    const QString rail = stanza("broadcasttrianinfo", elements({{"triannum", "X8001"},
                                                                {"startcity", "上海局"},
                                                                {"startport1", "杨浦"},
                                                                {"startport2", "南翔"},
                                                                {"toport1", "乌西"},
                                                                {"toport2", "乌北"},
                                                                {"tocity", "乌鲁木齐局"},
                                                                {"cycle", "3"},
                                                                {"starttime", "08:00"},
                                                                {"totime", "20:00"},
                                                                {"hours", "84"},
                                                                {"sender", "-1"},
                                                                {"contact", "BEEF"}}));
    sink.shownPage = ShellPage::InfoLand;
    handler->handleTrail(sea);
    handler->handleTrail(rail);
    QVERIFY(sink.seaRows.isEmpty() && sink.railRows.isEmpty()); // pages not on screen: lost

    shell.airSelectionKind = 1; // a selection on another family filters nothing here
    sink.shownPage = ShellPage::InfoSea;
    QCOMPARE(handler->handleTrail(sea),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Sea));
    sink.shownPage = ShellPage::InfoRail;
    QCOMPARE(handler->handleTrail(rail),
             std::optional<BroadcastHandler::Family>(BroadcastHandler::Rail));
    QCOMPARE(sink.seaRows.size(), 1);
    const SeaRow& s = sink.seaRows[0];
    QCOMPARE(s.carrier, QStringLiteral("中远"));
    QCOMPARE(s.departurePort, QStringLiteral("上海"));
    QCOMPARE(s.destinationPort, QStringLiteral("鹿特丹"));
    QCOMPARE(s.transshipmentOption, QStringLiteral("海运直达"));
    QCOMPARE(s.transshipmentPort, QStringLiteral("新加坡"));
    QCOMPARE(s.schedule, QStringLiteral("周一"));
    QCOMPARE(s.voyageDays, QStringLiteral("30"));
    QCOMPARE(s.portSequence, QStringLiteral("上海-新加坡-鹿特丹"));
    QCOMPARE(s.routeName, QStringLiteral("欧洲线"));
    QCOMPARE(s.sender, QStringLiteral("sunli"));
    QCOMPARE(s.contact, QStringLiteral("C0DE"));
    QCOMPARE(s.senderIcon, ChatImage);
    QCOMPARE(sink.railRows.size(), 1);
    const RailRow& r = sink.railRows[0];
    QCOMPARE(r.trainNumber, QStringLiteral("X8001"));
    QCOMPARE(r.loadingStation, QStringLiteral("杨浦"));
    QCOMPARE(r.departureStation, QStringLiteral("南翔"));
    QCOMPARE(r.arrivalStation2, QStringLiteral("乌北"));
    QCOMPARE(r.cycle, QStringLiteral("3"));
    QCOMPARE(r.departureTime, QStringLiteral("08:00"));
    QCOMPARE(r.arrivalTime, QStringLiteral("20:00"));
    QCOMPARE(r.departureCity, QStringLiteral("上海局"));
    QCOMPARE(r.arrivalCity, QStringLiteral("乌鲁木齐局"));
    QCOMPARE(r.arrivalStation, QStringLiteral("乌西"));
    QCOMPARE(r.hours, QStringLiteral("84"));
    QCOMPARE(r.sender, QStringLiteral("-1"));
    QCOMPARE(r.contact, QStringLiteral("BEEF"));
    QCOMPARE(r.senderIcon, AgentImage);
}

void BroadcastHandlerTest::brokenBroadcastIsDroppedAndNextHandled()
{
    // Header and tags present, but not well-formed XML: no root element, so no broadcast.
    const QString broken = QStringLiteral(
        "<message from='localhost' to='lina@localhost/haulway'><broadcastcargo><tag>robot"
        "</broadcastcargo></message>");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Ignoring a unit that looks like a broadcast"));
    QCOMPARE(handler->handleTrail(broken), std::nullopt);
    QVERIFY(sink.landRows.isEmpty());
    QCOMPARE(shell.nationalCount, 0);
    handler->handleTrail(land("robot", "上海", "北京"));
    QCOMPARE(sink.landRows.size(), 1);
}

QTEST_GUILESS_MAIN(BroadcastHandlerTest)
#include "tst_BroadcastHandler.moc"
