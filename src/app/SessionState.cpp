#include "app/SessionState.h"

#include <QCoreApplication>
#include <QDir>

void SessionState::setLoginIdentity(const QString& identity)
{
    if (identity.compare(loginIdentity, Qt::CaseInsensitive) != 0)
        profile = UserProfile();
    loginIdentity = identity;
}

QString SessionState::userName() const
{
    const int at = loginIdentity.indexOf(QLatin1Char('@'));
    return at < 0 ? loginIdentity : loginIdentity.left(at);
}

QString SessionState::siteAddress() const
{
    return QStringLiteral("http://www.") + HostName + baseurl;
}

QString SessionState::adminAddress() const
{
    return QStringLiteral("http://admin.") + HostName;
}

QString SessionState::executableDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString SessionState::dataDirectory()
{
    return executableDirectory() + QStringLiteral("/data");
}

bool SessionState::ensureDataDirectory()
{
    return QDir().mkpath(dataDirectory());
}

SessionState& session()
{
    static SessionState state;
    return state;
}

void resetSession()
{
    session() = SessionState();
}
