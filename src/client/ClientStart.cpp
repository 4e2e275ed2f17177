#include "client/ClientStart.h"

#include "im/XmppIMClient.h"
#include "ui/account/TfrmLogin.h"
#include "ui/common/LoginPrompt.h"
#include "ui/main/MainWindowServices.h"
#include "ui/main/SecondaryWindows.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>

namespace {

// Log-off-and-on asks for the start sequence's modal login again.
class StartupLoginPrompt : public LoginPrompt
{
public:
    bool modalLogin() override { return Startup::modalLogin(); }
};

// The main window's services, made once; they live as long as the application.
MainWindowServices mainWindowServices()
{
    static StartupLoginPrompt login;
    static SecondaryWindows windows;
    static ServiceLoadStarter loads(qApp);
    static XmppIMClient* client = new XmppIMClient(qApp);
    return {client, &loads, &windows, &login};
}

} // namespace

Startup::Hooks ClientStart::hooks()
{
    Startup::Hooks hooks;
    hooks.login = &TfrmLogin::run;
    hooks.createMainWindow = []() -> QWidget* {
        auto* window = new TfrmMain(mainWindowServices());
        window->showMaximized();
        return window;
    };
    hooks.signIn = [](QWidget* mainWindow) {
        if (auto* window = qobject_cast<TfrmMain*>(mainWindow))
            window->signIn();
    };
    return hooks;
}

void ClientStart::install()
{
    Startup::setHooks(hooks());
}
