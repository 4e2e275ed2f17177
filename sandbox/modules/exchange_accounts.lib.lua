-- Accounts and profiles. An account is an XMPP account of the host (core.usermanager)
-- plus a profile record (the sixteen fields of the profile route, and the user type)
-- in the "exchange_profile" store. The "exchange_meta" store maps user numbers to names.
local usermanager = require "core.usermanager";
local rostermanager = require "core.rostermanager";
local nodeprep = require "util.encodings".stringprep.nodeprep;

local accounts = {};

accounts.PROFILE_KEYS = { "id", "sex", "qq", "contact", "endate", "mobile", "email",
	"idcardnumber", "company", "telephone1", "telephone2", "address", "userlevel",
	"userprove", "usercity", "usercountry" };

local host = module.host;
local profiles = module:open_store("exchange_profile");
local meta = module:open_store("exchange_meta");

local function id_index() return meta:get("ids") or {}; end

function accounts.normalise(name)
	if name == nil or name == "" or name:find("@", 1, true) then return nil; end
	return nodeprep(name);
end

function accounts.exists(name)
	local user = accounts.normalise(name);
	return user ~= nil and usermanager.user_exists(user, host);
end

function accounts.profile(name)
	local user = accounts.normalise(name);
	return user and profiles:get(user) or nil;
end

function accounts.name_of_id(id)
	return id_index()[tostring(id)];
end

-- All users with a profile, ordered by user number.
function accounts.all()
	local list = {};
	for id, user in pairs(id_index()) do
		local profile = profiles:get(user);
		if profile then table.insert(list, { user = user, id = tonumber(id), profile = profile }); end
	end
	table.sort(list, function (a, b) return a.id < b.id; end);
	return list;
end

local function next_user_number()
	local highest = 1000;
	for id in pairs(id_index()) do
		if tonumber(id) > highest then highest = tonumber(id); end
	end
	return highest + 1;
end

-- Creates the XMPP account and its profile together; on any failure neither is left.
function accounts.create(name, password, profile)
	local user = accounts.normalise(name);
	if not user or #user > 20 or not password or #password < 6 then
		return nil, "invalid name or password";
	end
	if usermanager.user_exists(user, host) then return nil, "user exists"; end
	profile.id = tonumber(profile.id) or next_user_number();
	profile.userlevel = tonumber(profile.userlevel) or 1;
	local ok, err = usermanager.create_user(user, password, host);
	if not ok then return nil, err; end
	local index = id_index();
	index[tostring(profile.id)] = user;
	if not (profiles:set(user, profile) and meta:set("ids", index)) then
		usermanager.delete_user(user, host);
		profiles:set(user, nil);
		return nil, "storage failed";
	end
	return user;
end

function accounts.update(id, fields)
	local user = accounts.name_of_id(id);
	local profile = user and profiles:get(user);
	if not profile then return false; end
	for key, value in pairs(fields) do profile[key] = value; end
	return profiles:set(user, profile) and true or false;
end

-- Changes an existing account's password (as the exchange's site does); signed-in sessions
-- stay, the next log-in needs the new password.
function accounts.set_password(name, password)
	local user = accounts.normalise(name);
	if not user or not usermanager.user_exists(user, host) or not password or #password < 6 then
		return false;
	end
	return usermanager.set_password(user, password, host) and true or false;
end

-- Makes every pair of the given users friends of each other (subscription both).
function accounts.befriend(users)
	for _, a in ipairs(users) do
		local roster = rostermanager.load_roster(a.user, host);
		for _, b in ipairs(users) do
			if a.user ~= b.user then
				roster[b.user .. "@" .. host] = { subscription = "both", name = b.profile.contact, groups = {} };
			end
		end
		rostermanager.save_roster(a.user, host, roster);
	end
end

function accounts.profile_json_fields(profile)
	local out = {};
	for _, key in ipairs(accounts.PROFILE_KEYS) do
		local value = profile[key];
		if key == "id" or key == "userlevel" then
			out[key] = tonumber(value) or 0;
		else
			out[key] = value ~= nil and tostring(value) or "";
		end
	end
	return out;
end

return accounts;
