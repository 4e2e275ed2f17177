-- The listings of the exchange: land cargo and trucks, air prices, sea lines and rail
-- trains. Seed listings come from seed/seed.json; published ones are kept in the
-- "exchange_published" store so a run started with --keep still has them.
--
-- Every list is kept newest first. Records carry the field names of the SOAP rows
-- (plus fromcity/tocity for land listings, which the rows do not show).
local json = require "util.json";

local listings = {};

local KINDS = { "land", "air", "sea", "rail" };

-- Keys of the JSON rows that the list operations answer with, per kind.
listings.ROW_KEYS = {
	land = { "id", "title", "itype", "issueat", "senderid", "contact", "position" },
	air = { "startcn", "starten", "endcn", "enden", "price", "aircompany", "aircyle",
		"days", "isdirect", "line", "sender", "contact", "mem" },
	sea = { "company", "startport", "toport", "passoption", "passport", "duty", "days",
		"passseq", "line", "sender", "contact" },
	rail = { "triannum", "startport1", "startport2", "toport2", "cycle", "starttime",
		"totime", "startcity", "tocity", "toport1", "hours", "sender", "contact" },
};

-- Sea ports travel as codes in queries but are stored by name.
listings.PORT_CODES = {
	["大连港"] = "DALIAN", ["上海港"] = "SHANGHAI", ["宁波港"] = "NINGBO",
	["深圳(蛇口)"] = "SHENZHEN(SHEKOU)", ["深圳(赤湾)"] = "SHENZHEN(CHIWAN)",
	["深圳(盐田)"] = "SHENZHEN(YANTIAN)", ["厦门港"] = "XIAMEN",
	["广州(黄埔)"] = "GUANGZHOU(HUANGPU)", ["广州(南沙)"] = "GUANGZHOU(NANSHA)",
	["天津港"] = "TIANJIN(XINGANG)", ["青岛港"] = "QINGDAO",
};

local lists = { land = {}, air = {}, sea = {}, rail = {} };
local next_id = 1;
local published_store;
-- The published listings of each kind, oldest first, as the store keeps them. Written back
-- shortly after a change instead of on every publish: rewriting the whole list each time
-- made a burst of publications slow down as it grew.
local published = { land = {}, air = {}, sea = {}, rail = {} };
local unsaved = {};
local save_scheduled = false;
local SAVE_DELAY = 0.5;

function listings.load(seed, store)
	published_store = store;
	for _, kind in ipairs(KINDS) do
		published[kind] = store:get(kind) or {};
		lists[kind] = {};
		-- published ones are newer than the seed; the store keeps them oldest first
		for i = #published[kind], 1, -1 do table.insert(lists[kind], published[kind][i]); end
		for _, record in ipairs(seed[kind] or {}) do table.insert(lists[kind], record); end
		for _, record in ipairs(lists[kind]) do
			local id = tonumber(record.id) or 0;
			if id >= next_id then next_id = id + 1; end
		end
	end
end

-- Writes every changed list to the store now.
function listings.save()
	save_scheduled = false;
	for kind in pairs(unsaved) do
		local ok, err = published_store:set(kind, published[kind]);
		if not ok then module:log("warn", "could not keep published %s listings: %s", kind, tostring(err)); end
	end
	unsaved = {};
end

-- Stores a new listing at the top of its list, with a fresh id and issue time.
function listings.add(kind, record, issued_at)
	record.id = next_id;
	next_id = next_id + 1;
	record.issueat = issued_at;
	table.insert(lists[kind], 1, record);
	table.insert(published[kind], record);
	unsaved[kind] = true;
	if not save_scheduled then
		save_scheduled = true;
		module:add_timer(SAVE_DELAY, function() listings.save(); end);
	end
	return record;
end

function listings.all(kind)
	return lists[kind];
end

-- City names are compared without a trailing 市, so "上海" and "上海市" meet.
local function city(name)
	name = (name or ""):match("^%s*(.-)%s*$");
	return (name:gsub("市$", ""));
end
listings.city = city;

local function set_of(items)
	local set = {};
	for _, item in ipairs(items) do
		if item ~= "" then set[city(item)] = true; end
	end
	return next(set) and set or nil;
