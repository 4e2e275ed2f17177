-- HTTP routes of the web site. Route values arrive percent-decoded; any Host header is
-- accepted (the client connects to 127.0.0.1 and keeps www.localhost or admin.localhost).
--
-- Answer forms: "plain" and "UTF-8 text" are the body as is; "scrambled" is the
-- scrambled UTF-8 text; "boolean word" is true/false.
local json = require "util.json";
local codec = exchange_require "exchange_codec";
local content = exchange_require "exchange_content";
local accounts = exchange_require "exchange_accounts";
local listings = exchange_require "exchange_listings";
local pages = exchange_require "exchange_pages";
local soap = exchange_require "exchange_soap";
local update = exchange_require "exchange_update";

local web = {};
local site_dir = module:get_option_string("exchange_site_dir");

-- SMS codes cannot leave the machine: they are logged and kept here for /sandbox/sms/.
-- A code is good for 30 minutes, as the registration window tells the user.
local sms_codes = {};
local SMS_CODE_LIFETIME = 30 * 60;

local function text(event, body, status, content_type)
	event.response.headers.content_type = content_type or "text/plain; charset=utf-8";
	event.response.status_code = status or 200;
	return body;
end
local function html(event, body, status) return text(event, body, status, "text/html; charset=utf-8"); end
local function scrambled(event, value) return text(event, codec.scramble(value)); end

local function site_address(event)
	return "http://" .. (event.request.headers.host or "www.localhost");
end

local function valid_mobile(mobile)
	return #mobile == 11 and mobile:match("^1[358]%d+$") ~= nil;
end

local function user_info(event, name)
	local profile = accounts.profile(name);
	if not profile then return text(event, ""); end
	return scrambled(event, json.encode(accounts.profile_json_fields(profile)));
end

local function register(event)
	local f = codec.form_decode(event.request.body);
	local profile = {
		contact = f.contact or "", sex = f.sex or "", telephone1 = f.telephone1 or "",
		telephone2 = "", mobile = f.mobile or "", email = f.email or "", qq = f.qq or "",
		company = f.company or "", userprove = f.userprove or "", usercity = f.usercity or "",
		usercountry = "", address = f.address or "", idcardnumber = "",
		usertype = tonumber(f.usertype) or 1, endate = os.date("%Y-%m-%d", os.time() + 365 * 86400),
	};
	local user, err = accounts.create(codec.trim(f.loginname), f.password, profile);
	module:log("info", "registration of %q: %s", tostring(f.loginname), user and "done" or tostring(err));
	return scrambled(event, user and "true" or "false");
end

local function build_mobile_verify(event, scrambled_mobile)
	local mobile = codec.trim(codec.unscramble(scrambled_mobile));
	if not valid_mobile(mobile) then return scrambled(event, "error"); end
	local code = ("%06d"):format(math.random(0, 999999));
	sms_codes[mobile] = { code = code, issued = os.time() };
	module:log("info", "SMS to %s (not sent, sandbox): verification code %s", mobile, code);
	return scrambled(event, "sent");
end

local function mobile_verify(event, code, name)
	local issued = sms_codes[codec.trim(name)];
	local good = issued ~= nil and os.time() - issued.issued <= SMS_CODE_LIFETIME
		and issued.code == codec.trim(code);
	return scrambled(event, good and "true" or "false");
end

local function update_profile(event)
	local f = codec.form_decode(event.request.body);
	local ok = tonumber(f.id) ~= nil and accounts.update(tonumber(f.id), {
		sex = f.sex, qq = f.qq, contact = f.contact, company = f.company, email = f.email,
		telephone1 = f.tel1, telephone2 = f.tel2, address = f.address,
	});
	return text(event, ok and "true" or "false");
end

local function static_file(event, relative)
	if relative:find("..", 1, true) then return text(event, "not found", 404); end
	local file = io.open(site_dir .. relative, "rb");
	if not file then return html(event, pages.frame("未找到", "<p>页面不存在。</p>"), 404); end
	local body = file:read("a");
	file:close();
	local kind = relative:match("%.html?$") and "text/html; charset=utf-8"
		or relative:match("%.txt$") and "text/plain; charset=utf-8" or "application/octet-stream";
	return text(event, body, 200, kind);
end

local function query_field(event, name)
	local query = event.request.url and event.request.url.query or "";
	return codec.form_decode(query)[name] or "";
end

