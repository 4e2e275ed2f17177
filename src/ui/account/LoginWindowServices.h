#pragma once

#include <functional>
#include <memory>

class LoginUpdateCheck;
class QUrl;
class SessionState;
class TfrmLogin;

// What the login window needs from outside; the composition root supplies it.
struct LoginWindowServices
{
    // What "申请帐号" opens; it gets the login window, which it may fill and show again.
    // Empty: the registration window without a browser window of the program's own (its
    // customer-service button then opens the system browser).
    std::function<void(TfrmLogin& login)> openRegistration;
    // How the window opens a web page (the home page behind the banner; the registration
    // window's disclaimer and agreement when openRegistration is empty). Empty: the system
    // browser.
    std::function<void(const QUrl& url)> openUrl;
    // Makes the update check the window runs at creation. Empty: a check that finds no update.
    std::function<std::unique_ptr<LoginUpdateCheck>()> makeUpdateCheck;
    // Loads the configuration into the session state at every creation of the window; it
    // throws CoreError like BuiltinConfig::load. Empty: the built-in configuration.
    std::function<void(SessionState& state)> loadConfiguration;
};
