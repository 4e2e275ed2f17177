-- Publishing: the client sends one iq of type set per new listing, in one of four
-- namespaces, without an id and without expecting an answer:
--
--   <iq type='set' to='localhost'><query xmlns='haulway:iq:cargo'><title>..</title>...</query></iq>
--
-- The exchange stores the listing (with its own id and issue time) and sends it to every
-- signed-in session whose resource is "haulway" as one raw message:
--
--   <message from='localhost' to='user@localhost/haulway'><broadcastcargo><tag>robot</tag>...</broadcastcargo></message>
--
-- The broadcast is written as exact text (single quotes, from before to, nothing else),
-- because the client recognises it by substring. Its element names are the exchange's
-- own and differ from the request's (starcn -> startcn, passport -> pasport, ...).
local st = require "util.stanza";
local filters = require "util.filters";
local codec = exchange_require "exchange_codec";
local listings = exchange_require "exchange_listings";

local publish = {};
local host = module.host;
local AGENT_SEAT = module:get_option_string("exchange_agent_seat", "kefu");

-- For each kind: the request element -> record field, the broadcast element <- record
-- field, and the fields that must not be empty.
local KINDS = {
	cargo = {
		list = "land", payload = "broadcastcargo", required = { "title", "fromcity", "tocity" },
		request = { title = "title", fromcity = "fromcity", tocity = "tocity", position = "position",
			category = "itype", contact = "contact" },
		broadcast = { { "tag", nil, "robot" }, { "fcity", "fromcity" }, { "tcity", "tocity" }, { "id", "id" },
			{ "title", "title" }, { "tpy", "itype" }, { "sender", "senderid" }, { "contact", "contact" },
			{ "isuat", "issueat" }, { "postion", "position" } },
		sender_field = "senderid",
	},
	airprice = {
		list = "air", payload = "broadcastairprice", required = { "startcn", "endcn" },
		request = { starcn = "startcn", starten = "starten", endcn = "endcn", enden = "enden",
			airline = "line", cycle = "aircyle", price = "price", days = "days", aircompany = "aircompany",
			direct = "isdirect", contact = "contact", mem = "mem" },
		broadcast = { { "aircompany", "aircompany" }, { "line", "line" }, { "startcn", "startcn" },
			{ "starten", "starten" }, { "endcn", "endcn" }, { "enden", "enden" }, { "cycle", "aircyle" },
			{ "direct", "isdirect" }, { "days", "days" }, { "price", "price" }, { "sender", "sender" },
			{ "contact", "contact" }, { "mem", "mem" } },
		sender_field = "sender",
	},
	sealine = {
		list = "sea", payload = "broadcastsealine", required = { "startport", "toport" },
		request = { startport = "startport", toport = "toport", passport = "passport", duty = "duty",
			days = "days", sdirect = "passoption", scomp = "company", line = "line", portseq = "passseq",
			contact = "contact" },
		broadcast = { { "startport", "startport" }, { "toport", "toport" }, { "company", "company" },
			{ "direct", "passoption" }, { "pasport", "passport" }, { "duty", "duty" }, { "days", "days" },
			{ "porseq", "passseq" }, { "sender", "sender" }, { "contact", "contact" }, { "line", "line" } },
		sender_field = "sender",
	},
	trianinfo = {
		list = "rail", payload = "broadcasttrianinfo", required = { "triannum" },
		request = { triannum = "triannum", startcity = "startcity", startport1 = "startport1",
			startport2 = "startport2", toport1 = "toport1", toport2 = "toport2", tocity = "tocity",
			cycle = "cycle", starttime = "starttime", totime = "totime", hours = "hours", contact = "contact" },
		broadcast = { { "triannum", "triannum" }, { "startcity", "startcity" }, { "startport1", "startport1" },
			{ "startport2", "startport2" }, { "toport1", "toport1" }, { "toport2", "toport2" },
			{ "tocity", "tocity" }, { "cycle", "cycle" }, { "starttime", "starttime" }, { "totime", "totime" },
			{ "hours", "hours" }, { "sender", "sender" }, { "contact", "contact" } },
		sender_field = "sender",
	},
};
publish.KINDS = KINDS;

