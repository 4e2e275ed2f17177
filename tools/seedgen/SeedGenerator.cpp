#include "SeedGenerator.h"

#include "SeedRandom.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "refdata/FixedLists.h"
#include "refdata/PortTables.h"

#include <QDateTime>
#include <QStringList>

namespace {

const int kLandCount = 480;
const int kAgentSharePercent = 15;

// Newest listing first; every following one a few minutes older.
const QDateTime& newestIssue()
{
    static const QDateTime newest(QDate(2026, 12, 8), QTime(8, 30, 0), Qt::UTC);
    return newest;
}

QString timeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

const QStringList& landPlaces()
{
    static const QStringList places = {
        QStringLiteral("上海"), QStringLiteral("北京"),   QStringLiteral("广州"),
        QStringLiteral("沈阳"), QStringLiteral("成都"),   QStringLiteral("天津"),
        QStringLiteral("重庆"), QStringLiteral("杭州"),   QStringLiteral("南京"),
        QStringLiteral("武汉"), QStringLiteral("郑州"),   QStringLiteral("西安"),
        QStringLiteral("长沙"), QStringLiteral("济南"),   QStringLiteral("青岛"),
        QStringLiteral("苏州"), QStringLiteral("东莞"),   QStringLiteral("深圳"),
        QStringLiteral("昆明"), QStringLiteral("哈尔滨"), QStringLiteral("石家庄"),
        QStringLiteral("合肥"), QStringLiteral("福州"),   QStringLiteral("南昌"),
        QStringLiteral("太原"), QStringLiteral("大连"),   QStringLiteral("宁波"),
        QStringLiteral("兰州"), QStringLiteral("贵阳"),   QStringLiteral("乌鲁木齐")};
    return places;
}

// The five demo cities take half of all listing ends, so their views are full.
const QStringList& demoPlaces()
{
    static const QStringList places = {QStringLiteral("上海"), QStringLiteral("北京"),
                                       QStringLiteral("广州"), QStringLiteral("沈阳"),
                                       QStringLiteral("成都")};
    return places;
}

const QStringList& goods()
{
    static const QStringList items = {
        QStringLiteral("建材"),     QStringLiteral("日用百货"), QStringLiteral("机械设备"),
        QStringLiteral("钢材"),     QStringLiteral("化肥"),     QStringLiteral("家具"),
        QStringLiteral("电子产品"), QStringLiteral("服装"),     QStringLiteral("食品饮料"),
        QStringLiteral("纸制品"),   QStringLiteral("塑料颗粒"), QStringLiteral("水果蔬菜"),
        QStringLiteral("陶瓷"),     QStringLiteral("轮胎"),     QStringLiteral("家电")};
    return items;
}

const QStringList& trucks()
{
    static const QStringList items = {
        QStringLiteral("4.2米厢式货车"), QStringLiteral("6.8米高栏车"),
        QStringLiteral("9.6米厢式货车"), QStringLiteral("13米平板车"),
        QStringLiteral("17.5米半挂车"),  QStringLiteral("7.6米冷藏车")};
    return items;
}

QString cargoTitle(SeedRandom& random, const QString& from, const QString& to)
{
    const QString weight = QString::number(random.between(2, 32));
    switch (random.between(0, 2)) {
    case 0:
        return QStringLiteral("%1到%2，%3%4吨，求%5")
            .arg(from, to, random.pick(goods()), weight, random.pick(trucks()));
    case 1:
        return QStringLiteral("有%1%2吨从%3发往%4，急求车")
            .arg(random.pick(goods()), weight, from, to);
    default:
        return QStringLiteral("%1—%2 %3 %4方，价格面议")
            .arg(from, to, random.pick(goods()), QString::number(random.between(10, 80)));
    }
}

QString truckTitle(SeedRandom& random, const QString& from, const QString& to)
{
    if (random.chance(50)) {
        return QStringLiteral("%1有%2一辆，今明两天可装，求%3方向货源")
            .arg(from, random.pick(trucks()), to);
    }
    return QStringLiteral("回程车%1，%2→%3，可配零担").arg(random.pick(trucks()), from, to);
}

struct Airport
{
    QString name;
    QString code;
};

// Departure airports by name; their codes come from the client's airport table, so
// the airport tree finds these listings.
const QVector<Airport>& departureAirports()
{
    static const QVector<Airport> airports = [] {
        QVector<Airport> result;
        for (const char* name : {"上海浦东", "北京", "广州", "深圳", "成都", "沈阳", "上海虹桥",
                                 "北京首都机场", "厦门", "青岛", "大连", "杭州"}) {
            const QString text = QString::fromUtf8(name);
            result.append({text, PortTables::airportCode(text)});
        }
        return result;
    }();
    return airports;
}

struct AirRoute
{
    QString line;
    QVector<Airport> destinations;
};

const QVector<AirRoute>& airRoutes()
{
    static const QVector<AirRoute> routes = {
        {QStringLiteral("国内空运"),
         {{QStringLiteral("乌鲁木齐"), QStringLiteral("URC")},
          {QStringLiteral("昆明"), QStringLiteral("KMG")},
          {QStringLiteral("哈尔滨"), QStringLiteral("HRB")}}},
        {QStringLiteral("欧洲线"),
         {{QStringLiteral("法兰克福"), QStringLiteral("FRA")},
          {QStringLiteral("阿姆斯特丹"), QStringLiteral("AMS")},
          {QStringLiteral("伦敦"), QStringLiteral("LHR")}}},
        {QStringLiteral("北美线"),
         {{QStringLiteral("洛杉矶"), QStringLiteral("LAX")},
          {QStringLiteral("芝加哥"), QStringLiteral("ORD")}}},
        {QStringLiteral("亚洲线"),
         {{QStringLiteral("新加坡"), QStringLiteral("SIN")},
          {QStringLiteral("曼谷"), QStringLiteral("BKK")},
          {QStringLiteral("首尔"), QStringLiteral("ICN")}}},
        {QStringLiteral("南美线"), {{QStringLiteral("圣保罗"), QStringLiteral("GRU")}}},
        {QStringLiteral("非洲线"),
         {{QStringLiteral("约翰内斯堡"), QStringLiteral("JNB")},
          {QStringLiteral("内罗毕"), QStringLiteral("NBO")}}},
        {QStringLiteral("澳洲线"),
         {{QStringLiteral("悉尼"), QStringLiteral("SYD")},
          {QStringLiteral("墨尔本"), QStringLiteral("MEL")}}},
        {QStringLiteral("日本"),
         {{QStringLiteral("东京"), QStringLiteral("NRT")},
          {QStringLiteral("大阪"), QStringLiteral("KIX")}}},
        {QStringLiteral("美国"),
         {{QStringLiteral("纽约"), QStringLiteral("JFK")},
          {QStringLiteral("亚特兰大"), QStringLiteral("ATL")}}},
        {QStringLiteral("中东"),
         {{QStringLiteral("迪拜"), QStringLiteral("DXB")},
          {QStringLiteral("多哈"), QStringLiteral("DOH")}}},
        {QStringLiteral("加拿大"),
         {{QStringLiteral("温哥华"), QStringLiteral("YVR")},
          {QStringLiteral("多伦多"), QStringLiteral("YYZ")}}}};
    return routes;
}

const QStringList& airlines()
{
    static const QStringList items = {QStringLiteral("CA 中国国际航空股份有限公司"),
                                      QStringLiteral("MU 中国东方航空股份有限公司"),
                                      QStringLiteral("CZ 中国南方航空股份有限公司"),
                                      QStringLiteral("HU 海南航空股份有限公司"),
                                      QStringLiteral("3U 四川航空股份有限公司"),
                                      QStringLiteral("F4 上海国际货运航空有限公司"),
                                      QStringLiteral("CX 国泰航空有有限公司"),
                                      QStringLiteral("LH 汉莎航空公司"),
                                      QStringLiteral("SQ 新加坡航空公司"),
                                      QStringLiteral("NH 全日空航空公司")};
    return items;
}

struct Port
{
    QString name;
    QStringList calls;
};

// The eleven departure ports and the ports a line from them calls at on the way out.
const QVector<Port>& seaPorts()
{
    static const QVector<Port> ports = {
        {QStringLiteral("大连港"), {QStringLiteral("天津"), QStringLiteral("青岛")}},
        {QStringLiteral("上海港"), {QStringLiteral("宁波"), QStringLiteral("厦门")}},
        {QStringLiteral("宁波港"), {QStringLiteral("上海"), QStringLiteral("盐田")}},
        {QStringLiteral("深圳(蛇口)"), {QStringLiteral("香港"), QStringLiteral("南沙")}},
        {QStringLiteral("深圳(赤湾)"), {QStringLiteral("蛇口"), QStringLiteral("香港")}},
        {QStringLiteral("深圳(盐田)"), {QStringLiteral("香港"), QStringLiteral("新加坡")}},
        {QStringLiteral("厦门港"), {QStringLiteral("高雄"), QStringLiteral("香港")}},
        {QStringLiteral("广州(黄埔)"), {QStringLiteral("蛇口"), QStringLiteral("香港")}},
        {QStringLiteral("广州(南沙)"), {QStringLiteral("盐田"), QStringLiteral("新加坡")}},
        {QStringLiteral("天津港"), {QStringLiteral("大连"), QStringLiteral("青岛")}},
        {QStringLiteral("青岛港"), {QStringLiteral("上海"), QStringLiteral("宁波")}}};
    return ports;
}

struct SeaLane
{
    QString line;
    QStringList ports;
};

const QVector<SeaLane>& seaLanes()
{
    static const QVector<SeaLane> lanes = {
        {QStringLiteral("亚欧线"),
         {QStringLiteral("鹿特丹"), QStringLiteral("汉堡"), QStringLiteral("安特卫普"),
          QStringLiteral("费利克斯托")}},
        {QStringLiteral("美西线"),
         {QStringLiteral("洛杉矶"), QStringLiteral("长滩"), QStringLiteral("奥克兰")}},
        {QStringLiteral("东南亚线"),
         {QStringLiteral("新加坡"), QStringLiteral("巴生"), QStringLiteral("胡志明"),
          QStringLiteral("林查班")}},
        {QStringLiteral("日韩线"),
         {QStringLiteral("釜山"), QStringLiteral("东京"), QStringLiteral("横滨"),
          QStringLiteral("大阪")}},
        {QStringLiteral("中东线"),
         {QStringLiteral("迪拜"), QStringLiteral("达曼"), QStringLiteral("阿巴斯")}},
        {QStringLiteral("澳新线"),
         {QStringLiteral("悉尼"), QStringLiteral("墨尔本"), QStringLiteral("奥克兰(新西兰)")}}};
    return lanes;
}

const QStringList& carriers()
{
    static const QStringList items = {QStringLiteral("中远海运"),   QStringLiteral("马士基"),
                                      QStringLiteral("地中海航运"), QStringLiteral("达飞轮船"),
                                      QStringLiteral("长荣海运"),   QStringLiteral("东方海外"),
                                      QStringLiteral("赫伯罗特"),   QStringLiteral("阳明海运")};
    return items;
}

const QStringList& weekdays()
{
    static const QStringList items = {QStringLiteral("周一"), QStringLiteral("周二"),
                                      QStringLiteral("周三"), QStringLiteral("周四"),
                                      QStringLiteral("周五"), QStringLiteral("周六"),
                                      QStringLiteral("周日")};
    return items;
}

QString stationSuffix(SeedRandom& random)
{
    static const QStringList suffixes = {QStringLiteral("东"),   QStringLiteral("西"),
                                         QStringLiteral("南"),   QStringLiteral("北"),
                                         QStringLiteral("货场"), QStringLiteral("编组站")};
    return random.pick(suffixes);
}

QString clockText(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

SeedGenerator::SeedGenerator()
    : m_users{{QStringLiteral("zhangwei"), QStringLiteral("demo1234"), QStringLiteral("张伟"),
               QStringLiteral("男"), QStringLiteral("上海"), QStringLiteral("浦东新区"),
               QStringLiteral("浦东新区"), QStringLiteral("上海申通达物流有限公司"),
               QStringLiteral("13816620001"), QStringLiteral("021-58810001"),
               QStringLiteral("上海市浦东新区张江路88号"), true},
              {QStringLiteral("lina"), QStringLiteral("demo1234"), QStringLiteral("李娜"),
               QStringLiteral("女"), QStringLiteral("北京"), QStringLiteral("朝阳区"),
               QStringLiteral("朝阳区"), QStringLiteral("北京京顺货运代理有限公司"),
               QStringLiteral("13910020002"), QStringLiteral("010-65520002"),
               QStringLiteral("北京市朝阳区东三环中路12号"), true},
              {QStringLiteral("chenjie"), QStringLiteral("demo1234"), QStringLiteral("陈杰"),
               QStringLiteral("男"), QStringLiteral("广东"), QStringLiteral("广州"),
               QStringLiteral("白云区"), QStringLiteral("广州穗发货运有限公司"),
               QStringLiteral("13802230003"), QStringLiteral("020-86630003"),
               QStringLiteral("广州市白云区机场路36号"), true},
              {QStringLiteral("wanglei"), QStringLiteral("demo1234"), QStringLiteral("王磊"),
               QStringLiteral("男"), QStringLiteral("辽宁"), QStringLiteral("沈阳"),
               QStringLiteral("铁西区"), QStringLiteral("沈阳盛京物流有限公司"),
               QStringLiteral("13940240004"), QStringLiteral("024-25840004"),
               QStringLiteral("沈阳市铁西区北二路20号"), true},
              {QStringLiteral("liuyang"), QStringLiteral("demo1234"), QStringLiteral("刘洋"),
               QStringLiteral("女"), QStringLiteral("四川"), QStringLiteral("成都"),
               QStringLiteral("成华区"), QStringLiteral("成都蓉城配货站"),
               QStringLiteral("13880280005"), QStringLiteral("028-84380005"),
               QStringLiteral("成都市成华区二环路东二段7号"), true},
              {QStringLiteral("zhaoqiang"), QStringLiteral("demo1234"), QStringLiteral("赵强"),
               QStringLiteral("男"), QStringLiteral("湖北"), QStringLiteral("武汉"),
               QStringLiteral("江岸区"), QStringLiteral("武汉九通运输有限公司"),
               QStringLiteral("13971270006"), QStringLiteral("027-82770006"),
               QStringLiteral("武汉市江岸区解放大道1100号"), false},
              {QStringLiteral("sunli"), QStringLiteral("demo1234"), QStringLiteral("孙丽"),
               QStringLiteral("女"), QStringLiteral("浙江"), QStringLiteral("杭州"),
               QStringLiteral("萧山区"), QStringLiteral("杭州萧然物流有限公司"),
               QStringLiteral("15857170007"), QStringLiteral("0571-82870007"),
               QStringLiteral("杭州市萧山区市心北路55号"), false},
              {QStringLiteral("zhoujun"), QStringLiteral("demo1234"), QStringLiteral("周军"),
               QStringLiteral("男"), QStringLiteral("河南"), QStringLiteral("郑州"),
               QStringLiteral("管城回族区"), QStringLiteral("个人车主"),
               QStringLiteral("18638370008"), QStringLiteral("0371-66370008"),
               QStringLiteral("郑州市管城区货运南站"), false},
              {QStringLiteral("kefu"), QStringLiteral("seat2026"), QStringLiteral("客服座席"),
               QStringLiteral("女"), QStringLiteral("上海"), QStringLiteral("黄浦区"),
               QStringLiteral("黄浦区"), QStringLiteral("交易平台客服中心"),
               QStringLiteral("13800000000"), QStringLiteral("400-880-0000"),
               QStringLiteral("上海市黄浦区中山东一路1号"), false}}
{}

QString SeedGenerator::placeOf(const User& user)
{
    static const QStringList municipalities = {QStringLiteral("北京"), QStringLiteral("上海"),
                                               QStringLiteral("天津"), QStringLiteral("重庆")};
    return municipalities.contains(user.province) ? user.province : user.city;
}

QString SeedGenerator::landContact(const QString& plain)
{
    return DesEncryptHex(plain, QString::fromLatin1(kConfigurationKey));
}

QString SeedGenerator::scrambledContact(const QString& plain)
{
    return ScrambleField(plain);
}

QString SeedGenerator::contactLine(const User& user) const
{
    return QStringLiteral("%1 %2 %3").arg(user.contact, user.mobile, user.telephone);
}

QJsonObject SeedGenerator::seed() const
{
    QJsonObject seed;
    seed.insert(QStringLiteral("users"), userArray());
    seed.insert(QStringLiteral("land"), landListings());
    seed.insert(QStringLiteral("air"), airPrices());
    seed.insert(QStringLiteral("sea"), seaLines());
    seed.insert(QStringLiteral("rail"), railTrains());
    seed.insert(QStringLiteral("contacts"), contactPools());
    return seed;
}

QString SeedGenerator::accountsText() const
{
    QString text = QStringLiteral(
        "# Accounts of the sandbox exchange: user password city (written by tools/seedgen)\n");
    for (const User& user : m_users) {
        text += QStringLiteral("%1 %2 %3%4\n")
                    .arg(user.login, user.password, placeOf(user),
                         user.login == QLatin1String("kefu") ? QStringLiteral(" (agent seat)")
                                                             : QString());
    }
    return text;
}

QJsonArray SeedGenerator::userArray() const
{
    QJsonArray array;
    int number = 1001;
    for (const User& user : m_users) {
        QJsonObject o;
        o.insert(QStringLiteral("loginname"), user.login);
        o.insert(QStringLiteral("password"), user.password);
        o.insert(QStringLiteral("demo"), user.demo);
        o.insert(QStringLiteral("id"), number);
        o.insert(QStringLiteral("userlevel"), user.login == QLatin1String("kefu") ? 9 : 2);
        o.insert(QStringLiteral("sex"), user.sex);
        o.insert(QStringLiteral("qq"), QString::number(100000 + number * 37));
        o.insert(QStringLiteral("contact"), user.contact);
        o.insert(QStringLiteral("endate"), QStringLiteral("2027-12-31"));
        o.insert(QStringLiteral("mobile"), user.mobile);
        o.insert(QStringLiteral("email"), user.login + QStringLiteral("@example.com"));
        o.insert(QStringLiteral("idcardnumber"),
                 QStringLiteral("3101151980010%1").arg(number, 5, 10, QLatin1Char('0')));
        o.insert(QStringLiteral("company"), user.company);
        o.insert(QStringLiteral("telephone1"), user.telephone);
        o.insert(QStringLiteral("telephone2"), QString());
        o.insert(QStringLiteral("address"), user.address);
        o.insert(QStringLiteral("userprove"), user.province);
        o.insert(QStringLiteral("usercity"), user.city);
        o.insert(QStringLiteral("usercountry"), user.district);
        o.insert(QStringLiteral("usertype"), 1);
        array.append(o);
        ++number;
    }
    return array;
}

QJsonArray SeedGenerator::landListings() const
{
    SeedRandom random(20261208);
    QJsonArray array;
    QDateTime issued = newestIssue();
    const int senders = m_users.size() - 1; // the agent seat publishes as "-1"
    for (int i = 0; i < kLandCount; ++i) {
        const QString from =
            random.chance(50) ? random.pick(demoPlaces()) : random.pick(landPlaces());
        QString to = random.chance(50) ? random.pick(demoPlaces()) : random.pick(landPlaces());
        if (to == from)
            to = landPlaces().at((landPlaces().indexOf(from) + 7) % landPlaces().size());
        const bool truck = random.chance(35);
        const bool agent = random.chance(kAgentSharePercent);
        const User& user = m_users.at(random.between(0, senders - 1));
        QJsonObject o;
        o.insert(QStringLiteral("id"), 10000 + kLandCount - i);
        o.insert(QStringLiteral("title"),
                 truck ? truckTitle(random, from, to) : cargoTitle(random, from, to));
        o.insert(QStringLiteral("itype"), truck ? QStringLiteral("2") : QStringLiteral("1"));
        o.insert(QStringLiteral("issueat"), timeText(issued));
        o.insert(QStringLiteral("senderid"), agent ? QStringLiteral("-1") : user.login);
        o.insert(QStringLiteral("contact"),
                 landContact(agent ? QStringLiteral("平台客服 400-880-0000") : contactLine(user)));
        o.insert(QStringLiteral("position"), agent ? from : placeOf(user));
        o.insert(QStringLiteral("fromcity"), from);
        o.insert(QStringLiteral("tocity"), to);
        array.append(o);
        issued = issued.addSecs(-60 * random.between(3, 25));
    }
    return array;
}

QJsonArray SeedGenerator::airPrices() const
{
    SeedRandom random(7001);
    QJsonArray array;
    QDateTime issued = newestIssue();
    int id = 29999;
    for (const AirRoute& route : airRoutes()) {
        for (const Airport& from : departureAirports()) {
            if (!random.chance(55))
                continue;
            const Airport& to =
                route.destinations.at(random.between(0, route.destinations.size() - 1));
            const int base = random.between(8, 60);
            const bool agent = random.chance(20);
            const User& user = m_users.at(random.between(0, m_users.size() - 2));
            QJsonObject o;
            o.insert(QStringLiteral("id"), id--);
            o.insert(QStringLiteral("issueat"), timeText(issued));
            o.insert(QStringLiteral("startcn"), from.name);
            o.insert(QStringLiteral("starten"), from.code);
            o.insert(QStringLiteral("endcn"), to.name);
            o.insert(QStringLiteral("enden"), to.code);
            o.insert(
                QStringLiteral("price"),
                QStringLiteral("%1/%2/%3/%4").arg(base + 6).arg(base + 4).arg(base + 2).arg(base));
            o.insert(QStringLiteral("aircompany"), random.pick(airlines()));
            o.insert(QStringLiteral("aircyle"),
                     random.chance(50) ? QStringLiteral("1,3,5") : QStringLiteral("1,2,3,4,5,6,7"));
            o.insert(QStringLiteral("days"), QString::number(random.between(1, 5)));
            o.insert(QStringLiteral("isdirect"),
                     random.chance(60) ? QStringLiteral("直达") : QStringLiteral("中转"));
            o.insert(QStringLiteral("line"), route.line);
            o.insert(QStringLiteral("sender"), agent ? QStringLiteral("-1") : user.login);
            o.insert(QStringLiteral("contact"),
                     scrambledContact(agent ? QStringLiteral("平台客服 400-880-0000")
                                            : contactLine(user)));
            o.insert(QStringLiteral("mem"), random.chance(50)
                                                ? QStringLiteral("含燃油附加费")
                                                : QStringLiteral("运价不含操作费，需提前两天订舱"));
            array.append(o);
            issued = issued.addSecs(-60 * random.between(10, 90));
        }
    }
    return array;
}

QJsonArray SeedGenerator::seaLines() const
{
    SeedRandom random(8001);
    QJsonArray array;
    QDateTime issued = newestIssue();
    int id = 39999;
    for (const Port& port : seaPorts()) {
        for (const SeaLane& lane : seaLanes()) {
            const QString to = random.pick(lane.ports);
            const bool direct = random.chance(55);
            const QString via = direct ? QString() : random.pick(port.calls);
            const bool agent = random.chance(20);
            const User& user = m_users.at(random.between(0, m_users.size() - 2));
            QJsonObject o;
            o.insert(QStringLiteral("id"), id--);
            o.insert(QStringLiteral("issueat"), timeText(issued));
            o.insert(QStringLiteral("company"), random.pick(carriers()));
            o.insert(QStringLiteral("startport"), port.name);
            o.insert(QStringLiteral("toport"), to);
            o.insert(QStringLiteral("passoption"),
                     direct ? QStringLiteral("海运直达") : QStringLiteral("中转"));
            o.insert(QStringLiteral("passport"), via);
            o.insert(QStringLiteral("duty"), random.pick(weekdays()));
            o.insert(QStringLiteral("days"), QStringLiteral("%1天").arg(random.between(4, 38)));
            o.insert(QStringLiteral("passseq"),
                     QStringLiteral("%1-%2%3").arg(
                         port.name, via.isEmpty() ? QString() : via + QStringLiteral("-"), to));
            o.insert(QStringLiteral("line"), lane.line);
            o.insert(QStringLiteral("sender"), agent ? QStringLiteral("-1") : user.login);
            o.insert(QStringLiteral("contact"),
                     scrambledContact(agent ? QStringLiteral("平台客服 400-880-0000")
                                            : contactLine(user)));
            array.append(o);
            issued = issued.addSecs(-60 * random.between(10, 90));
        }
    }
    return array;
}

QJsonArray SeedGenerator::railTrains() const
{
    SeedRandom random(9001);
    QJsonArray array;
    QDateTime issued = newestIssue();
    int id = 49999;
    for (const QString& from : FixedLists::railStations()) {
        const int trains = random.between(2, 4);
        for (int t = 0; t < trains; ++t) {
            QString to = random.pick(FixedLists::railStations());
            if (to == from)
                to = FixedLists::railStations().at((FixedLists::railStations().indexOf(from) + 5) %
                                                   FixedLists::railStations().size());
            const int departure = random.between(0, 23 * 60);
            const int hours = random.between(8, 70);
            const bool agent = random.chance(20);
            const User& user = m_users.at(random.between(0, m_users.size() - 2));
            QJsonObject o;
            o.insert(QStringLiteral("id"), id--);
            o.insert(QStringLiteral("issueat"), timeText(issued));
            o.insert(QStringLiteral("triannum"),
                     QStringLiteral("X%1").arg(random.between(100, 9899)));
            o.insert(QStringLiteral("startcity"), from);
            o.insert(QStringLiteral("startport1"), from + stationSuffix(random));
            o.insert(QStringLiteral("startport2"), from + QStringLiteral("编组站"));
            o.insert(QStringLiteral("toport1"), to + stationSuffix(random));
            o.insert(QStringLiteral("toport2"), to + QStringLiteral("编组站"));
            o.insert(QStringLiteral("tocity"), to);
            o.insert(QStringLiteral("cycle"), QString::number(random.between(1, 7)));
            o.insert(QStringLiteral("starttime"), clockText(departure));
            o.insert(QStringLiteral("totime"), clockText(departure + hours * 60));
            o.insert(QStringLiteral("hours"), QString::number(hours));
            o.insert(QStringLiteral("sender"), agent ? QStringLiteral("-1") : user.login);
            o.insert(QStringLiteral("contact"),
                     scrambledContact(agent ? QStringLiteral("平台客服 400-880-0000")
                                            : contactLine(user)));
            array.append(o);
            issued = issued.addSecs(-60 * random.between(10, 90));
        }
    }
    return array;
}

// Ready-made contacts for the live publisher, which runs inside the exchange and has
// no DES of its own.
QJsonObject SeedGenerator::contactPools() const
{
    QJsonArray land;
    QJsonArray scrambled;
    const QStringList lines = {
        QStringLiteral("平台客服 400-880-0000"), QStringLiteral("调度中心 021-62880001"),
        QStringLiteral("配货专线 010-65880002"), QStringLiteral("值班经理 13800000000")};
    for (const QString& line : lines) {
        land.append(landContact(line));
        scrambled.append(scrambledContact(line));
    }
    QJsonObject pools;
    pools.insert(QStringLiteral("land"), land);
    pools.insert(QStringLiteral("scrambled"), scrambled);
    return pools;
}
