-- HTML pages of the web site: stand-ins for the exchange's real pages, plain and tidy.
-- Static pages live in sandbox/site/; these are the ones built per request.
local codec = exchange_require "exchange_codec";
local content = exchange_require "exchange_content";
local esc = codec.html_escape;

local pages = {};

function pages.frame(title, body)
	return '<!DOCTYPE html>\n<html lang="zh-CN"><head><meta charset="utf-8"><title>' .. esc(title)
		.. '</title><style>body{font-family:"WenQuanYi Zen Hei","Noto Sans CJK SC",sans-serif;'
		.. 'font-size:13px;margin:8px;background:#fff;color:#222}h1{font-size:16px;color:#1d4f91}'
		.. 'table{border-collapse:collapse}td,th{border:1px solid #cedcef;padding:3px 8px}'
		.. 'th{background:#cedcef}a{color:#1d4f91}</style></head><body>\n'
		.. body .. '\n</body></html>\n';
end

function pages.recommend(city)
	local items = {};
	for _, item in ipairs(content.for_city(content.recommendations, city)) do
		table.insert(items, '<li><b>' .. esc(item[1]) .. '</b> ' .. esc(item[2]) .. '</li>');
	end
	return pages.frame("推荐 - " .. city, '<div>【' .. esc(city) .. '推荐】<ul>'
		.. table.concat(items) .. '</ul></div>');
end

function pages.notice(city)
	local items = {};
	for _, text in ipairs(content.for_city(content.notices, city)) do
		table.insert(items, '<li>' .. esc(text) .. '</li>');
	end
	return pages.frame("公告 - " .. city, '<div>【' .. esc(city) .. '公告】<ul>'
		.. table.concat(items) .. '</ul></div>');
end

function pages.user_card(user, profile)
	if not profile then
		return pages.frame("会员名片", '<p>会员 ' .. esc(user) .. ' 不存在。</p>');
	end
	local rows = {
		{ "会员", user }, { "联系人", profile.contact }, { "公司名称", profile.company },
		{ "所在地", (profile.userprove or "") .. " " .. (profile.usercity or "") },
		{ "联系地址", profile.address },
	};
	local out = {};
	for _, row in ipairs(rows) do
		table.insert(out, '<tr><th>' .. esc(row[1]) .. '</th><td>' .. esc(row[2] or "") .. '</td></tr>');
	end
	return pages.frame("会员名片 - " .. user, '<h1>会员名片</h1><table>' .. table.concat(out) .. '</table>');
end

-- Each link is a command for the client's browser window: member:<login>:<display name>.
function pages.find_friends(users)
	local out = {};
	for _, u in ipairs(users) do
		local name = u.profile.contact ~= "" and u.profile.contact or u.user;
		table.insert(out, '<tr><td>' .. esc(u.user) .. '</td><td>' .. esc(u.profile.company or "")
			.. '</td><td>' .. esc(u.profile.usercity or "") .. '</td><td><a href="member:'
			.. esc(u.user) .. ':' .. esc(name) .. '">加为运友</a></td></tr>');
	end
	return pages.frame("查找好友", '<h1>查找运友</h1><table><tr><th>会员</th><th>公司</th>'
		.. '<th>城市</th><th></th></tr>' .. table.concat(out) .. '</table>');
end

function pages.register()
	return pages.frame("会员注册", '<h1>会员注册</h1><p>请在 Tovanta 客户端的登录窗口点击“注册”完成注册'
		.. '（需要手机验证）。</p><p>本页面为本地沙盒的演示页面。</p>');
end

function pages.customer_service()
	return pages.frame("在线客服", '<h1>在线客服</h1><p>客服热线：400-880-0000（沙盒演示）</p>'
		.. '<p>工作时间：每天 8:00-20:00</p><p>本页面为本地沙盒的演示页面，不会连接真实客服。</p>');
end

function pages.map(city, width, height)
	city = city ~= "" and city or "未知城市";
	return pages.frame("当地地图 - " .. city, '<div style="width:' .. (tonumber(width) or 735)
		.. 'px;height:' .. (tonumber(height) or 488) .. 'px;background:#eef3fa;border:1px solid #cedcef;'
		.. 'display:flex;align-items:center;justify-content:center;font-size:20px">'
		.. esc(city) .. ' 地图（沙盒示意）</div>');
end

function pages.tenders(cat)
	local rows = {};
	for _, t in ipairs(content.tenders) do
		if cat == nil or t.cat == cat then
			table.insert(rows, '<tr><td>' .. esc(content.tender_categories[t.cat]) .. '</td><td>'
				.. esc(t.title) .. '</td><td>' .. esc(t.date) .. '</td></tr>');
		end
	end
	if #rows == 0 then table.insert(rows, '<tr><td colspan="3">暂无招标信息</td></tr>'); end
	local heading = cat and content.tender_categories[cat] or "全部招标";
	return pages.frame("招标信息", '<h1>' .. esc(heading or "招标信息") .. '</h1><table><tr><th>类别</th>'
		.. '<th>招标项目</th><th>发布日期</th></tr>' .. table.concat(rows) .. '</table>');
end

function pages.index(host)
	local links = { "/ad/headAd.htm", "/ad/021.htm", "/ad/law.html", "/ad/protocl.html",
		"/tools/calendar.htm", "/tools/wz.htm", "/tools/fg.htm", "/tools/chepai.htm",
		"/index.php/User/findFriend", "/agent.php/Bidding/listbid", "/update/info.txt" };
	local out = {};
	for _, link in ipairs(links) do
		table.insert(out, '<li><a href="' .. link .. '">' .. link .. '</a></li>');
	end
	return pages.frame("货运信息交易平台（沙盒）", '<h1>货运信息交易平台（本地沙盒）</h1><p>主机 '
		.. esc(host) .. '</p><ul>' .. table.concat(out) .. '</ul>');
end

return pages;
