#include "client/ClientComposition.h"

#include "im/XmppIMClient.h"
#include "ui/account/TfrmLogin.h"
#include "ui/common/Startup.h"
#include "ui/main/LoadStarter.h"
#include "ui/main/TfrmMain.h"

ClientComposition::ClientComposition(Parts parts)
    : m_client(parts.client ? parts.client.release() : new XmppIMClient),
      m_loginServices(std::move(parts.login))
{
    m_client->setParent(&m_serviceOwner);
}

ClientComposition::~ClientComposition()
{
    // The window uses the services to the end; it goes first.
    delete m_mainWindow.data();
}

int ClientComposition::run(QApplication& app, const QString& title)
{
    return m_start.run(app, title);
}

bool ClientComposition::showLogin(QString& userName, QString& password)
{
    return TfrmLogin::run(m_loginServices, userName, password);
}

QWidget* ClientComposition::createMainWindow()
{
    m_mainWindow = constructMainWindow();
    m_mainWindow->showMaximized();
    return m_mainWindow;
}

void ClientComposition::signIn(QWidget* mainWindow)
{
    if (auto* window = qobject_cast<TfrmMain*>(mainWindow))
        window->signIn();
}

// The one place that knows the main window's constructor. Today's TfrmMain takes the XMPP
// client only, makes its own loaders, and asks the transitional Startup statics for the login
// of log-off-and-on. Once it takes MainWindowServices, the body becomes
//     m_loads = std::make_unique<ServiceLoadStarter>(&m_serviceOwner);
//     return new TfrmMain({m_client, m_loads.get(), &m_secondaryWindows, &m_start});
// (with "ui/main/ServiceLoadStarter.h"), and ui/common/Startup.h and .cpp are deleted.
TfrmMain* ClientComposition::constructMainWindow()
{
    Startup::setHooks({[login = m_loginServices](QString& userName, QString& password) {
        return TfrmLogin::run(login, userName, password);
    }});
    return new TfrmMain(m_client);
}
