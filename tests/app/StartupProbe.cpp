// A program that runs the real start sequence under a given application title, for the
// single-instance test: prints "login" when the login hook is reached, then cancels it.
#include "Startup.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Startup::Hooks hooks;
    hooks.login = [](QString&, QString&) {
        QTextStream(stdout) << "login" << Qt::endl;
        return false;
    };
    Startup::setHooks(hooks);
    return Startup::run(app, QString::fromLocal8Bit(argv[1]));
}
