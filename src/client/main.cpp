#include "ui/common/Startup.h"

// The login area provides the real hooks (login window, main window, XMPP sign-in); it joins
// the build, and this include path, once it exists.
#if __has_include("ClientStart.h")
#include "client/ClientStart.h"
#define TOVANTA_HAS_CLIENT_START 1
#endif

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

#ifdef TOVANTA_HAS_CLIENT_START
    ClientStart::install();
#else
    // Without the login area a stand-in dialog asks for user name and password, and the
    // program ends after it (there is no main window to open).
    Startup::setHooks({});
#endif

    return Startup::run(app);
}
