#include "refdata/PortTables.h"

QString PortTables::portsText()
{
    return QStringLiteral("大连港=DALIAN,上海港=SHANGHAI,宁波港=NINGBO,深圳(蛇口)=SHENZHEN(SHEKOU),"
                          "深圳(赤湾)=SHENZHEN(CHIWAN),深圳(盐田)=SHENZHEN(YANTIAN),厦门港=XIAMEN,"
                          "广州(黄埔)=GUANGZHOU(HUANGPU),广州(南沙)=GUANGZHOU(NANSHA),"
                          "天津港=TIANJIN(XINGANG),青岛港=QINGDAO");
}

QString PortTables::airportsText()
{
    return QStringLiteral(
        "阿勒泰=AAT,海口=HAK,宏芒市=LUM,威海=WEH,安康=AKA,呼和浩特=HEI,庐山=LUZ,温州=WNZ,"
        "阿克苏=AKU,黑河=HEK,拉萨=LXA,武汉=WUH,阿拉木图=ALA,合肥=HFE,林西=LXI,武夷山=WUS,"
        "鞍山=AOG,杭州=HGH,洛阳=LYA,万州=WXN,安庆=AQG,长沙/黄花=HHA,连云港=LYG,兴城=XEN,"
        "安阳=AYN,海拉尔=HLD,临沂=LYI,襄樊=XFN,包头=BAV,乌兰浩特=HLH,兰州东=LZD,西昌=XIC,"
        "蚌埠=BFU,哈密=HMI,柳州=LZH,锡林浩特=XIL,北海=BHY,衡阳=HNY,泸州=LZO,兴宁=XIN,"
        "北京=BJS,哈尔滨=HRB,牡丹江=MDG,西安咸阳机=XIY,保山=BSD,舟山=HSN,绵阳=MIG,厦门=XMN,"
        "广州=CAN,和田=HTN,梅县=MXZ,西宁=XNN,潮州=CCC,徽州=HUZ,南充=NAO,徐州=XUZ,"
        "常德=CGD,黄岩=HYN,齐齐哈尔=NDG,宜宾=YBP,郑州=CGO,汉中=HZG,宁波=NGB,运城=YCU,"
        "长春=CGQ,银川=INC,南京=NKG,宜昌=YIH,朝阳=CHG,庆阳=IQN,南宁=NNG,伊宁=YIN,"
        "酒泉=CHW,景德镇=JDZ,南阳=NNY,义乌=YIW,赤峰=CIF,嘉峪关=JGN,南通=NTG,延吉=YNJ,"
        "长治=CIH,西双版纳=JHG,北京首都机场=PEK,烟台=YNT,重庆=CKG,吉林=JIL,上海浦东=PVG,昭通=ZAT,"
        "长海=CNI,九江=JIU,上海虹桥=SHA,湛江=ZHA,长沙=CSX,泉州晋江=JJN,沈阳=SHE,中甸=ZHD,"
        "成都=CTU,佳木斯=JMU,秦皇岛=SHP,珠海=ZUH,常州=CZX,济宁=JNG,沙市=SHS,遵义=ZYI,"
        "大同=DAT,锦州=JNZ,西安=SIA,达县=DAX,衢州=JUZ,汕头=SWA,丹东=DDG,库车=KCA,"
        "思茅=SYM,迪庆香格里拉=DIG,喀什=KHG,三亚=SYX,大连=DLC,南昌=KHN,深圳=SZX,大理=DLU,"
        "昆明=KMG,青岛=TAO,敦煌=DNH,吉安=KNC,铜仁=TEN,张家界=DYG,赣州=KOW,通辽=TGO,"
        "恩施=ENH,库尔勒=KRL,济南=TNA,延安=ENY,克拉玛依=KRY,天津=TSN,福州=FOC,贵阳=KWE,"
        "黄山=TXN,阜阳=FUG,桂林=KWL,太原=TYN,佛山=FUO,兰州=LHW,乌鲁木齐=URC,广汉=GHN,"
        "梁平=LIA,榆林=UYN,格尔木=GOQ,丽江=LJG,潍坊=WEF");
}

const NameValueTable& PortTables::ports()
{
    static const NameValueTable table = NameValueTable::fromText(portsText());
    return table;
}

const NameValueTable& PortTables::airports()
{
    static const NameValueTable table = NameValueTable::fromText(airportsText());
    return table;
}