end

-- "a,b,c," as the search form sends its destinations.
function listings.comma_list(text)
	local items = {};
	for item in (text or ""):gmatch("[^,]+") do table.insert(items, item); end
	return set_of(items);
end

-- "'a','b','c'" as the subscription form sends its cities; a quote inside a name is doubled.
function listings.quoted_list(text)
	local items, i = {}, 1;
	text = text or "";
	while i <= #text do
		if text:sub(i, i) == "'" then
			local j, name = i + 1, {};
			while j <= #text do
				local ch = text:sub(j, j);
				if ch == "'" and text:sub(j + 1, j + 1) == "'" then
					table.insert(name, "'"); j = j + 2;
				elseif ch == "'" then
					break;
				else
					table.insert(name, ch); j = j + 1;
				end
			end
			table.insert(items, table.concat(name));
			i = j + 1;
		else
			i = i + 1;
		end
	end
	return set_of(items);
end

local function category_matches(record, category)
	return category == nil or category == "" or tostring(record.itype) == category;
end

-- Filters for the land operations. local: from or to the city; otherwise the
-- given departure and/or destination.
function listings.land_filter(fromcity, tocity, category, blocal)
	local from, to = city(fromcity), city(tocity);
	return function (r)
		if not category_matches(r, category) then return false; end
		if blocal == "1" then
			local here = from ~= "" and from or to;
			return city(r.fromcity) == here or city(r.tocity) == here;
		end
		return (from == "" or city(r.fromcity) == from) and (to == "" or city(r.tocity) == to);
	end;
end

function listings.search_filter(fromcity, tocity_list, category)
	local from, destinations = city(fromcity), listings.comma_list(tocity_list);
	return function (r)
		return category_matches(r, category)
			and (from == "" or city(r.fromcity) == from)
			and (destinations == nil or destinations[city(r.tocity)] == true);
	end;
end

function listings.subscription_filter(citylst)
	local cities = listings.quoted_list(citylst);
	return function (r)
		return cities ~= nil and (cities[city(r.fromcity)] or cities[city(r.tocity)]) == true;
	end;
end

local function empty_or(value, actual)
	return value == nil or value == "" or value == actual;
end

function listings.air_filter(line, company, startcn, starten)
	return function (r)
		return empty_or(line, r.line)
			and (company == nil or company == "" or (r.aircompany or ""):find(company, 1, true) ~= nil
				or company:find(r.aircompany or "", 1, true) ~= nil)
			and empty_or(startcn, r.startcn)
			and (starten == nil or starten == "" or (r.starten or ""):upper() == starten:upper());
	end;
end

function listings.sea_filter(startport, toport, company, line)
	return function (r)
		return (startport == nil or startport == "" or listings.PORT_CODES[r.startport] == startport
				or r.startport == startport)
			and empty_or(toport, r.toport) and empty_or(company, r.company) and empty_or(line, r.line);
	end;
end

function listings.rail_filter(triannum, fromcity, startport2, toport2, tocity)
	return function (r)
		return empty_or(triannum, r.triannum) and empty_or(fromcity, r.startcity)
			and empty_or(startport2, r.startport2) and empty_or(toport2, r.toport2)
			and empty_or(tocity, r.tocity);
	end;
end

function listings.count(kind, filter)
	local n = 0;
	for _, r in ipairs(lists[kind]) do
		if filter(r) then n = n + 1; end
	end
	return n;
end

-- One page of rows, newest first, each with exactly the row keys of its kind.
function listings.page(kind, filter, page_number, page_size)
	local first = ((tonumber(page_number) or 1) - 1) * page_size + 1;
	if first < 1 then first = 1; end
	local rows, seen = {}, 0;
	for _, r in ipairs(lists[kind]) do
		if filter(r) then
			seen = seen + 1;
			if seen >= first then
				local row = {};
				for _, key in ipairs(listings.ROW_KEYS[kind]) do row[key] = r[key] or ""; end
				table.insert(rows, row);
				if #rows == page_size then break; end
			end
		end
	end
	return json.encode_array(rows);
end

return listings;
