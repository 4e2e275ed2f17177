#pragma once

#include "app/UserProfile.h"

#include <QString>
#include <QStringList>

// The one process-wide record every window reads: who is logged in, with which password,
// against which hosts, and the signed-in user's profile. Plain data, no widgets, no locking
// (all network work runs on the UI thread).
class SessionState
{
public:
    // Login: identity is user name + "@" + HostName.
    QString loginIdentity;
    QString password;
    bool rememberPassword = false;
    QString sendKey = QStringLiteral("CtrlEnter"); // "Enter" or "CtrlEnter"
    QStringList orderCities;
    bool loginWindowAvailable = true;

    // Configuration values, named after their keys under \ClientConfig. The defaults point at
    // the local exchange; every login window creation replaces them from the built-in
    // configuration.
    QString regurl = QStringLiteral("http://www.localhost:15280/index.php/User/register");
    QString HostName = QStringLiteral("localhost");
    int ServerPort = 15222;
    QString wsdluri = QStringLiteral("http://www.localhost:15280/w/index.php/Service/index/wsdl/1");
    QString baseurl = QStringLiteral(":15280");
    QString AppVersion = QStringLiteral("2.0.0.1");
    QString AppName = QStringLiteral("Tovanta");
    QString Company;
    QString homeURL = QStringLiteral("http://www.localhost:15280/");
    QString infourl = QStringLiteral("http://www.localhost:15280/update/update.inf");
    QString upgradfiles = QStringLiteral("http://www.localhost:15280/update/files.txt");
    QString findfriendurl = QStringLiteral("http://www.localhost:15280/index.php/User/search");
    QString authmobile = QStringLiteral("true");

    QString customerServiceUrl;
    QStringList feeAreas;
    UserProfile profile;

    // The part of the login identity before its first "@".
    QString userName() const;
    // Sets the login identity. Another account's profile is dropped with the old identity, so
    // nothing of it (company, contact, status) outlives the change; the same account, whatever
    // the letter case it was typed in (the server ignores it), keeps its profile.
    void setLoginIdentity(const QString& identity);
    // "http://www." + HostName + baseurl: prefix of every page and route of the web site.
    QString siteAddress() const;
    // "http://admin." + HostName: the tender pages.
    QString adminAddress() const;

    // Directory of the running executable; config.xml and data/ live there.
    static QString executableDirectory();
    // executableDirectory() + "/data".
    static QString dataDirectory();
    // Creates the data directory with missing parents; false when that failed.
    static bool ensureDataDirectory();
};

// The process-wide session state.
SessionState& session();
// Puts every field back to its initial value (tests, and nothing else).
void resetSession();
