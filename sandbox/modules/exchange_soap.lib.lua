-- The SOAP listing service: a WSDL 1.1 description (RPC style, SOAP encoding, every
-- part an xsd:string) and one endpoint that answers the eleven operations.
--
-- Counts are plain decimal text; lists are JSON arrays of row objects passed through
-- field scrambling. Only page 1 is ever asked for by the client, but any page works:
-- 100 rows per page, 200 for the subscription operations.
local xml = require "util.xml";
local codec = exchange_require "exchange_codec";
local listings = exchange_require "exchange_listings";

local soap = {};

local NS = "urn:Marovinta_Service";
local ENVELOPE_NS = "http://schemas.xmlsoap.org/soap/envelope/";
local ENVELOPE12_NS = "http://www.w3.org/2003/05/soap-envelope";
soap.PATH = "/w/index.php/Service/index/wsdl/1";

local function count_of(kind, filter) return tostring(listings.count(kind, filter)); end
local function list_of(kind, filter, page, size)
	return codec.scramble(listings.page(kind, filter, page, size));
end

-- Operation name -> parameter names (in order) and the function that answers it.
local OPERATIONS = {
	{ "cargoListpro", { "fromcity", "tocity", "category", "pagenumber", "ssticket", "blocal" },
		function (a) return list_of("land", listings.land_filter(a.fromcity, a.tocity, a.category, a.blocal), a.pagenumber, 100); end },
	{ "cargoSearch", { "fromcity", "tocity", "category", "citytype", "pagenumber", "ssticket", "blocal" },
		function (a) return list_of("land", listings.search_filter(a.fromcity, a.tocity, a.category), a.pagenumber, 100); end },
	{ "cargoCount", { "fromcity", "tocity", "category", "ssticket", "blocal" },
		function (a) return count_of("land", listings.land_filter(a.fromcity, a.tocity, a.category, a.blocal)); end },
	{ "getAirPriceList", { "airLine", "aircompany", "startcn", "starten", "pagenumber", "ssticket" },
		function (a) return list_of("air", listings.air_filter(a.airLine, a.aircompany, a.startcn, a.starten), a.pagenumber, 100); end },
	{ "getAirPriceCount", { "airLine", "aircompany", "startcn", "starten", "ssticket" },
		function (a) return count_of("air", listings.air_filter(a.airLine, a.aircompany, a.startcn, a.starten)); end },
	{ "getSealineCount", { "startport", "toport", "company", "sealine", "sticket" },
		function (a) return count_of("sea", listings.sea_filter(a.startport, a.toport, a.company, a.sealine)); end },
	{ "getSealineList", { "startport", "toport", "company", "sealine", "pagenumber", "sticket" },
		function (a) return list_of("sea", listings.sea_filter(a.startport, a.toport, a.company, a.sealine), a.pagenumber, 100); end },
	{ "getTrianCount", { "triamnum", "fromcity", "startport2", "toport2", "tocity", "sticket" },
		function (a) return count_of("rail", listings.rail_filter(a.triamnum, a.fromcity, a.startport2, a.toport2, a.tocity)); end },
	{ "getTrianList", { "triamnum", "fromcity", "startport2", "toport2", "tocity", "pagenumber", "sticket" },
		function (a) return list_of("rail", listings.rail_filter(a.triamnum, a.fromcity, a.startport2, a.toport2, a.tocity), a.pagenumber, 100); end },
	{ "orderInfo", { "citylst", "pagenumber", "ssticket" },
		function (a) return list_of("land", listings.subscription_filter(a.citylst), a.pagenumber, 200); end },
	{ "orderInfoCount", { "citylst", "ssticket" },
		function (a) return count_of("land", listings.subscription_filter(a.citylst)); end },
};
local BY_NAME = {};
for _, op in ipairs(OPERATIONS) do BY_NAME[op[1]] = op; end
soap.OPERATIONS = OPERATIONS;

