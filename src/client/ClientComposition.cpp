#include "client/ClientComposition.h"

#include "client/ClientLog.h"
#include "im/XmppIMClient.h"
#include "ui/account/AutoUpgraderCheck.h"
#include "ui/account/TfrmLogin.h"
#include "ui/account/TfrmRegistry.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"
#include "ui/main/TfrmNewBrowser.h"
#include "update/TauAutoUpgrader.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>

ClientComposition::ClientComposition(Parts parts)
    : m_client(parts.client ? parts.client.release() : new XmppIMClient),
      m_loads(std::make_unique<ServiceLoadStarter>(&m_serviceOwner)),
      m_loginServices(std::move(parts.login)), m_registryServices(std::move(parts.registration))
{
    m_client->setParent(&m_serviceOwner);
    if (!m_registryServices.openBrowserWindow) {
        // A new browser window each time, as the customer-service buttons of the registration
        // window ask for; it frees itself when closed.
        m_registryServices.openBrowserWindow = [](QWidget* owner, const QUrl& url,
                                                  const QSize& clientSize, const QString& caption) {
            auto* window = new TfrmNewBrowser(owner);
            window->openPage(url, clientSize, caption);
        };
    }
    if (!m_registryServices.openUrl)
        m_registryServices.openUrl = m_loginServices.openUrl;
    if (!parts.cities.loads)
        parts.cities.loads = m_loads.get();
    if (!parts.userInfo.openUrl)
        parts.userInfo.openUrl = m_loginServices.openUrl;
    m_secondaryWindows =
        std::make_unique<ClientWindows>(parts.cities, parts.userInfo, parts.chatHistoryPath);
    if (!m_loginServices.makeUpdateCheck) {
        // The real check. Once the upgrader runs the program ends, the login window with it.
        m_loginServices.makeUpdateCheck = [] {
            auto check = std::make_unique<AutoUpgraderCheck>([] { QCoreApplication::exit(0); });
            check->upgrader().setUrlOpener(
                [](const QUrl& url) { return QDesktopServices::openUrl(url); });
            QObject::connect(&check->upgrader(), &TauAutoUpgrader::afterRestart,
                             [] { qCInfo(lcClient) << "started again after an update"; });
            check->upgrader().noticeRestart(QCoreApplication::arguments());
            return check;
        };
    }
    if (!m_loginServices.openRegistration) {
        m_loginServices.openRegistration = [this](TfrmLogin& login) {
            TfrmRegistry::run(login, m_registryServices);
        };
    }
}

ClientComposition::~ClientComposition()
{
    // The window uses the services to the end; it goes first, then the secondary windows.
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
    QElapsedTimer clock;
    clock.start();
    m_mainWindow = constructMainWindow();
    const qint64 constructed = clock.elapsed();
    m_mainWindow->showMaximized();
    qCDebug(lcClient) << "main window built in" << constructed << "ms, shown after"
                      << clock.elapsed() << "ms";
    return m_mainWindow;
}

void ClientComposition::signIn(QWidget* mainWindow)
{
    if (auto* window = qobject_cast<TfrmMain*>(mainWindow))
        window->signIn();
}

TfrmMain* ClientComposition::constructMainWindow()
{
    auto* window = new TfrmMain({m_client, m_loads.get(), m_secondaryWindows.get(), &m_start});
    m_secondaryWindows->setMainWindow(window);
    return window;
}
