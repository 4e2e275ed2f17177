#include "ui/common/StartSequence.h"

#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "ui/common/SingleInstanceGuard.h"
#include "ui/common/StartupWindows.h"

#include <QApplication>
#include <QScopeGuard>
#include <QWidget>

StartSequence::StartSequence(StartupWindows& windows) : m_windows(windows) {}

bool StartSequence::modalLogin()
{
    SessionState& state = session();
    if (!state.loginWindowAvailable)
        return false;
    state.loginWindowAvailable = false;
    // Freed however the login window ends, a failing one included.
    const auto freeLoginWindow = qScopeGuard([&state] { state.loginWindowAvailable = true; });

    QString userName;
    QString password;
    if (!m_windows.showLogin(userName, password))
        return false;
    // HostName is read after the login window loaded the built-in configuration.
    state.setLoginIdentity(userName + QLatin1Char('@') + state.HostName);
    state.password = password;
    return true;
}

bool StartSequence::relogin(QWidget* mainWindow)
{
    if (!session().loginWindowAvailable)
        return false;
    if (!modalLogin()) {
        QCoreApplication::quit();
        return false;
    }
    m_windows.signIn(mainWindow);
    return true;
}

QWidget* StartSequence::windowToActivate() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (m_mainWindow)
        return m_mainWindow;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() || window->isMinimized())
            return window;
    }
    return nullptr;
}

int StartSequence::run(QApplication& app, const QString& title)
{
    ApplicationTitle::set(title);
    SessionState::ensureDataDirectory();

    SingleInstanceGuard guard(ApplicationTitle::get());
    if (!guard.acquire())
        return 0;
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested,
                     [this] { SingleInstanceGuard::bringToFront(windowToActivate()); });

    if (!modalLogin())
        return 0;

    m_mainWindow = m_windows.createMainWindow();
    if (!m_mainWindow)
        return 0;
    m_windows.signIn(m_mainWindow);
    const int exitCode = app.exec();
    delete m_mainWindow.data();
    return exitCode;
}
