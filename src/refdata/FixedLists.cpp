#include "refdata/FixedLists.h"

#include "refdata/PortTables.h"

namespace {

// The air window's airline box holds the tree's list plus this carrier,
// which follows "HU 海南航空公司".
const int UnitedAirlinesPosition = 96;

FixedNode node(const QString& text, int kind)
{
    FixedNode result;
    result.text = text;
    result.kind = kind;
    return result;
}

QVector<FixedNode> nodes(const QStringList& texts, int kind)
{
    QVector<FixedNode> result;
    result.reserve(texts.size());
    for (const QString& text : texts)
        result.append(node(text, kind));
    return result;
}

FixedNode group(const QString& title, int kind, const QVector<FixedNode>& children)
{
    FixedNode result = node(title, kind);
    result.children = children;
    return result;
}

} // namespace

const QStringList& FixedLists::airRoutes()
{
    static const QStringList list{
        QStringLiteral("国内空运"), QStringLiteral("欧洲线"), QStringLiteral("北美线"),
        QStringLiteral("亚洲线"),   QStringLiteral("南美线"), QStringLiteral("非洲线"),
        QStringLiteral("澳洲线"),   QStringLiteral("日本"),   QStringLiteral("美国"),
        QStringLiteral("中东"),     QStringLiteral("加拿大")};
    return list;
}

const QStringList& FixedLists::treeAirlines()
{
    static const QStringList list{
        QStringLiteral("CA 中国国际航空股份有限公司"),
        QStringLiteral("MU 中国东方航空股份有限公司"),
        QStringLiteral("CZ 中国南方航空股份有限公司"),
        QStringLiteral("HU 海南航空股份有限公司"),
        QStringLiteral("SC 山东航空股份有限公司"),
        QStringLiteral("FM 上海航空股份有限公司"),
        QStringLiteral("ZH 深圳航空有限责任公司"),
        QStringLiteral("3U 四川航空股份有限公司"),
        QStringLiteral("MF 厦门航空有限公司"),
        QStringLiteral("BK 奥凯航空有限公司"),
        QStringLiteral("9C 春秋航空公司"),
        QStringLiteral("EU 鹰联航空有限公司"),
        QStringLiteral("KN 中国联合航空有限公司"),
        QStringLiteral("8C 东星航空有限公司"),
        QStringLiteral("G5 华夏航空有限公司"),
        QStringLiteral("8L 云南祥鹏航空有限责任公司"),
        QStringLiteral("HO 上海吉祥航空有限公司"),
        QStringLiteral("HR 中国联合航空公司"),
        QStringLiteral("JD 金鹿航空有限公司"),
        QStringLiteral("GS 大新华快运航空有限公司"),
        QStringLiteral("CN 大新华航空有限公司"),
        QStringLiteral("PN 西部航空有限责任公司"),
        QStringLiteral("IJ 长城航空有限公司"),
        QStringLiteral("F4 上海国际货运航空有限公司"),
        QStringLiteral("JI 翡翠国际货运航空有限责任公司"),
        QStringLiteral("J5 东海航空有限公司"),
        QStringLiteral("JD 金鹿航空有限公司"),
        QStringLiteral("NS 东北航空"),
        QStringLiteral("OQ 重庆航空有限责任公司"),
        QStringLiteral("PO 中国邮政航空有限公司"),
        QStringLiteral("PN 西部航空有限责任公司"),
        QStringLiteral("HC 中国海洋直升机公司"),
        QStringLiteral("HY 中国航空货运公司"),
        QStringLiteral("VD 鲲鹏航空有限公司"),
        QStringLiteral("Y8 扬子江快运航空有限公司"),
        QStringLiteral("NX 澳门航空公司"),
        QStringLiteral("ZG 非凡航空"),
        QStringLiteral("CX 国泰航空有有限公司"),
        QStringLiteral("KA 港龙航空"),
        QStringLiteral("HX 香港航空公司"),
        QStringLiteral("O8 甘泉香港航空公司"),
        QStringLiteral("UO 香港快运航空"),
        QStringLiteral("LD 香港华民航空"),
        QStringLiteral("CI 中华航空股份有限公司"),
        QStringLiteral("BR 长荣航空股份有限公司"),
        QStringLiteral("GE 复兴航空运输股份有限公司"),
        QStringLiteral("EF 远东航空股份有限公司"),
        QStringLiteral("AE 华信航空股份有限公司"),
        QStringLiteral("B7 立荣航空公司"),
        QStringLiteral("AA 美国航空公司"),
        QStringLiteral("LY 以色列空公司"),
        QStringLiteral("AC 加拿大航空公司"),
        QStringLiteral("MA 匈牙利航空公司"),
        QStringLiteral("AF 法国航空公司"),
        QStringLiteral("MF 厦门航空公司"),
        QStringLiteral("AI 印度航空公司"),
        QStringLiteral("MH 马来西亚航空公司"),
        QStringLiteral("AY 芬兰航空公司"),
        QStringLiteral("MU 中国东方航空公司"),
        QStringLiteral("AZ 意大利航空公司"),
        QStringLiteral("NH 全日空航空公司"),
        QStringLiteral("BA 英国航空公司"),
        QStringLiteral("NW 美国西北航空公司"),
        QStringLiteral("BI 汶莱航空公司"),
        QStringLiteral("NZ 新西兰航空公司"),
        QStringLiteral("BR 长荣航空公司"),
        QStringLiteral("OA 希腊奥林匹克航空公司"),
        QStringLiteral("CA 中国国际航空公司"),
        QStringLiteral("OM 蒙古航空公司"),
        QStringLiteral("CI 中华航空公司"),
        QStringLiteral("OS 毛利航空公司"),
        QStringLiteral("CO 大陆航空公司"),
        QStringLiteral("OZ 韩亚航空公司"),
        QStringLiteral("CX 国泰航空公司"),
        QStringLiteral("PK 巴基斯坦航空公司"),
        QStringLiteral("CZ 中国南方航空公司"),
        QStringLiteral("PR 菲律宾航空公司"),
        QStringLiteral("DL 三角航空公司"),
        QStringLiteral("QF 澳洲航空公司"),
        QStringLiteral("FK 阿联酋航空公司"),
        QStringLiteral("QR 卡塔尔航空公司"),
        QStringLiteral("MS 埃及航空公司"),
        QStringLiteral("RG 巴西航空公司"),
        QStringLiteral("FM 上海航空公司"),
        QStringLiteral("SA 南非航空公司"),
        QStringLiteral("ET 埃塞阿比亚航空公司"),
        QStringLiteral("SC 山东航空公司"),
        QStringLiteral("FI 冰岛航空公司"),
        QStringLiteral("SK 北欧航空公司"),
        QStringLiteral("GA 嘉鲁达印度尼西亚航空公司"),
        QStringLiteral("SQ 新加坡航空公司"),
        QStringLiteral("GE 台湾复兴航空公司"),
        QStringLiteral("TG 泰国航空公司"),
        QStringLiteral("GF 海湾航空公司"),
        QStringLiteral("TK 土耳其航空公司"),
        QStringLiteral("HU 海南航空公司"),
        QStringLiteral("IB 西班雅航空公司"),
        QStringLiteral("UM 津巴布韦航空公司"),
        QStringLiteral("JL 日本航空公司"),
        QStringLiteral("UL 斯里兰卡航空公司"),
        QStringLiteral("JS 朝鲜航空公司"),
        QStringLiteral("UX 西班牙欧洲航空公司"),
        QStringLiteral("KA 港龙航空公司"),
        QStringLiteral("VN 越南航空公司"),
        QStringLiteral("KE 大韩航空公司"),
        QStringLiteral("VS 维珍航空公司"),
        QStringLiteral("KL 荷兰航空公司"),
        QStringLiteral("ZH 深圳航空公司"),
        QStringLiteral("KU 科威特航空公司"),
        QStringLiteral("3U 四川航空公司"),
        QStringLiteral("LH 汉莎航空公司"),
        QStringLiteral("6U 乌克兰航空公司"),
        QStringLiteral("LO 波兰航空公司"),
    };
    return list;
}

