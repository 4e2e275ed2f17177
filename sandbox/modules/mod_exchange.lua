-- The local exchange: web site, SOAP listing service, publish handling and live
-- broadcasts on top of Prosody's XMPP server. Loaded on the VirtualHost "localhost".
--
--   exchange_codec     field scrambling and small text helpers
--   exchange_listings  the four listing kinds, their filters and SOAP rows
--   exchange_accounts  XMPP accounts with their profiles
--   exchange_soap      WSDL and SOAP endpoint
--   exchange_web       HTTP routes (answers, pages, sandbox helpers)
--   exchange_publish   publish iqs and raw broadcasts
--   exchange_live      the demo's live publisher
local json = require "util.json";

-- module:require runs a library afresh on every call; the parts share state, so each
-- library is loaded once and handed out from here (the libraries see this function
-- because they run in the module's environment).
local loaded = {};
function exchange_require(name)
	if loaded[name] == nil then loaded[name] = module:require(name); end
	return loaded[name];
end

local listings = exchange_require "exchange_listings";
local accounts = exchange_require "exchange_accounts";
local web = exchange_require "exchange_web";
local publish = exchange_require "exchange_publish";
local live = exchange_require "exchange_live";

local function read_seed(path)
	local file, err = io.open(path, "rb");
	if not file then
		module:log("error", "no seed data (%s); the exchange starts empty", tostring(err));
		return {};
	end
	local seed = json.decode(file:read("a"));
	file:close();
	if type(seed) ~= "table" then
		module:log("error", "seed data %s is not valid JSON; the exchange starts empty", path);
		return {};
	end
	return seed;
end

local seed = read_seed(module:get_option_string("exchange_seed"));
math.randomseed(os.time());
listings.load(seed, module:open_store("exchange_published"));
-- Listings published in the last moments are written when the exchange stops.
module:hook_global("server-stopping", listings.save);

-- Seed accounts once the host's user manager is ready; kept data (--keep) is left alone.
local function seed_accounts()
	local demo = {};
	for _, u in ipairs(seed.users or {}) do
		if not accounts.exists(u.loginname) then
			local profile = {};
			for key, value in pairs(u) do
				if key ~= "loginname" and key ~= "password" then profile[key] = value; end
			end
			local ok, err = accounts.create(u.loginname, u.password, profile);
			if not ok then module:log("error", "seed account %s: %s", u.loginname, tostring(err)); end
		end
		if u.demo then table.insert(demo, { user = u.loginname, profile = u }); end
	end
	accounts.befriend(demo);
end
module:hook_global("server-started", seed_accounts);

web.provide();
publish.install();
if module:get_option_boolean("exchange_live", false) then
	live.start(seed.contacts or { land = { "" }, scrambled = { "" } },
		module:get_option_number("exchange_live_interval", 4));
end
