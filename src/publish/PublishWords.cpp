#include "publish/PublishWords.h"

namespace {

QStringList split(const QString& words)
{
    return words.split(QStringLiteral("、"));
}

} // namespace

const QStringList& PublishWords::joiners()
{
    static const QStringList list{QStringLiteral("-->"), QStringLiteral("==>"),
                                  QStringLiteral("到"),  QStringLiteral("去"),
                                  QStringLiteral("至"),  QStringLiteral("往")};
    return list;
}

const QStringList& PublishWords::goods()
{
    static const QStringList list{
        QStringLiteral("整车"),     QStringLiteral("零担"),   QStringLiteral("重货"),
        QStringLiteral("泡货"),     QStringLiteral("漂货"),   QStringLiteral("普货"),
        QStringLiteral("化工"),     QStringLiteral("设备"),   QStringLiteral("蔬菜"),
        QStringLiteral("建材"),     QStringLiteral("木材"),   QStringLiteral("食品"),
        QStringLiteral("粮食"),     QStringLiteral("冻品"),   QStringLiteral("农副产品"),
        QStringLiteral("保温材料"), QStringLiteral("水果"),   QStringLiteral("矿石"),
        QStringLiteral("煤"),       QStringLiteral("医药"),   QStringLiteral("家具"),
        QStringLiteral("纸箱"),     QStringLiteral("危化品"), QStringLiteral("随便装"),
        QStringLiteral("配件"),     QStringLiteral("小货"),   QStringLiteral("捎带货")};
    return list;
}

const QStringList& PublishWords::goodsUnits()
{
    static const QStringList list{QStringLiteral("吨"), QStringLiteral("方"), QStringLiteral("件"),
                                  QStringLiteral("车")};
    return list;
}

const QStringList& PublishWords::truckLengths()
{
    static const QStringList list{
        QStringLiteral("4米"),    QStringLiteral("4.2米"),  QStringLiteral("4.3米"),
        QStringLiteral("4.5米"),  QStringLiteral("4.8米"),  QStringLiteral("5米"),
        QStringLiteral("5.8米"),  QStringLiteral("6米"),    QStringLiteral("6.2米"),
        QStringLiteral("6.8米"),  QStringLiteral("7米"),    QStringLiteral("7.2米"),
        QStringLiteral("7.4米"),  QStringLiteral("7.8米"),  QStringLiteral("8米"),
        QStringLiteral("8.7米"),  QStringLiteral("8.8米"),  QStringLiteral("9米"),
        QStringLiteral("9.6米"),  QStringLiteral("12.5米"), QStringLiteral("13米"),
        QStringLiteral("13.5米"), QStringLiteral("17.5米")};
    return list;
}

const QStringList& PublishWords::truckTypes()
{
    static const QStringList list{
        QStringLiteral("普通车"),   QStringLiteral("前四后八"), QStringLiteral("敞蓬车"),
        QStringLiteral("平板车"),   QStringLiteral("高栏车"),   QStringLiteral("集装箱"),
        QStringLiteral("冷藏车"),   QStringLiteral("起重车"),   QStringLiteral("后八轮"),
        QStringLiteral("单桥车"),   QStringLiteral("自卸车"),   QStringLiteral("半封闭车"),
        QStringLiteral("半挂车"),   QStringLiteral("保温车"),   QStringLiteral("双桥车"),
        QStringLiteral("加长挂车"), QStringLiteral("棉被车"),   QStringLiteral("前四后十"),
        QStringLiteral("大笼子车"), QStringLiteral("高低板")};
    return list;
}

const QStringList& PublishWords::priceWords()
{
    static const QStringList list{
        QStringLiteral("给钱就走"), QStringLiteral("价高急走"), QStringLiteral("面议"),
        QStringLiteral("元/车"),    QStringLiteral("元/吨"),    QStringLiteral("元/方"),
        QStringLiteral("元/件"),    QStringLiteral("元/总价"),  QStringLiteral("运价好商量")};
    return list;
}

const QStringList& PublishWords::digitPadKeys()
{
    static const QStringList list{
        QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("X"),
        QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("清"),
        QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("←"),
        QStringLiteral("0"), QStringLiteral("."), QStringLiteral("0"), QStringLiteral("00")};
    return list;
}