const QStringList& FixedLists::airBookingCities()
{
    static const QStringList list{
        QStringLiteral("广州"), QStringLiteral("北京"), QStringLiteral("深圳"),
        QStringLiteral("青岛"), QStringLiteral("上海"), QStringLiteral("成都"),
        QStringLiteral("大连"), QStringLiteral("厦门"), QStringLiteral("其它")};
    return list;
}

QString FixedLists::airlineGroupTitle()
{
    return QStringLiteral("航空公司");
}

QString FixedLists::airportGroupTitle()
{
    return QStringLiteral("国内空港");
}

QString FixedLists::bookingGroupTitle()
{
    return QStringLiteral("订舱询价");
}

const QStringList& FixedLists::seaPorts()
{
    static const QStringList list{
        QStringLiteral("大连港"),     QStringLiteral("上海港"),     QStringLiteral("宁波港"),
        QStringLiteral("深圳(蛇口)"), QStringLiteral("深圳(盐田)"), QStringLiteral("深圳(赤湾)"),
        QStringLiteral("厦门港"),     QStringLiteral("广州(黄埔)"), QStringLiteral("广州(南沙)"),
        QStringLiteral("天津港"),     QStringLiteral("青岛港")};
    return list;
}

const QStringList& FixedLists::seaBookingCities()
{
    static const QStringList list{
        QStringLiteral("上海"), QStringLiteral("深圳"), QStringLiteral("天津"),
        QStringLiteral("青岛"), QStringLiteral("大连"), QStringLiteral("宁波"),
        QStringLiteral("厦门"), QStringLiteral("广州"), QStringLiteral("其它")};
    return list;
}

