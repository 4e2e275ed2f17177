#include "SandboxEndpoints.h"

#include "app/SessionState.h"

#include <QtGlobal>

static int portFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue(name, &ok);
    return ok && port > 0 ? port : fallback;
}

int SandboxEndpoints::c2sPort()
{
    return portFromEnvironment("TOVANTA_SANDBOX_C2S_PORT", 15222);
}

int SandboxEndpoints::httpPort()
{
    return portFromEnvironment("TOVANTA_SANDBOX_HTTP_PORT", 15280);
}

QByteArray SandboxEndpoints::siteHost()
{
    return "www.localhost:" + QByteArray::number(httpPort());
}

QUrl SandboxEndpoints::url(const QString& path)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(httpPort());
    const int query = path.indexOf(QLatin1Char('?'));
    url.setPath(query < 0 ? path : path.left(query));
    if (query >= 0)
        url.setQuery(path.mid(query + 1));
    return url;
}

static void retargetAddress(QString& address)
{
    QUrl url(address);
    const QString host = url.host();
    if (host != QLatin1String("localhost") && !host.endsWith(QLatin1String(".localhost")))
        return;
    url.setPort(SandboxEndpoints::httpPort());
    address = url.toString();
}

void SandboxEndpoints::retarget(SessionState& state)
{
    state.ServerPort = c2sPort();
    state.baseurl = QStringLiteral(":%1").arg(httpPort());
    for (QString* address : {&state.regurl, &state.wsdluri, &state.homeURL, &state.infourl,
                             &state.upgradfiles, &state.findfriendurl})
        retargetAddress(*address);
}
