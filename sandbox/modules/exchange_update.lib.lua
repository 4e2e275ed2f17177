-- The update information file: "#key=value" lines, the message between braces.
-- By default it offers the version the client already has, so no update happens;
-- sandbox/run --offer-update VERSION or /sandbox/update/offer/VERSION offers a newer one.
local update = {};

local CURRENT_VERSION = "2.0.0.1";
local offered = module:get_option_string("exchange_offer_version", "");
local method = "0";

function update.offer(version, new_method)
	offered = version or "";
	method = (new_method and new_method ~= "") and new_method or "0";
end

local FILES = { "/update/files/update-note.txt" };

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
		.. "#url=" .. site .. FILES[1] .. "\n"
		.. "#message={" .. message .. "}\n"
		.. "#method=" .. method .. "\n";
end

return update;