function publish.broadcast_text(kind, record, full_jid)
	local kind_def = KINDS[kind];
	local parts = { "<message from='", codec.xml_escape(host), "' to='", codec.xml_escape(full_jid),
		"'><", kind_def.payload, ">" };
	for _, element in ipairs(kind_def.broadcast) do
		local name, field, fixed = element[1], element[2], element[3];
		local value = fixed or tostring(record[field] or "");
		table.insert(parts, "<" .. name .. ">" .. codec.xml_escape(value) .. "</" .. name .. ">");
	end
	table.insert(parts, "</" .. kind_def.payload .. "></message>");
	return table.concat(parts);
end

function publish.broadcast(kind, record)
	local sent = 0;
	local host_session = prosody.hosts[host];
	for _, user in pairs(host_session and host_session.sessions or {}) do
		for resource, session in pairs(user.sessions or {}) do
			if resource == "haulway" and session.full_jid then
				session.send(publish.broadcast_text(kind, record, session.full_jid));
				sent = sent + 1;
			end
		end
	end
	return sent;
end

-- Stores and broadcasts one listing; sender is the publisher's user name or "-1" for
-- the agent seat. Returns the stored record, or nil and the reason.
function publish.publish(kind, fields, sender)
	local kind_def = KINDS[kind];
	local record = {};
	for element, field in pairs(kind_def.request) do record[field] = codec.trim(fields[element]); end
	for _, field in ipairs(kind_def.required) do
		if record[field] == "" then return nil, field .. " is empty"; end
	end
	if kind == "cargo" and record.itype ~= "1" and record.itype ~= "2" then
		return nil, "category must be 1 or 2";
	end
	record[kind_def.sender_field] = sender;
	listings.add(kind_def.list, record, codec.now_text());
	local sent = publish.broadcast(kind, record);
	module:log("info", "published %s listing %d by %s to %d sessions", kind, record.id, sender, sent);
	return record;
end

-- The client's publish iq carries no id; Prosody refuses such iqs before any module
-- sees them. Publish iqs from our own signed-in sessions get an id here, remembered so
-- that no answer goes back for them. Other iqs without an id are refused as usual.
local generated_ids = setmetatable({}, { __mode = "k" });
local next_generated = 0;

local function is_publish(stanza)
	local query = stanza.tags[1];
	return query ~= nil and (query.attr.xmlns or ""):match("^haulway:iq:") ~= nil;
end

local function add_missing_id(stanza, session)
	if stanza.name == "iq" and not stanza.attr.id and session.type == "c2s" and session.host == host
		and is_publish(stanza) then
		next_generated = next_generated + 1;
		stanza.attr.id = "exchange-noid-" .. next_generated;
		generated_ids[stanza] = true;
	end
	return stanza;
end

local function install_filter(session)
	filters.add_filter(session, "stanzas/in", function (stanza) return add_missing_id(stanza, session); end);
end

local function handle_publish(kind)
	return function (event)
		local origin, stanza = event.origin, event.stanza;
		local query = stanza.tags[1];
		local fields = {};
		for child in query:childtags() do fields[child.name] = child:get_text(); end
		-- the sender is who signed in, not what the stanza claims
		local sender = origin.username == AGENT_SEAT and "-1" or origin.username;
		local record, err = publish.publish(kind, fields, sender);
		if not record then module:log("info", "refused %s listing from %s: %s", kind, sender, err); end
		if not generated_ids[stanza] then
			origin.send(record and st.reply(stanza)
				or st.error_reply(stanza, "modify", "bad-request", err));
		end
		return true;
	end;
end

function publish.install()
	filters.add_filter_hook(install_filter);
	function module.unload() filters.remove_filter_hook(install_filter); end
	for kind in pairs(KINDS) do
		module:hook("iq-set/host/haulway:iq:" .. kind .. ":query", handle_publish(kind));
	end
end

return publish;
