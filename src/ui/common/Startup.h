#pragma once

#include <QString>

#include <functional>

class QApplication;
class QWidget;

// The program's start: application title, single-instance guard, modal login, main window,
// XMPP sign-in, message loop. The windows of later areas plug in through the hooks.
class Startup
{
public:
    struct Hooks
    {
        // Shows the login window modally. True when it closed with OK; then `userName` and
        // `password` hold the trimmed texts of its fields. The login window loads the
        // built-in configuration and the settings file at creation.
        std::function<bool(QString& userName, QString& password)> login;
        // Creates and shows the main window. The message loop runs until the last window
        // closes; a window still alive afterwards is deleted by the start sequence.
        std::function<QWidget*()> createMainWindow;
        // Starts the XMPP sign-in with the session's login identity and password.
        std::function<void(QWidget* mainWindow)> signIn;
    };

    // Installs the hooks; a missing login hook means a minimal stand-in login dialog.
    static void setHooks(const Hooks& hooks);
    static const Hooks& hooks();

    // Modal login: false at once while a login window is showing; otherwise shows it and, on
    // OK, stores login identity (user name + "@" + HostName) and password in the session.
    static bool modalLogin();

    // The main window's log-off-and-on: nothing while a login window shows (returns false);
    // otherwise the modal login again, then a new sign-in; a cancelled login ends the
    // application.
    static bool relogin(QWidget* mainWindow);

    // The whole start sequence; returns the process exit code. `title` names the
    // single-instance guard (the application title at that point).
    static int run(QApplication& app, const QString& title = QStringLiteral("Tovanta"));

    // The window a later start should bring to the front: the modal login window when one
    // shows, else the main window, else any visible top-level window.
    static QWidget* windowToActivate();
};