const QStringList& PublishWords::wordPad()
{
    static const QStringList list{
        QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("4"),
        QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),
        QStringLiteral("9"),  QStringLiteral("0"),  QStringLiteral("00"), QStringLiteral("元/吨"),
        QStringLiteral("。"), QStringLiteral("，"), QStringLiteral("."),  QStringLiteral("；"),
        QStringLiteral("-"),  QStringLiteral("/"),  QStringLiteral(">"),  QStringLiteral("-->"),
        QStringLiteral("急"), QStringLiteral("需"), QStringLiteral("要"), QStringLiteral("求"),
        QStringLiteral("有"), QStringLiteral("发"), QStringLiteral("到"), QStringLiteral("回"),
        QStringLiteral("去"), QStringLiteral("车"), QStringLiteral("货"), QStringLiteral("吨"),
        QStringLiteral("米"), QStringLiteral("元"), QStringLiteral("电")};
    return list;
}

const QVector<PublishWords::Menu>& PublishWords::menus()
{
    static const QVector<Menu> list = [] {
        QVector<Menu> cargo3;
        cargo3.append(
            {QStringLiteral("原材料钢材类1"),
             QString(),
             split(QStringLiteral("铁、硅铁、硅钙、硅钡、硅锰、锰铁、烙铁、生铁、面包铁、碳化硅、硅"
                                  "渣、硅微粉、加密硅微粉、钢材、钢管、钢板、废钢、废铁、铁粉、铁沫"
                                  "、铁件、铝锭、镁锭、电石、化工、片碱、泡花碱、球团")),
             {}});
        cargo3.append(
            {QStringLiteral("原材料钢材类2"),
             QString(),
             split(QStringLiteral(
                 "废铝铜、石膏粉、石灰蛋、工业钠、工业蔡、高岭土、铝矾土、耐火土、腐植酸钠、盐、树"
                 "脂、塑料、废塑料、PVC颗粒、铸件、熟料、瓷砖、空心砖、耐火砖、地板砖、白灰、水泥、"
                 "矿石、石料、农药、化肥、洗衣粉、肥皂、轮胎、废轮胎、玻璃")),
             {}});
        cargo3.append(
            {QStringLiteral("煤炭品1"),
             QString(),
             split(QStringLiteral("煤、块煤、原煤、沫煤、精煤、洗煤、烟煤、无烟煤、调运煤、精洗煤、"
                                  "煤矸石、煤焦油、粗苯、2-4煤、2-6煤、3-8煤、煤泥、粉煤灰")),
             {}});
        cargo3.append({QStringLiteral("煤炭品2"),
                       QString(),
                       split(QStringLiteral("焦炭、炭黑、碳素、木炭、大焦、小焦、焦粉、增碳剂、活性"
                                            "炭、电极糊、蓝炭、电锻料、沥青、煤沥青")),
                       {}});
        cargo3.append(
            {QStringLiteral("瓜果蔬菜类"),
             QString(),
             split(QStringLiteral(
                 "香瓜、西瓜、密瓜、哈密瓜、橘子、香蕉、桔子、苹果、梨、桃子、红枣、葡萄、沙果、菇"
                 "娘、海带、圆葱、萝卜、白菜、西红柿、菠菜、辣椒、豆角、芹菜、韭菜、大蒜、蒜苔、土"
                 "豆、大头菜、脱水菜、南瓜、冬瓜、黄瓜、茄子、西葫芦、蕃茄酱")),
             {}});
        cargo3.append({QStringLiteral("车辆类"),
                       QString(),
                       split(QStringLiteral(
                           "收割机、装载机、翻斗车、挖机、推土机、叉车、铲车、搅拌机、小汽车")),
                       {}});
        cargo3.append(
            {QStringLiteral("副食品"),
             QString(),
             split(QStringLiteral(
                 "面粉、奶粉、牛奶、饼干、酒、白酒、啤酒、蜂蜜、花生米、小食品、豆饼、饲料")),
             {}});
        cargo3.append({QStringLiteral("农产品"),
                       QString(),
                       split(QStringLiteral("黄豆、芸豆、大豆、绿豆、大米、水稻、胡麻、葵花、油葵、"
                                            "玉米、花生、花生果、枸杞子、瓜籽")),
                       {}});
        cargo3.append({QStringLiteral("纸类"),
                       QString(),
                       split(QStringLiteral("纸箱、废纸壳、废书本、废报纸、打包纸、压缩纸、黄板纸、"
                                            "书纸、筒纸、小卷纸、卫生纸、面巾纸、餐巾纸、油毡纸")),
                       {}});
        cargo3.append(
            {QStringLiteral("草木类"),
             QString(),
             split(QStringLiteral("苇包、苇块、苇捆、苇杆、苇子、工艺苇帘、草帘子、草包、草块、草捆"
                                  "、草坪、树苗、药材、原木、木材、木杆、筷子")),
             {}});
        cargo3.append({QStringLiteral("动物类"),
                       QString(),
                       split(QStringLiteral("蜜蜂、牛、马、羊、猪、带鱼")),
                       {}});
        cargo3.append({QStringLiteral("电器类"),
                       QString(),
                       split(QStringLiteral("冰箱、电视、洗衣机、空调、电脑")),
                       {}});
        cargo3.append({QStringLiteral("丝毛类"),
                       QString(),
                       split(QStringLiteral("猪毛、毛渣、羊毛、鹅毛、皮子、羊皮、牛皮")),
                       {}});
        cargo3.append(
            {QStringLiteral("其它类"),
             QString(),
             split(QStringLiteral(
                 "电缆、塔吊、钢模板、奇石、工艺品、空桶、油桶、棉被、海鲜、冻货、甘草、啤酒瓶")),
             {}});
        return QVector<Menu>{
            {QStringLiteral("货物1"),
             QStringLiteral("mnuCargo1"),
             split(QStringLiteral("整车、零担、抛货、泡货、重货、普货、危货、小货、倒短货、回程货、"
                                  "大量货、长期货、搬家货")),
             {}},
            {QStringLiteral("货物3"), QStringLiteral("mnuCargo3"), {}, cargo3},
            {QStringLiteral("运费"),
             QStringLiteral("mnuPrice"),
             split(QStringLiteral("价格急走、价格高、价格面议、价格好商量、全价")),
             {}},
            {QStringLiteral("常用短语"),
             QStringLiteral("mnuWord"),
             split(QStringLiteral(
                 "随车装、车已定好、马上装车、不占空间、请打手机、更正信息、在一个厂装、货在本站、"
                 "货主在本站等、货主跟车、货主管饭、两货可一起走、今天定车、明早装车、晚上也可以装"
                 "、求多部后八轮或半挂、求大小车、货已定请勿扰、装车付一半运费,货到付清、货到就卸,"
                 "不压车、大吨位、请联系、速回电联系")),
             {}},
            {QStringLiteral("[单位]"),
             QStringLiteral("mnuUnit"),
             split(QStringLiteral("台、部、方、件、张、箱、立方、公斤、公里")),
             {}},
        };
    }();
    return list;
}

