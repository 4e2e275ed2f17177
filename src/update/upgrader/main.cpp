// The upgrader program: started by the client after it has downloaded an update, with the
// program's path and "+" followed by the restart parameters and the method digit.
#include "update/UpgraderCommandLine.h"
#include "update/upgrader/UpgradeJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const UpgraderCommandLine::Parsed command = UpgraderCommandLine::parse(app.arguments().mid(1));
    if (!command.ok) {
        std::fprintf(stderr, "usage: %s <program> +<restart parameters><method>\n",
                     qPrintable(QFileInfo(app.applicationFilePath()).fileName()));
        return 2;
    }
    UpgradeJob::Options options;
    options.executablePath = QDir::fromNativeSeparators(command.executablePath);
    options.restartArguments = UpgraderCommandLine::restartArguments(command.restartParameters);
    options.logPath = QFileInfo(options.executablePath)
                          .absoluteDir()
                          .filePath(QStringLiteral("data/upgrader.log"));
    UpgradeJob job(options);
    switch (job.run()) {
    case UpgradeJob::Outcome::Updated:
    case UpgradeJob::Outcome::NothingToDo:
        return 0;
    case UpgradeJob::Outcome::Restored:
        return 1;
    case UpgradeJob::Outcome::Failed:
        break;
    }
    return 3;
}
