#include "client/ClientComposition.h"
#include "client/WebEngineSetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    WebEngineSetup::prepareProcess();
    QApplication app(argc, argv);
    ClientComposition client;
    return client.run(app);
}
