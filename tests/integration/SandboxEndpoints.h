#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class SessionState;

// Where the sandbox exchange of the integration tests listens: loopback, with the ports
// of sandbox/run (overridable by TOVANTA_SANDBOX_C2S_PORT / TOVANTA_SANDBOX_HTTP_PORT).
class SandboxEndpoints
{
public:
    static int c2sPort();
    static int httpPort();
    // The Host header the client sends for the web site: www.localhost:<port>.
    static QByteArray siteHost();
    // http://127.0.0.1:<port><path>; the path may hold Chinese text, sent as UTF-8.
    static QUrl url(const QString& path);
    static QString xmppDomain() { return QStringLiteral("localhost"); }

    // Points the session state's XMPP port and every web address on a localhost host at
    // this exchange (the configuration built into the client names the default ports).
    static void retarget(SessionState& state);
};
