-- Live publisher for the demo (sandbox/run --live): every few seconds the agent seat
-- publishes a plausible listing of a random kind, so rows arrive on screen.
-- Contacts come from the seed's ready-made pools (DES hex for land, scrambled for the rest).
local publish = exchange_require "exchange_publish";

local live = {};

-- Cities as the client's region tree names them: municipalities bare, others with 市.
local CITIES = { "上海", "北京", "广州市", "沈阳市", "成都市", "武汉市", "杭州市", "南京市", "郑州市",
	"西安市", "天津", "重庆", "长沙市", "济南市", "青岛市", "苏州市", "东莞市", "昆明市" };
local GOODS = { "建材", "日用百货", "机械设备", "钢材", "化肥", "家具", "电子产品", "服装", "食品饮料", "纸制品" };
local TRUCKS = { "9.6米厢式货车", "13米平板车", "6.8米高栏车", "17.5米半挂车", "4.2米冷藏车" };
local PORTS = { "大连港", "上海港", "宁波港", "深圳(蛇口)", "厦门港", "天津港", "青岛港" };
local FOREIGN = { "釜山", "东京", "新加坡", "鹿特丹", "汉堡", "洛杉矶", "迪拜" };
local BUREAUS = { "哈尔滨", "沈阳", "北京", "郑州", "西安", "成都", "上海", "广州", "武汉" };

local function pick(list) return list[math.random(#list)]; end

local function land_fields(pools)
	local truck = math.random(2) == 2;
	local from, to = pick(CITIES), pick(CITIES);
	local title = truck and (from .. "有" .. pick(TRUCKS) .. "一辆，求" .. to .. "方向货源")
		or (from .. "→" .. to .. " " .. pick(GOODS) .. math.random(5, 30) .. "吨，求车");
	return "cargo", { title = title, fromcity = from, tocity = to, position = from,
		category = truck and "2" or "1", contact = pick(pools.land) };
end

local function air_fields(pools)
	return "airprice", { starcn = "上海浦东", starten = "PVG", endcn = pick(FOREIGN), enden = "XXX",
		airline = "亚洲线", cycle = "1,3,5", price = ("%d/%d/%d/%d"):format(30, 28, 26, 24),
		days = tostring(math.random(1, 4)), aircompany = "MU 中国东方航空股份有限公司",
		direct = math.random(2) == 1 and "直达" or "中转", contact = pick(pools.scrambled), mem = "实时运价" };
end

local function sea_fields(pools)
	return "sealine", { startport = pick(PORTS), toport = pick(FOREIGN), passport = "", duty = "周三",
		days = tostring(math.random(5, 30)), sdirect = "海运直达", scomp = "中远海运", line = "亚欧线",
		portseq = "", contact = pick(pools.scrambled) };
end

local function rail_fields(pools)
	local from, to = pick(BUREAUS), pick(BUREAUS);
	return "trianinfo", { triannum = "X" .. math.random(100, 999), startcity = from,
		startport1 = from .. "东", startport2 = from .. "北", toport1 = to .. "南", toport2 = to .. "西",
		tocity = to, cycle = tostring(math.random(1, 7)), starttime = "08:30", totime = "次日18:00",
		hours = tostring(math.random(10, 60)), contact = pick(pools.scrambled) };
end

function live.start(pools, interval)
	local makers = { land_fields, land_fields, air_fields, sea_fields, rail_fields };
	module:add_timer(interval, function ()
		local kind, fields = pick(makers)(pools);
		publish.publish(kind, fields, "-1");
		return interval;
	end);
	module:log("info", "live publisher on, one listing every %d s", interval);
end

return live;
