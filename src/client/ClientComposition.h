#pragma once

#include "client/ClientWindows.h"
#include "im/IMClient.h"
#include "ui/account/LoginWindowServices.h"
#include "ui/account/RegistryWindowServices.h"
#include "ui/common/StartSequence.h"
#include "ui/common/StartupWindows.h"
#include "ui/main/SecondaryWindows.h"

#include <QObject>
#include <QPointer>

#include <memory>

class LoadStarter;
class QApplication;
class TfrmMain;

// The client's composition root: builds the services once and hands each window what it needs
// through its constructor. The executable, the demo and the end-to-end test all start the
// client here. session() and shellState() stay the process-wide records they are.
class ClientComposition : public StartupWindows
{
public:
    // What a test may put in place of the real parts.
    struct Parts
    {
        std::unique_ptr<IMClient> client; // the XMPP client; empty: the real one
        LoginWindowServices login;        // what the login window opens
        // The registration window's; the browser window and the page opener are filled in
        // where they are empty.
        RegistryWindowServices registration;
        // The search and subscribed-cities windows'; the loads and the main page are filled
        // in where they are empty, the settings writer stays the file beside the executable.
        CityWindowServices cities;
        // The profile window's; the page opener is filled in where it is empty.
        UserInfoWindowServices userInfo;
        // The conversations' history database; empty: data/chat-history.db beside the
        // executable.
        QString chatHistoryPath;
    };

    explicit ClientComposition(Parts parts = {});
    ~ClientComposition() override;
    ClientComposition(const ClientComposition&) = delete;
    ClientComposition& operator=(const ClientComposition&) = delete;

    // The whole start sequence; returns the process exit code. The program calls
    // WebEngineSetup::prepareProcess() before making `app`. `title` names the
    // single-instance guard.
    int run(QApplication& app, const QString& title = QStringLiteral("Tovanta"));

    IMClient* imClient() const { return m_client; }
    ClientWindows& windows() { return *m_secondaryWindows; }

    // StartupWindows
    bool showLogin(QString& userName, QString& password) override;
    QWidget* createMainWindow() override;
    void signIn(QWidget* mainWindow) override;

private:
    TfrmMain* constructMainWindow();

    // Parent of the services' objects; it outlives every window.
    QObject m_serviceOwner;
    IMClient* m_client = nullptr;
    // Handed to the main window, which does not own them.
    std::unique_ptr<LoadStarter> m_loads;
    std::unique_ptr<ClientWindows> m_secondaryWindows;
    LoginWindowServices m_loginServices;
    RegistryWindowServices m_registryServices;
    StartSequence m_start{*this};
    QPointer<TfrmMain> m_mainWindow;
};
