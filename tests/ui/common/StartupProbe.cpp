// A program that runs the real start sequence under a given application title, for the
// single-instance test: prints "login" when the login window is reached, then cancels it, or
// with "hold" stays in the login until it is killed.
#include "ScriptedStartupWindows.h"
#include "ui/common/StartSequence.h"

#include <QApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const bool hold = argc > 2 && QByteArray(argv[2]) == "hold";
    ScriptedStartupWindows windows;
    windows.login = [hold](QString&, QString&) {
        std::fputs("login\n", stdout);
        std::fflush(stdout);
        while (hold)
            QThread::sleep(1);
        return false;
    };
    StartSequence start(windows);
    return start.run(app, QString::fromLocal8Bit(argv[1]));
}
