#include "service/WebRoutes.h"

#include "app/SessionState.h"

namespace {

QString site(const QString& path)
{
    return WebRoutes::siteAddress() + path;
}

} // namespace

QString WebRoutes::siteAddress()
{
    return siteAddress(session().HostName, session().baseurl);
}

QString WebRoutes::siteAddress(const QString& hostName, const QString& baseUrl)
{
    return QStringLiteral("http://www.") + hostName + baseUrl;
}

QString WebRoutes::adminAddress()
{
    return adminAddress(session().HostName);
}

QString WebRoutes::adminAddress(const QString& hostName)
{
    return QStringLiteral("http://admin.") + hostName;
}

QString WebRoutes::userInfo(const QString& userName)
{
    return site(QStringLiteral("/index.php/User/getUserInfo/loginname/") + userName);
}

QString WebRoutes::statusAd(const QString& city)
{
    return site(QStringLiteral("/index.php/Statusad/index/city/") + city);
}

QString WebRoutes::agentContact(const QString& city)
{
    return site(QStringLiteral("/index.php/Agentarea/getAgentContact/city/") + city);
}

QString WebRoutes::cargoCount()
{
    return site(QStringLiteral("/index.php/Cargo/getCargoCount"));
}

QString WebRoutes::agentCsrUrl()
{
    return site(QStringLiteral("/index.php/Agentarea/getAgentCSRUrl"));
}

QString WebRoutes::fee()
{
    return site(QStringLiteral("/index.php/Agentarea/getfee"));
}

QString WebRoutes::userExists(const QString& userName)
{
    return site(QStringLiteral("/index.php/User/uexists/loginname/") + userName);
}

QString WebRoutes::userRegister()
{
    return site(QStringLiteral("/index.php/User/ureg"));
}

QString WebRoutes::buildMobileVerify(const QString& scrambledMobile)
{
    return site(QStringLiteral("/index.php/User/buildMobileVerify/mobile/") + scrambledMobile);
}

QString WebRoutes::mobileVerify(const QString& code, const QString& userName)
{
    return site(QStringLiteral("/index.php/User/mobileVerify/vcode/") + code +
                QStringLiteral("/username/") + userName);
}

QString WebRoutes::updateProfile()
{
    return site(QStringLiteral("/index.php/User/updatepro/"));
}

QString WebRoutes::recommendPage(const QString& city)
{
    return site(QStringLiteral("/index.php/Recommend/index/city/") + city);
}

QString WebRoutes::noticePage(const QString& city)
{
    return site(QStringLiteral("/index.php/Sysnotice/notice/city/") + city);
}

QString WebRoutes::headAdPage()
{
    return site(QStringLiteral("/ad/headAd.htm"));
}

QString WebRoutes::recommendStripPage()
{
    return site(QStringLiteral("/ad/021.htm"));
}

QString WebRoutes::userCardPage(const QString& userName)
{
    return site(QStringLiteral("/index.php/User/getUserCard/id/") + userName);
}

QString WebRoutes::calendarPage()
{
    return site(QStringLiteral("/tools/calendar.htm"));
}

QString WebRoutes::tenderPage(const QString& category)
{
    const QString list = adminAddress() + QStringLiteral("/agent.php/Bidding/listbid");
    return category.isEmpty() ? list : list + QStringLiteral("/cat/") + category;
}

QString WebRoutes::lawPage()
{
    return site(QStringLiteral("/ad/law.html"));
}

QString WebRoutes::protocolPage()
{
    return site(QStringLiteral("/ad/protocl.html"));
}

QString WebRoutes::violationToolPage()
{
    return site(QStringLiteral("/tools/wz.htm"));
}

QString WebRoutes::trafficRulesPage()
{
    return site(QStringLiteral("/tools/fg.htm"));
}

QString WebRoutes::plateCodePage()
{
    return site(QStringLiteral("/tools/chepai.htm"));
}

QString WebRoutes::mapPage(const QString& mapHost, const QString& city)
{
    return mapHost + QStringLiteral("/nava/map/show.action?width=735&height=488&city=") + city +
           QStringLiteral("&noicon=1");
}
