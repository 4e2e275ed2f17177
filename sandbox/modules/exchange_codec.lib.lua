-- Small text transforms shared by the exchange modules.
--
-- Field scrambling: the client and the exchange obscure single values (list results,
-- some web answers, the mobile number of the SMS route, air/sea/rail contacts) by
-- XOR-ing each UTF-8 byte with a repeating 8-byte key and writing two upper-case hex
-- digits per byte. Blank input gives the empty text in both directions.
local http_util = require "util.http";
local xml_escape = require "util.stanza".xml_escape;

local codec = {};

local SCRAMBLE_KEY = "Tv8kScr!";

local function is_blank(text)
	return text == nil or text:match("^%s*$") ~= nil;
end
codec.is_blank = is_blank;

function codec.scramble(text)
	if is_blank(text) then return ""; end
	local out = {};
	for i = 1, #text do
		local key_byte = SCRAMBLE_KEY:byte((i - 1) % 8 + 1);
		out[i] = ("%02X"):format(text:byte(i) ~ key_byte);
	end
	return table.concat(out);
end

-- Reads pairs of hex digits; stops quietly at the first pair that is not hex and
-- returns what was read so far (an odd last digit is ignored).
function codec.unscramble(hex)
	if is_blank(hex) then return ""; end
	local out = {};
	for i = 1, #hex - 1, 2 do
		local pair = hex:sub(i, i + 1);
		if not pair:match("^%x%x$") then break; end
		local key_byte = SCRAMBLE_KEY:byte(((i - 1) // 2) % 8 + 1);
		out[#out + 1] = string.char(tonumber(pair, 16) ~ key_byte);
	end
	return table.concat(out);
end

function codec.trim(text)
	return (text or ""):match("^%s*(.-)%s*$");
end

-- Values appended to routes arrive percent-decoded by the HTTP server already;
-- form bodies are decoded here ("+" is a blank, %XX a byte).
function codec.form_decode(body)
	local fields = {};
	for pair in (body or ""):gmatch("[^&]+") do
		local name, value = pair:match("^([^=]*)=?(.*)$");
		name = http_util.urldecode((name:gsub("%+", " ")));
		fields[name] = http_util.urldecode((value:gsub("%+", " ")));
	end
	return fields;
end

codec.url_encode = http_util.urlencode;
codec.xml_escape = xml_escape;

function codec.html_escape(text)
	return xml_escape(text or "");
end

-- Publication times are written "YYYY-MM-DD HH:MM:SS" in the exchange's time zone.
function codec.now_text()
	return os.date("%Y-%m-%d %H:%M:%S");
end

-- True when text is an upper-case hex form of whole bytes.
function codec.is_hex_text(text)
	return #text % 2 == 0 and text:match("^[0-9A-F]*$") ~= nil;
end

return codec;
