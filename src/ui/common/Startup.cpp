#include "ui/common/Startup.h"

#include "ui/common/StartSequence.h"
#include "ui/common/StartupWindows.h"

namespace {
Startup::Hooks& installedHooks()
{
    static Startup::Hooks hooks;
    return hooks;
}

// Only the login is ever asked of these windows.
class InstalledLoginWindow : public StartupWindows
{
public:
    bool showLogin(QString& userName, QString& password) override
    {
        return installedHooks().login && installedHooks().login(userName, password);
    }
    QWidget* createMainWindow() override { return nullptr; }
    void signIn(QWidget*) override {}
};
} // namespace

void Startup::setHooks(const Hooks& hooks)
{
    installedHooks() = hooks;
}

bool Startup::modalLogin()
{
    InstalledLoginWindow window;
    return StartSequence(window).modalLogin();
}
