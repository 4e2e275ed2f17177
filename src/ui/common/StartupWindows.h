#pragma once

#include <QString>

class QWidget;

// The windows the start sequence opens, supplied by the composition root.
class StartupWindows
{
public:
    virtual ~StartupWindows() = default;

    // Shows the login window modally. True when it closed with OK; then `userName` and
    // `password` hold the trimmed texts of its fields. The login window loads the built-in
    // configuration and the settings file at creation.
    virtual bool showLogin(QString& userName, QString& password) = 0;
    // Creates and shows the main window; null ends the start. The message loop runs until the
    // last window closes; a window still alive afterwards is deleted by the start sequence.
    virtual QWidget* createMainWindow() = 0;
    // Starts the XMPP sign-in with the session's login identity and password.
    virtual void signIn(QWidget* mainWindow) = 0;
};
