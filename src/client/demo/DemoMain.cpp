// tovanta-demo: the client with its real windows, logged in automatically for a headless demo.
//   tovanta-demo --user NAME --password PASSWORD --shots DIR
#include "client/ClientComposition.h"
#include "client/WebEngineSetup.h"
#include "client/demo/DemoDriver.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    WebEngineSetup::prepareProcess();
    QApplication app(argc, argv);

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Logs the client in with a demo account and saves screenshots."));
    options.addHelpOption();
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Account name."),
                                  QStringLiteral("name"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Account password."),
                                      QStringLiteral("password"));
    const QCommandLineOption shots(QStringLiteral("shots"),
                                   QStringLiteral("Folder for the screenshots."),
                                   QStringLiteral("dir"), QStringLiteral("demo-shots"));
    options.addOptions({user, password, shots});
    options.process(app);
    if (!options.isSet(user) || !options.isSet(password))
        options.showHelp(2);

    ClientComposition client;
    DemoDriver driver(options.value(user), options.value(password), options.value(shots));
    driver.start();
    // Its own single-instance name, so that a Tovanta already running elsewhere does not
    // stop the demo.
    client.run(app, QStringLiteral("Tovanta-demo"));
    return driver.succeeded() ? 0 : 1;
}
