#include "client/ClientComposition.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ClientComposition client;
    return client.run(app);
}
