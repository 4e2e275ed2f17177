-- Fixed content of the web site: advertisements, notices, agent contacts, fee areas,
-- recommendations and tenders. Cities without an entry of their own get the "*" one.
local content = {};

content.status_ads = {
	["*"] = {
		{ content = "全国货运信息交易平台，每天数万条货源车源实时更新", linkaddress = "/ad/021.htm" },
		{ content = "诚信会员认证，交易更放心", linkaddress = "/ad/protocl.html" },
		{ content = "空运、海运、铁路运价一站查询", linkaddress = "/ad/headAd.htm" },
	},
	["上海"] = {
		{ content = "上海运营中心：浦东、嘉定专线车源充足，欢迎来电洽谈", linkaddress = "/ad/021.htm" },
		{ content = "上海至全国整车零担，当天发车", linkaddress = "/ad/headAd.htm" },
	},
	["北京"] = {
		{ content = "北京运营中心：京津冀冷链专线招募合作车辆", linkaddress = "/ad/021.htm" },
	},
	["广州"] = {
		{ content = "广州运营中心：珠三角至西南、华北回程车优惠", linkaddress = "/ad/021.htm" },
	},
};

content.agent_contacts = {
	["上海"] = "上海运营中心 021-62880001",
	["北京"] = "北京运营中心 010-65880002",
	["广州"] = "广州运营中心 020-83880003",
	["沈阳"] = "沈阳运营中心 024-22880004",
	["成都"] = "成都运营中心 028-86880005",
	["*"] = "全国服务热线 400-880-0000",
};

content.fee_areas = { "上海", "北京", "天津", "重庆", "广东", "江苏", "浙江", "山东",
	"辽宁", "四川", "湖北", "河南" };

content.notices = {
	["*"] = {
		"关于规范货源信息发布的通知：请如实填写起止地点与联系方式。",
		"平台将于每周日凌晨2点至4点进行系统维护。",
		"谨防诈骗：平台不会以任何理由要求会员转账。",
	},
	["上海"] = { "上海地区：外环以内货车限行时段调整，请合理安排运输。" },
	["成都"] = { "成都地区：成渝高速部分路段施工，请绕行。" },
};

content.recommendations = {
	["*"] = {
		{ "诚信物流", "专业零担整车运输，全国线路" },
		{ "快捷配货", "空车配货，回程车优先" },
	},
	["上海"] = { { "申通物流园", "上海至华北、东北专线" }, { "浦东货运站", "冷链、危险品资质齐全" } },
	["北京"] = { { "京顺物流", "北京至华东、华南专线" } },
	["广州"] = { { "穗发货运", "广州至西南、西北专线" } },
	["沈阳"] = { { "盛京物流", "东北三省整车运输" } },
	["成都"] = { { "蓉城配货站", "成都至全国回程车" } },
};

content.tender_categories = { "厂家招标", "代理商招标", "批发商招标", "其它行业招标" };
content.tenders = {
	{ cat = 1, title = "某电器厂2026年度华东区域整车运输招标", date = "2026-11-28" },
	{ cat = 1, title = "汽车零部件厂入厂物流服务商招标", date = "2026-11-20" },
	{ cat = 2, title = "饮料代理商华南配送运输招标", date = "2026-11-25" },
	{ cat = 3, title = "农副产品批发市场冷链运输招标", date = "2026-11-22" },
	{ cat = 3, title = "建材批发商西南线路零担运输招标", date = "2026-11-18" },
	{ cat = 4, title = "医药行业温控运输服务招标", date = "2026-11-15" },
};

function content.for_city(map, city)
	return map[city] or map["*"];
end

return content;
