#pragma once

#include "ui/common/LoginPrompt.h"

#include <QPointer>
#include <QString>

class QApplication;
class QWidget;
class StartupWindows;

// The program's start: application title, single-instance guard, modal login, main window,
// XMPP sign-in, message loop. The composition root constructs it with the windows it opens;
// it is also the modal login the main window's log-off-and-on asks for again.
class StartSequence : public LoginPrompt
{
public:
    explicit StartSequence(StartupWindows& windows);

    // False at once while a login window is showing; otherwise shows it and, on OK, stores
    // login identity (user name + "@" + HostName) and password in the session.
    bool modalLogin() override;

    // The main window's log-off-and-on: nothing while a login window shows (returns false);
    // otherwise the modal login again, then a new sign-in; a cancelled login ends the
    // application.
    bool relogin(QWidget* mainWindow);

    // The whole start sequence; returns the process exit code. `title` names the
    // single-instance guard (the application title at that point).
    int run(QApplication& app, const QString& title = QStringLiteral("Tovanta"));

    // The window a later start should bring to the front: the modal login window when one
    // shows, else the main window, else any visible top-level window.
    QWidget* windowToActivate() const;

private:
    StartupWindows& m_windows;
    QPointer<QWidget> m_mainWindow;
};
