#include "SeedGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstdio>

static bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "seedgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// tovanta_seedgen <sandbox folder>: writes seed/seed.json and accounts.txt there.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovanta_seedgen <sandbox folder>\n");
        return 2;
    }
    const QDir sandbox(QString::fromLocal8Bit(argv[1]));
    if (!sandbox.mkpath(QStringLiteral("seed"))) {
        std::fprintf(stderr, "seedgen: cannot create %s/seed\n", argv[1]);
        return 1;
    }
    const SeedGenerator generator;
    const QByteArray json = QJsonDocument(generator.seed()).toJson(QJsonDocument::Indented);
    const bool ok = writeFile(sandbox.filePath(QStringLiteral("seed/seed.json")), json) &&
                    writeFile(sandbox.filePath(QStringLiteral("accounts.txt")),
                              generator.accountsText().toUtf8());
    return ok ? 0 : 1;
}
