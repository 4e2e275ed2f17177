#include "ui/common/Startup.h"

#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "ui/common/SingleInstanceGuard.h"
#include "ui/common/StandInLoginDialog.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
Startup::Hooks& installedHooks()
{
    static Startup::Hooks hooks;
    return hooks;
}

QPointer<QWidget>& mainWindow()
{
    static QPointer<QWidget> window;
    return window;
}
} // namespace

void Startup::setHooks(const Hooks& hooks)
{
    installedHooks() = hooks;
}

const Startup::Hooks& Startup::hooks()
{
    return installedHooks();
}

bool Startup::modalLogin()
{
    SessionState& state = session();
    if (!state.loginWindowAvailable)
        return false;
    state.loginWindowAvailable = false;

    QString userName;
    QString password;
    const auto& login = hooks().login;
    bool confirmed = false;
    try {
        confirmed = login ? login(userName, password) : StandInLoginDialog::run(userName, password);
    } catch (...) {
        state.loginWindowAvailable = true;
        throw;
    }
    if (confirmed) {
        // HostName is read after the login window loaded the built-in configuration.
        state.loginIdentity = userName + QLatin1Char('@') + state.HostName;
        state.password = password;
    }
    state.loginWindowAvailable = true;
    return confirmed;
}

bool Startup::relogin(QWidget* mainWindow)
{
    if (!session().loginWindowAvailable)
        return false;
    if (!modalLogin()) {
        QCoreApplication::quit();
        return false;
    }
    if (hooks().signIn)
        hooks().signIn(mainWindow);
    return true;
}

QWidget* Startup::windowToActivate()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (mainWindow())
        return mainWindow();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() || window->isMinimized())
            return window;
    }
    return nullptr;
}

int Startup::run(QApplication& app, const QString& title)
{
    ApplicationTitle::set(title);
    SessionState::ensureDataDirectory();

    SingleInstanceGuard guard(ApplicationTitle::get());
    if (!guard.acquire())
        return 0;
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested,
                     [] { SingleInstanceGuard::bringToFront(windowToActivate()); });

    if (!modalLogin())
        return 0;

    mainWindow() = hooks().createMainWindow ? hooks().createMainWindow() : nullptr;
    if (!mainWindow())
        return 0;
    if (hooks().signIn)
        hooks().signIn(mainWindow());
    const int exitCode = app.exec();
    delete mainWindow().data();
    return exitCode;
}