const QVector<PublishWords::Grid>& PublishWords::grids()
{
    static const QVector<Grid> list{
        {QStringLiteral("货物2"), QStringLiteral("货物2"), 6,
         split(QStringLiteral("原料、配件、矿产、设备、仪器、电器、家具、建材、药材、医药、食品、粮"
                              "食、蔬菜、水果、饮料、牧畜、牧产品、渔产品、化工、化肥农药、轻工产品"
                              "、危险品、石油及制品、冻品、煤炭、肉制品、瓜果、大型设备、矿石"))},
        {QStringLiteral("车型"), QStringLiteral("车型"), 6,
         split(QStringLiteral("普通车、前四后四、前四后八、敞逢车、平板车、高栏车、集装箱、冷藏车、"
                              "起重车、后八轮、单桥车、自卸车、半封闭车、半挂车、保温车、双桥车、加"
                              "长挂车、棉被车、前四后十、大笼子车、高低板"))},
        {QStringLiteral("车长"), QStringLiteral("车长"), 6,
         split(QStringLiteral("4、4.2、4.3、4.5、4.8、5、5.8、6、6.2、6.8、7、7.2、7.4、7.8、8、8."
                              "7、8.8、9、9.6、12.5、13、13.5、17.5"))},
        {QStringLiteral("常用词"), QStringLiteral("常用词"), 7,
         split(
             QStringLiteral("早上、上午、中午、下午、晚上、今天、明早、每天、袋装、桶装、箱装、货源"
                            "、货主、配货、短途、长途、本地、本站、长期、回程、专线、定车、以上、以"
                            "下、以内、左右、方向、附近、最好、吨位、联系、运费、车型、不限"))},
    };
    return list;
}

const QStringList& PublishWords::sailingDays()
{
    static const QStringList list{QStringLiteral("周一"), QStringLiteral("周二"),
                                  QStringLiteral("周三"), QStringLiteral("周四"),
                                  QStringLiteral("周五"), QStringLiteral("周六"),
                                  QStringLiteral("周日")};
    return list;
}

const QStringList& PublishWords::shipmentKinds()
{
    static const QStringList list{QStringLiteral("海运直达"), QStringLiteral("海运中转")};
    return list;
}
