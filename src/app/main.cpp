#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    Startup::Hooks hooks;
    // hooks.login: show the login window modally; true on OK with the trimmed user name and
    // password (the window loads the built-in configuration and config.xml when created).
    // Until it is set, a stand-in dialog asks for user name and password.
    // hooks.createMainWindow: create and show the main window.
    // hooks.signIn: start the XMPP sign-in with the session's identity and password.
    Startup::setHooks(hooks);

    return Startup::run(app);
}
