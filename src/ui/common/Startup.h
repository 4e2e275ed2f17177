#pragma once

#include <QString>

#include <functional>

// Transitional: the main window of today reaches the modal login of log-off-and-on through
// these statics (TfrmMain::runLoginAgain, and its test). The composition root installs its
// login window here. Once the main window takes MainWindowServices it asks services.login,
// the StartSequence, instead, and this class goes.
class Startup
{
public:
    struct Hooks
    {
        // Shows the login window modally; see StartupWindows::showLogin.
        std::function<bool(QString& userName, QString& password)> login;
    };

    static void setHooks(const Hooks& hooks);

    // StartSequence::modalLogin() with the installed login window; false without one.
    static bool modalLogin();
};