const QStringList& FixedLists::railStations()
{
    static const QStringList list{
        QStringLiteral("哈尔滨"),   QStringLiteral("沈阳"), QStringLiteral("北京"),
        QStringLiteral("呼和浩特"), QStringLiteral("郑州"), QStringLiteral("兰州"),
        QStringLiteral("乌鲁木齐"), QStringLiteral("西安"), QStringLiteral("济南"),
        QStringLiteral("南宁"),     QStringLiteral("成都"), QStringLiteral("昆明"),
        QStringLiteral("上海"),     QStringLiteral("广州"), QStringLiteral("青藏"),
        QStringLiteral("太原"),     QStringLiteral("武汉"), QStringLiteral("南昌")};
    return list;
}

const QStringList& FixedLists::otherRailStations()
{
    static const QStringList list{QStringLiteral("武汉"), QStringLiteral("南昌")};
    return list;
}

const QStringList& FixedLists::tenderCategories()
{
    static const QStringList list{QStringLiteral("厂家招标"), QStringLiteral("代理商招标"),
                                  QStringLiteral("批发商招标"), QStringLiteral("其它行业招标")};
    return list;
}

QString FixedLists::tenderServiceGroupTitle()
{
    return QStringLiteral("招标服务");
}

const QStringList& FixedLists::tenderServices()
{
    static const QStringList list{QStringLiteral("招标恰谈"), QStringLiteral("咨询服务")};
    return list;
}

const QStringList& FixedLists::airlineChoices()
{
    static const QStringList list = [] {
        QStringList result = treeAirlines();
        result.insert(UnitedAirlinesPosition, QStringLiteral("UA 美国联合航空公司"));
        return result;
    }();
    return list;
}

const QStringList& FixedLists::airRouteChoices()
{
    static const QStringList list{
        QStringLiteral("日本"),   QStringLiteral("美国"),     QStringLiteral("中东"),
        QStringLiteral("加拿大"), QStringLiteral("国内空运"), QStringLiteral("欧洲线"),
        QStringLiteral("北美线"), QStringLiteral("亚洲线"),   QStringLiteral("南美线"),
        QStringLiteral("非洲线"), QStringLiteral("澳洲线")};
    return list;
}

const QStringList& FixedLists::railwayBureaus()
{
    static const QStringList list{
        QStringLiteral("哈尔滨"),   QStringLiteral("沈阳"), QStringLiteral("北京"),
        QStringLiteral("呼和浩特"), QStringLiteral("郑州"), QStringLiteral("兰州"),
        QStringLiteral("乌鲁木齐"), QStringLiteral("西安"), QStringLiteral("济南"),
        QStringLiteral("南宁"),     QStringLiteral("成都"), QStringLiteral("昆明"),
        QStringLiteral("上海"),     QStringLiteral("广州"), QStringLiteral("青藏"),
        QStringLiteral("南昌"),     QStringLiteral("太原"), QStringLiteral("武汉")};
    return list;
}

QVector<FixedNode> FixedLists::airTree()
{
    QVector<FixedNode> tree = nodes(airRoutes(), AirRouteKind);
    tree.append(group(airlineGroupTitle(), GroupKind, nodes(treeAirlines(), AirlineKind)));
    tree.append(group(airportGroupTitle(), GroupKind, {}));
    tree.append(group(bookingGroupTitle(), GroupKind, nodes(airBookingCities(), AirBookingKind)));
    return tree;
}

QVector<FixedNode> FixedLists::seaTree()
{
    QVector<FixedNode> tree = nodes(seaPorts(), SeaPortKind);
    tree.append(
        group(bookingGroupTitle(), SeaBookingGroupKind, nodes(seaBookingCities(), SeaBookingKind)));
    return tree;
}

QVector<FixedNode> FixedLists::trainTree()
{
    QVector<FixedNode> tree;
    for (const QString& station : railStations()) {
        const bool other = otherRailStations().contains(station);
        tree.append(node(station, other ? OtherStationKind : StationKind));
    }
    return tree;
}

QVector<FixedNode> FixedLists::biddingTree()
{
    QVector<FixedNode> tree;
    const QStringList& categories = tenderCategories();
    for (int i = 0; i < categories.size(); ++i)
        tree.append(node(categories.at(i), i + 1));
    tree.append(
        group(tenderServiceGroupTitle(), GroupKind, nodes(tenderServices(), TenderServiceKind)));
    return tree;
}

QVector<FixedNode> FixedLists::airportNodes()
{
    const NameValueTable& airports = PortTables::airports();
    QVector<FixedNode> result;
    result.reserve(airports.count());
    for (int i = 0; i < airports.count(); ++i) {
        FixedNode airport = node(airports.name(i), AirportKind);
        airport.value = airports.value(i);
        result.append(airport);
    }
    return result;
}
