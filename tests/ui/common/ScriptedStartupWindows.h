#pragma once

#include "ui/common/StartupWindows.h"

#include <functional>

// Start-sequence windows a test scripts: each step runs the function the test gave it; a step
// without one cancels the login, creates no main window, or does nothing.
class ScriptedStartupWindows : public StartupWindows
{
public:
    std::function<bool(QString& userName, QString& password)> login;
    std::function<QWidget*()> mainWindow;
    std::function<void(QWidget* mainWindow)> signedIn;

    bool showLogin(QString& userName, QString& password) override
    {
        return login && login(userName, password);
    }
    QWidget* createMainWindow() override { return mainWindow ? mainWindow() : nullptr; }
    void signIn(QWidget* window) override
    {
        if (signedIn)
            signedIn(window);
    }
};
