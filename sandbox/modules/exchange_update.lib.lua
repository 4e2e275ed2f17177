-- The update information file: "#key=value" lines, the message between braces.
-- By default it offers the version the client already has, so no update happens;
-- sandbox/run --offer-update VERSION or /sandbox/update/offer/VERSION offers a newer one.
-- Each listed file comes with its SHA-256 ("#sha256=" for url, "#sha256<n>=" for url<n>).
-- /sandbox/update/fault/KIND makes the offer faulty for tests: "missing" lists a file that
-- does not exist before the real one, "badhash" announces a wrong SHA-256, "none" ends it.
local hashes = require "util.hashes";

local update = {};
local site_dir = module:get_option_string("exchange_site_dir");
local fault = "none";
-- sandbox/run --update-files DIR: the update consists of DIR's files instead, served under
-- /update/files/<name>.
local files_dir = module:get_option_string("exchange_update_files", "");
-- /sandbox/update/once: the offer ends once its last file has been fetched, so a client
-- that restarts after updating finds nothing new.
local once = false;

local CURRENT_VERSION = "2.0.0.1";
local offered = module:get_option_string("exchange_offer_version", "");
local method = "0";

function update.offer(version, new_method)
	offered = version or "";
	once = false;
	method = (new_method and new_method ~= "") and new_method or "0";
end

local FILES = { "/update/files/update-note.txt" };
local MISSING_FILE = "/update/files/missing-part.bin";

if files_dir ~= "" then
	FILES = {};
	local listing = io.popen("ls -1 '" .. files_dir:gsub("'", "'\\''") .. "'");
	for name in listing:lines() do
		if name:match("^[%w_%.%-]+$") then table.insert(FILES, "/update/files/" .. name); end
	end
	listing:close();
	table.sort(FILES);
end

-- Where the file behind an update path lies.
function update.file_path(path)
	if files_dir ~= "" then return files_dir .. path:gsub("^/update/files", ""); end
	return site_dir .. path;
end

function update.set_once() once = true; end

-- Called when an update file has been served.
function update.served(path)
	if once and path == FILES[#FILES] then
		once = false;
		offered = "";
		method = "0";
	end
end

function update.set_fault(kind)
	if kind ~= "none" and kind ~= "missing" and kind ~= "badhash" then return false; end
	fault = kind;
	return true;
end

local function sha256_of(path)
	local file = io.open(update.file_path(path), "rb");
	if not file then return ""; end
	local data = file:read("*a");
	file:close();
	return hashes.sha256(data, true);
end

-- The "#url...=" and "#sha256...=" entries of the offered files.
local function file_entries(site)
	local listed = {};
	if fault == "missing" then table.insert(listed, MISSING_FILE); end
	for _, path in ipairs(FILES) do table.insert(listed, path); end
	local lines = {};
	for i, path in ipairs(listed) do
		local suffix = i == 1 and "" or tostring(i);
		local hash = path == MISSING_FILE and ("0"):rep(64) or sha256_of(path);
		if fault == "badhash" then hash = ("f"):rep(64); end
		table.insert(lines, "#url" .. suffix .. "=" .. site .. path .. "\n");
		table.insert(lines, "#sha256" .. suffix .. "=" .. hash .. "\n");
	end
	return table.concat(lines);
end

-- The files an update consists of, one URL a line.
function update.file_list(site)
	local lines = {};
	for _, path in ipairs(FILES) do table.insert(lines, site .. path); end
	return table.concat(lines, "\n") .. "\n";
end

function update.info_file(site)
	local version = offered ~= "" and offered or CURRENT_VERSION;
	local message = offered ~= "" and ("发现新版Tovanta " .. version .. "\n修正了若干问题，建议升级。")
		or ("Tovanta " .. version .. " 已是最新版本。");
	return "#version=" .. version .. "\n"
		.. "#date=" .. os.date("%m/%d/%Y") .. "\n"
		.. file_entries(site)
		.. "#message={" .. message .. "}\n"
		.. "#method=" .. method .. "\n";
end

return update;
