#pragma once

#include <QString>

// Addresses of the exchange's web site. Values appended to a route are appended as they are;
// HttpClient escapes them for the request line.
class WebRoutes
{
public:
    // "http://www." + HostName + baseurl, from the session's configuration.
    static QString siteAddress();
    static QString siteAddress(const QString& hostName, const QString& baseUrl);
    // "http://admin." + HostName.
    static QString adminAddress();
    static QString adminAddress(const QString& hostName);

    // Routes whose answers are read.
    static QString userInfo(const QString& userName);
    static QString statusAd(const QString& city);
    static QString agentContact(const QString& city);
    static QString cargoCount();
    static QString agentCsrUrl();
    static QString fee();
    static QString userExists(const QString& userName);
    static QString userRegister();
    static QString buildMobileVerify(const QString& scrambledMobile);
    static QString mobileVerify(const QString& code, const QString& userName);
    static QString updateProfile();

    // Pages shown in web views or handed to the browser.
    static QString recommendPage(const QString& city);
    static QString noticePage(const QString& city);
    static QString headAdPage();
    static QString recommendStripPage(); // "/ad/021.htm"
    static QString userCardPage(const QString& userName);
    static QString calendarPage();
    static QString tenderPage(const QString& category); // empty category: the whole list
    static QString lawPage();
    static QString protocolPage();
    static QString violationToolPage(); // "/tools/wz.htm"
    static QString trafficRulesPage();  // "/tools/fg.htm"
    static QString plateCodePage();     // "/tools/chepai.htm"
    // The outside map service's page; `mapHost` is configured by the caller.
    static QString mapPage(const QString& mapHost, const QString& city);
};
