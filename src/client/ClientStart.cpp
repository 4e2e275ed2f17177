#include "client/ClientStart.h"

#include "ui/account/TfrmLogin.h"
#include "ui/main/TfrmMain.h"

Startup::Hooks ClientStart::hooks()
{
    Startup::Hooks hooks;
    hooks.login = &TfrmLogin::run;
    hooks.createMainWindow = []() -> QWidget* {
        auto* window = new TfrmMain;
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
