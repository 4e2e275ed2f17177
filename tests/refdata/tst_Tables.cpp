#include "refdata/FixedLists.h"
#include "refdata/NameValueTable.h"
#include "refdata/PortTables.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QStringList codesOf(const QStringList& airlines)
{
    QStringList codes;
    for (const QString& airline : airlines)
        codes.append(airline.section(QLatin1Char(' '), 0, 0));
    return codes;
}

QStringList textsOf(const QVector<FixedNode>& nodes)
{
    QStringList texts;
    for (const FixedNode& node : nodes)
        texts.append(node.text);
    return texts;
}

} // namespace

class TablesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameValueListParsing()
    {
        const NameValueTable table = NameValueTable::fromText("甲=A,乙=,丙,甲=B,丁=x=y");
        QCOMPARE(table.count(), 5);
        QCOMPARE(table.name(2), QStringLiteral("丙"));
        QCOMPARE(table.value(2), QString());
        QCOMPARE(table.valueOf("甲"), QStringLiteral("A"));
        QCOMPARE(table.value(3), QStringLiteral("B"));
        QCOMPARE(table.valueOf("丁"), QStringLiteral("x=y"));
        QCOMPARE(table.name(5), QString());
        QCOMPARE(table.value(-1), QString());
        QCOMPARE(NameValueTable::fromText(QString()).count(), 0);
    }

    void portTable()
    {
        const NameValueTable& ports = PortTables::ports();
        QCOMPARE(ports.count(), 11);
        QCOMPARE(ports.names(), QStringList({"大连港", "上海港", "宁波港", "深圳(蛇口)",
                                             "深圳(赤湾)", "深圳(盐田)", "厦门港", "广州(黄埔)",
                                             "广州(南沙)", "天津港", "青岛港"}));
        QCOMPARE(PortTables::portCode("大连港"), QStringLiteral("DALIAN"));
        QCOMPARE(PortTables::portCode("深圳(盐田)"), QStringLiteral("SHENZHEN(YANTIAN)"));
        QCOMPARE(PortTables::portCode("天津港"), QStringLiteral("TIANJIN(XINGANG)"));
        QCOMPARE(PortTables::portCode("烟台港"), QString());
        QCOMPARE(PortTables::portCode(QString()), QString());
        // Lookup is exact: no trimming, no case folding.
        QCOMPARE(PortTables::portCode(" 大连港"), QString());
    }

    void airportTable()
    {
        const NameValueTable& airports = PortTables::airports();
        QCOMPARE(airports.count(), 149);
        QCOMPARE(PortTables::airportCode("北京"), QStringLiteral("BJS"));
        QCOMPARE(PortTables::airportCode("北京首都机场"), QStringLiteral("PEK"));
        QCOMPARE(PortTables::airportCode("长沙/黄花"), QStringLiteral("HHA"));
        QCOMPARE(PortTables::airportCode("长沙"), QStringLiteral("CSX"));
        QCOMPARE(PortTables::airportCode("火星"), QString());
        QCOMPARE(airports.name(0), QStringLiteral("阿勒泰"));
        QCOMPARE(airports.name(148), QStringLiteral("潍坊"));
        QCOMPARE(airports.value(148), QStringLiteral("WEF"));

        const QRegularExpression iata("^[A-Z]{3}$");
        QSet<QString> names, codes;
        for (int i = 0; i < airports.count(); ++i) {
            QVERIFY2(iata.match(airports.value(i)).hasMatch(), qPrintable(airports.value(i)));
            QVERIFY(airports.name(i).size() <= 6);
            names.insert(airports.name(i));
            codes.insert(airports.value(i));
        }
        QCOMPARE(names.size(), 149);
        QCOMPARE(codes.size(), 149);
        // The constant text's size in GBK (two bytes per Chinese character).
        int gbkBytes = 0;
        for (const QChar ch : PortTables::airportsText())
            gbkBytes += ch.unicode() < 0x80 ? 1 : 2;
        QCOMPARE(gbkBytes, 1443);
    }

    void airlineLists()
    {
        const QStringList& tree = FixedLists::treeAirlines();
        const QStringList& choices = FixedLists::airlineChoices();
        QCOMPARE(tree.size(), 113);
        QCOMPARE(choices.size(), 114);
        QCOMPARE(tree.first(), QStringLiteral("CA 中国国际航空股份有限公司"));
        QCOMPARE(tree.last(), QStringLiteral("LO 波兰航空公司"));
        // Repeated rows stay, exactly as listed.
        QCOMPARE(tree.count("JD 金鹿航空有限公司"), 2);
        QCOMPARE(tree.count("PN 西部航空有限责任公司"), 2);

        const QString codes114 =
            "CA,MU,CZ,HU,SC,FM,ZH,3U,MF,BK,9C,EU,KN,8C,G5,8L,HO,HR,JD,GS,CN,PN,IJ,F4,JI,J5,JD,NS,"
            "OQ,"
            "PO,PN,HC,HY,VD,Y8,NX,ZG,CX,KA,HX,O8,UO,LD,CI,BR,GE,EF,AE,B7,AA,LY,AC,MA,AF,MF,AI,MH,"
            "AY,"
            "MU,AZ,NH,BA,NW,BI,NZ,BR,OA,CA,OM,CI,OS,CO,OZ,CX,PK,CZ,PR,DL,QF,FK,QR,MS,RG,FM,SA,ET,"
            "SC,"
            "FI,SK,GA,SQ,GE,TG,GF,TK,HU,UA,IB,UM,JL,UL,JS,UX,KA,VN,KE,VS,KL,ZH,KU,3U,LH,6U,LO";
        QCOMPARE(codesOf(choices), codes114.split(','));
        QStringList withoutExtra = choices;
        withoutExtra.removeAt(codesOf(choices).indexOf("UA"));
        QCOMPARE(withoutExtra, tree);
        for (const QString& airline : choices)
            QVERIFY2(airline.size() > 3 && airline.at(2) == QLatin1Char(' '), qPrintable(airline));
    }

    void dropDownLists()
    {
        QCOMPARE(FixedLists::airRouteChoices(),
                 QStringList({"日本", "美国", "中东", "加拿大", "国内空运", "欧洲线", "北美线",
                              "亚洲线", "南美线", "非洲线", "澳洲线"}));
        QCOMPARE(QSet<QString>(FixedLists::airRouteChoices().begin(),
                               FixedLists::airRouteChoices().end()),
                 QSet<QString>(FixedLists::airRoutes().begin(), FixedLists::airRoutes().end()));
        QCOMPARE(FixedLists::railwayBureaus(),
                 QStringList({"哈尔滨", "沈阳", "北京", "呼和浩特", "郑州", "兰州", "乌鲁木齐",
                              "西安", "济南", "南宁", "成都", "昆明", "上海", "广州", "青藏",
                              "南昌", "太原", "武汉"}));
    }

    void airTreeKinds()
    {
        const QVector<FixedNode> air = FixedLists::airTree();
        QCOMPARE(air.size(), 14);
        QCOMPARE(textsOf(air.mid(0, 11)), FixedLists::airRoutes());
        QCOMPARE(air.first().text, QStringLiteral("国内空运"));
        for (int i = 0; i < 11; ++i)
            QCOMPARE(air.at(i).kind, 1);
        QCOMPARE(air.at(11).text, QStringLiteral("航空公司"));
        QCOMPARE(air.at(11).kind, -2);
        QCOMPARE(textsOf(air.at(11).children), FixedLists::treeAirlines());
        QCOMPARE(air.at(11).children.first().kind, 3);
        QCOMPARE(air.at(12).text, QStringLiteral("国内空港"));
        QVERIFY(air.at(12).children.isEmpty());
        QCOMPARE(air.at(13).text, QStringLiteral("订舱询价"));
        QCOMPARE(textsOf(air.at(13).children), QStringList({"广州", "北京", "深圳", "青岛", "上海",
                                                            "成都", "大连", "厦门", "其它"}));
        QCOMPARE(air.at(13).children.last().kind, 2);

        const QVector<FixedNode> airports = FixedLists::airportNodes();
        QCOMPARE(airports.size(), 149);
        for (const FixedNode& airport : airports) {
            QCOMPARE(airport.kind, 4);
            QCOMPARE(airport.value, PortTables::airportCode(airport.text));
        }
    }

    void otherTreesKinds()
    {
        const QVector<FixedNode> sea = FixedLists::seaTree();
        QCOMPARE(textsOf(sea), QStringList({"大连港", "上海港", "宁波港", "深圳(蛇口)",
                                            "深圳(盐田)", "深圳(赤湾)", "厦门港", "广州(黄埔)",
                                            "广州(南沙)", "天津港", "青岛港", "订舱询价"}));
        QCOMPARE(sea.first().kind, 1);
        // Every port node can be looked up in the port table.
        for (int i = 0; i < 11; ++i)
            QVERIFY2(!PortTables::portCode(sea.at(i).text).isEmpty(), qPrintable(sea.at(i).text));
        QCOMPARE(sea.last().kind, 2);
        QCOMPARE(textsOf(sea.last().children), QStringList({"上海", "深圳", "天津", "青岛", "大连",
                                                            "宁波", "厦门", "广州", "其它"}));
        QCOMPARE(sea.last().children.first().kind, 3);

        const QVector<FixedNode> train = FixedLists::trainTree();
        QCOMPARE(train.size(), 18);
        QCOMPARE(train.first().text, QStringLiteral("哈尔滨"));
        QCOMPARE(train.at(15).text, QStringLiteral("太原"));
        QCOMPARE(train.at(15).kind, 1);
        QCOMPARE(train.at(16).text, QStringLiteral("武汉"));
        QCOMPARE(train.at(16).kind, -1);
        QCOMPARE(train.at(17).text, QStringLiteral("南昌"));
        QCOMPARE(train.at(17).kind, -1);

        const QVector<FixedNode> bidding = FixedLists::biddingTree();
        QCOMPARE(textsOf(bidding),
                 QStringList({"厂家招标", "代理商招标", "批发商招标", "其它行业招标", "招标服务"}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(bidding.at(i).kind, i + 1);
        QCOMPARE(bidding.at(4).kind, -2);
        QCOMPARE(textsOf(bidding.at(4).children), QStringList({"招标恰谈", "咨询服务"}));
        QCOMPARE(bidding.at(4).children.first().kind, -3);
    }
};

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_Tables.moc"