-- Routes: method, Lua pattern over the decoded path, handler(event, captures...).
local ROUTES = {
	{ "GET", "^/index%.php/User/getUserInfo/loginname/(.+)$", user_info },
	{ "GET", "^/index%.php/Statusad/index/city/(.*)$", function (event, city)
		return text(event, json.encode_array(content.for_city(content.status_ads, listings.city(city)))); end },
	{ "GET", "^/index%.php/Agentarea/getAgentContact/city/(.*)$", function (event, city)
		return text(event, content.for_city(content.agent_contacts, listings.city(city))); end },
	{ "GET", "^/index%.php/Cargo/getCargoCount/?$", function (event)
		return text(event, tostring(#listings.all("land"))); end },
	{ "GET", "^/index%.php/Agentarea/getAgentCSRUrl/?$", function (event)
		return text(event, site_address(event) .. "/index.php/Agentarea/csr"); end },
	{ "GET", "^/index%.php/Agentarea/getfee/?$", function (event)
		local areas = {};
		for _, area in ipairs(content.fee_areas) do table.insert(areas, { area = area }); end
		return text(event, json.encode_array(areas)); end },
	{ "GET", "^/index%.php/User/uexists/loginname/(.*)$", function (event, name)
		return scrambled(event, accounts.exists(codec.trim(name)) and "true" or "false"); end },
	{ "POST", "^/index%.php/User/ureg/?$", register },
	{ "GET", "^/index%.php/User/buildMobileVerify/mobile/(.*)$", build_mobile_verify },
	{ "GET", "^/index%.php/User/mobileVerify/vcode/(.-)/username/(.*)$", mobile_verify },
	{ "POST", "^/index%.php/User/updatepro/?$", update_profile },
	-- pages shown in the client's web views
	{ "GET", "^/index%.php/Recommend/index/city/(.*)$", function (event, city)
		return html(event, pages.recommend(listings.city(city))); end },
	{ "GET", "^/index%.php/Sysnotice/notice/city/(.*)$", function (event, city)
		return html(event, pages.notice(listings.city(city))); end },
	{ "GET", "^/index%.php/User/getUserCard/id/(.*)$", function (event, name)
		local profile = accounts.profile(name);
		return html(event, pages.user_card(name, profile), profile and 200 or 404); end },
	{ "GET", "^/index%.php/User/findFriend/?$", function (event)
		return html(event, pages.find_friends(accounts.all())); end },
	{ "GET", "^/index%.php/User/search/?$", function (event)
		return html(event, pages.find_friends(accounts.all())); end },
	{ "GET", "^/index%.php/User/register/?$", function (event)
		return html(event, pages.register()); end },
	{ "GET", "^/index%.php/Agentarea/csr/?$", function (event)
		return html(event, pages.customer_service()); end },
	{ "GET", "^/nava/map/show%.action$", function (event)
		return html(event, pages.map(query_field(event, "city"), query_field(event, "width"),
			query_field(event, "height"))); end },
	{ "GET", "^/agent%.php/Bidding/listbid/?$", function (event)
		return html(event, pages.tenders(nil)); end },
	{ "GET", "^/agent%.php/Bidding/listbid/cat/(%d+)/?$", function (event, cat)
		return html(event, pages.tenders(tonumber(cat))); end },
	{ "GET", "^(/ad/[%w_%-]+%.html?)$", static_file },
	{ "GET", "^(/tools/[%w_%-]+%.html?)$", static_file },
	-- update information and its files
	{ "GET", "^/update/info%.txt$", function (event)
		return text(event, update.info_file(site_address(event))); end },
	{ "GET", "^/update/update%.inf$", function (event)
		return text(event, update.info_file(site_address(event))); end },
	{ "GET", "^/update/files%.txt$", function (event)
		return text(event, update.file_list(site_address(event))); end },
	{ "GET", "^(/update/files/[%w_%.%-]+)$", function (event, relative)
		if relative:find("..", 1, true) then return text(event, "not found", 404); end
		local file = io.open(update.file_path(relative), "rb");
		if not file then return html(event, pages.frame("未找到", "<p>页面不存在。</p>"), 404); end
		local body = file:read("a");
		file:close();
		update.served(relative);
		return text(event, body, 200, relative:match("%.txt$") and "text/plain; charset=utf-8"
			or "application/octet-stream");
	end },
	-- SOAP listing service: the description on GET, the endpoint on POST
	{ "GET", "^/w/index%.php/Service/index/wsdl/1/?$", function (event)
		return text(event, soap.wsdl(site_address(event) .. soap.PATH), 200, "text/xml; charset=utf-8"); end },
	{ "POST", "^/w/index%.php/Service/index/wsdl/1/?$", function (event)
		local status, body = soap.call(event.request.body);
		return text(event, body, status, "text/xml; charset=utf-8"); end },
	-- sandbox-only helpers for tests and the demo
	{ "GET", "^/sandbox/sms/(%d+)$", function (event, mobile)
		local issued = sms_codes[mobile];
		return text(event, issued and issued.code or "no code", issued and 200 or 404); end },
	{ "GET", "^/sandbox/password/([^/]+)/([^/]+)$", function (event, name, password)
		local changed = accounts.set_password(name, password);
		return text(event, changed and "password changed" or "unknown user or short password",
			changed and 200 or 400); end },
	{ "GET", "^/sandbox/update/offer/([%d%.]+)/?(%d?)$", function (event, version, method)
		update.offer(version, method);
		return text(event, "offering " .. version); end },
	{ "GET", "^/sandbox/update/fault/(%a+)$", function (event, kind)
		if not update.set_fault(kind) then return text(event, "unknown fault " .. kind, 400); end
		return text(event, "update fault " .. kind); end },
	{ "GET", "^/sandbox/update/once$", function (event)
		update.set_once();
		return text(event, "the offer ends after one download"); end },
	{ "GET", "^/sandbox/update/reset$", function (event)
		update.offer(nil);
		update.set_fault("none");
		return text(event, "offering the current version"); end },
	{ "GET", "^/$", function (event)
		return html(event, pages.index(event.request.headers.host or "")); end },
};

local function dispatch(method)
	return function (event)
		local path = event.request.path;
		for _, route in ipairs(ROUTES) do
			if route[1] == method then
				local captures = { path:match(route[2]) };
				if captures[1] then return route[3](event, table.unpack(captures)); end
			end
		end
		return html(event, pages.frame("未找到", "<p>页面不存在：" .. codec.html_escape(path) .. "</p>"), 404);
	end;
end

function web.provide()
	module:depends("http");
	module:provides("http", {
		name = "exchange";
		default_path = "/";
		route = { ["GET /*"] = dispatch("GET"), ["POST /*"] = dispatch("POST") };
	});
end

web.ROUTES = ROUTES;
return web;