function soap.wsdl(endpoint)
	local out = {
		'<?xml version="1.0" encoding="UTF-8"?>',
		'<definitions name="Marovinta_Service" targetNamespace="' .. NS .. '"',
		'  xmlns="http://schemas.xmlsoap.org/wsdl/" xmlns:tns="' .. NS .. '"',
		'  xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/"',
		'  xmlns:xsd="http://www.w3.org/2001/XMLSchema"',
		'  xmlns:soapenc="http://schemas.xmlsoap.org/soap/encoding/">',
	};
	local function add(line) table.insert(out, line); end
	for _, op in ipairs(OPERATIONS) do
		add('  <message name="' .. op[1] .. 'Request">');
		for _, param in ipairs(op[2]) do add('    <part name="' .. param .. '" type="xsd:string"/>'); end
		add('  </message>');
		add('  <message name="' .. op[1] .. 'Response"><part name="return" type="xsd:string"/></message>');
	end
	add('  <portType name="Marovinta_ServicePort">');
	for _, op in ipairs(OPERATIONS) do
		add('    <operation name="' .. op[1] .. '"><input message="tns:' .. op[1] .. 'Request"/>'
			.. '<output message="tns:' .. op[1] .. 'Response"/></operation>');
	end
	add('  </portType>');
	add('  <binding name="Marovinta_ServiceBinding" type="tns:Marovinta_ServicePort">');
	add('    <soap:binding style="rpc" transport="http://schemas.xmlsoap.org/soap/http"/>');
	local body = '<soap:body use="encoded" namespace="' .. NS
		.. '" encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"/>';
	for _, op in ipairs(OPERATIONS) do
		add('    <operation name="' .. op[1] .. '">');
		add('      <soap:operation soapAction="' .. NS .. '#Cargo#' .. op[1] .. '" style="rpc"/>');
		add('      <input>' .. body .. '</input><output>' .. body .. '</output>');
		add('    </operation>');
	end
	add('  </binding>');
	add('  <service name="Marovinta_Service">');
	add('    <port name="Marovinta_ServicePort" binding="tns:Marovinta_ServiceBinding">');
	add('      <soap:address location="' .. codec.xml_escape(endpoint) .. '"/>');
	add('    </port>');
	add('  </service>');
	add('</definitions>');
	return table.concat(out, "\n") .. "\n";
end

local function envelope(inner)
	return '<?xml version="1.0" encoding="UTF-8"?>\n'
		.. '<SOAP-ENV:Envelope xmlns:SOAP-ENV="' .. ENVELOPE_NS .. '"'
		.. ' xmlns:SOAP-ENC="http://schemas.xmlsoap.org/soap/encoding/"'
		.. ' xmlns:xsd="http://www.w3.org/2001/XMLSchema"'
		.. ' xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
		.. ' SOAP-ENV:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/">'
		.. '<SOAP-ENV:Body>' .. inner .. '</SOAP-ENV:Body></SOAP-ENV:Envelope>';
end

function soap.fault(code, text)
	return envelope('<SOAP-ENV:Fault><faultcode>SOAP-ENV:' .. code .. '</faultcode>'
		.. '<faultstring>' .. codec.xml_escape(text) .. '</faultstring></SOAP-ENV:Fault>');
end

local function answer(operation, value)
	return envelope('<ns1:' .. operation .. 'Response xmlns:ns1="' .. NS .. '">'
		.. '<return xsi:type="xsd:string">' .. codec.xml_escape(value) .. '</return>'
		.. '</ns1:' .. operation .. 'Response>');
end

-- Handles one request body; returns the HTTP status and the answer envelope.
function soap.call(body)
	local ok, doc = pcall(xml.parse, body or "");
	if not ok or not doc or doc.name ~= "Envelope" then
		return 500, soap.fault("Client", "the request is not a SOAP envelope");
	end
	local soap_body = doc:get_child("Body", ENVELOPE_NS) or doc:get_child("Body", ENVELOPE12_NS);
	local request = soap_body and soap_body.tags[1];
	if not request then
		return 500, soap.fault("Client", "the SOAP body holds no operation");
	end
	local op = BY_NAME[request.name];
	if not op or (request.attr.xmlns ~= NS and request.attr.xmlns ~= nil) then
		return 500, soap.fault("Client", "unknown operation " .. request.name);
	end
	local args = {};
	for param in request:childtags() do args[param.name] = param:get_text(); end
	for _, name in ipairs(op[2]) do args[name] = args[name] or ""; end
	local done, result = pcall(op[3], args);
	if not done then
		module:log("error", "SOAP %s failed: %s", op[1], tostring(result));
		return 500, soap.fault("Server", "the operation failed");
	end
	return 200, answer(op[1], result);
end

return soap;
