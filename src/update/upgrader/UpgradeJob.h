#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

class QFile;

// What the upgrader program does: waits until the program to update has exited, puts every
// "<name>.uTMP" of the program's folder in place of "<name>", and starts the program again.
// Each file is replaced by a rename over the old one; the old one is kept aside until all
// are in place, and when any step fails every file already replaced is put back, so the
// program is never left half updated. The copies are removed either way. Everything it does
// goes to a log file.
class UpgradeJob
{
public:
    struct Options
    {
        QString executablePath;
        QStringList restartArguments; // given to the program after a complete update
        // How long the program may take to exit (the main window may still show its last
        // message), and how long a replacement is retried while the system keeps the file
        // locked.
        int waitForExitMs = 10 * 60 * 1000;
        int replaceRetryMs = 30000;
        QString logPath;
        std::function<bool(const QString& program, const QStringList& args,
                           const QString& workingDirectory)>
            startProgram;
        // Renames `from` over `to`, replacing it in one step.
        std::function<bool(const QString& from, const QString& to)> renameOver;
    };

    enum class Outcome
    {
        Updated,  // all files in place, program started with the restart arguments
        Restored, // a step failed; the old files are back, program started without them
        NothingToDo,
        Failed // the program could not be started again
    };

    explicit UpgradeJob(Options options);
    ~UpgradeJob();

    Outcome run();

    // True while some process other than this one runs the executable (where the system
    // says; elsewhere false, and the replacement's own retries do the waiting).
    static bool executableInUse(const QString& executablePath);
    static bool renameOverDefault(const QString& from, const QString& to);

private:
    struct Replacement
    {
        QString copy;   // <name>.uTMP
        QString target; // <name>
        QString backup; // <name>.uOLD while the update is applied
        bool hadTarget = false;
        bool replaced = false;
    };

    QList<Replacement> collect();
    bool apply(QList<Replacement>& replacements);
    bool applyOne(Replacement& replacement);
    void restore(QList<Replacement>& replacements);
    void waitForExit();
    bool restart(const QStringList& arguments);
    void log(const QString& line);

    Options m_options;
    QString m_folder;
    QFile* m_logFile = nullptr;
};
