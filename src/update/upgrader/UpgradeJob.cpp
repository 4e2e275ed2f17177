#include "update/upgrader/UpgradeJob.h"

#include "update/UpdateFileName.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString backupSuffix = QStringLiteral(".uOLD");
constexpr int retryPauseMs = 200;

} // namespace

UpgradeJob::UpgradeJob(Options options) : m_options(std::move(options))
{
    m_folder = QFileInfo(m_options.executablePath).absolutePath();
    if (!m_options.renameOver)
        m_options.renameOver = renameOverDefault;
    if (!m_options.startProgram) {
        m_options.startProgram = [](const QString& program, const QStringList& args,
                                    const QString& dir) {
            return QProcess::startDetached(program, args, dir);
        };
    }
    if (!m_options.logPath.isEmpty()) {
        QDir().mkpath(QFileInfo(m_options.logPath).absolutePath());
        m_logFile = new QFile(m_options.logPath);
        if (!m_logFile->open(QIODevice::Append | QIODevice::Text)) {
            std::fprintf(stderr, "upgrader: cannot write the log %s\n",
                         qPrintable(m_options.logPath));
            delete m_logFile;
            m_logFile = nullptr;
        }
    }
}

UpgradeJob::~UpgradeJob()
{
    delete m_logFile;
}

void UpgradeJob::log(const QString& line)
{
    const QString stamped =
        QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') + line;
    if (m_logFile) {
        m_logFile->write(stamped.toUtf8() + '\n');
        m_logFile->flush();
    }
    std::fprintf(stderr, "upgrader: %s\n", qPrintable(line));
}

bool UpgradeJob::renameOverDefault(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool UpgradeJob::executableInUse(const QString& executablePath)
{
#ifdef Q_OS_LINUX
    const QString wanted = QFileInfo(executablePath).canonicalFilePath();
    if (wanted.isEmpty())
        return false;
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        if (entry == self || entry.isEmpty() || !entry.at(0).isDigit())
            continue;
        const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(entry)).symLinkTarget();
        if (exe == wanted)
            return true;
    }
    return false;
#else
    Q_UNUSED(executablePath)
    return false;
#endif
}

void UpgradeJob::waitForExit()
{
    QElapsedTimer clock;
    clock.start();
    while (executableInUse(m_options.executablePath)) {
        if (clock.elapsed() > m_options.waitForExitMs) {
            log(QStringLiteral("the program still runs after %1 ms; going on")
                    .arg(m_options.waitForExitMs));
            return;
        }
        QThread::msleep(retryPauseMs);
    }
}

QList<UpgradeJob::Replacement> UpgradeJob::collect()
{
    QList<Replacement> replacements;
    const QString suffix = UpdateFileName::temporarySuffix();
    const QStringList copies = QDir(m_folder).entryList({QLatin1Char('*') + suffix},
                                                        QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& copy : copies) {
        const QString name = copy.left(copy.size() - suffix.size());
        const QString target = QDir(m_folder).filePath(name);
        // Only plain names directly inside the program's folder are ever replaced.
        if (!UpdateFileName::isPlainName(name) ||
            QFileInfo(target).absolutePath() != QFileInfo(m_folder).absoluteFilePath()) {
            log(QStringLiteral("refused %1: not a file of the program's folder").arg(copy));
            QFile::remove(QDir(m_folder).filePath(copy));
            continue;
        }
        Replacement replacement;
        replacement.copy = QDir(m_folder).filePath(copy);
        replacement.target = target;
        replacement.backup = target + backupSuffix;
        replacements.append(replacement);
    }
    return replacements;
}

bool UpgradeJob::applyOne(Replacement& r)
{
    const QFileInfo target(r.target);
    r.hadTarget = target.exists() || target.isSymLink();
    if (r.hadTarget) {
        if (!target.isFile()) {
            log(QStringLiteral("%1 is not a file").arg(r.target));
            return false;
        }
        // The new file takes the old one's permissions (an executable stays executable).
        QFile::setPermissions(r.copy, QFile::permissions(r.target));
        QFile::remove(r.backup);
        if (!QFile::copy(r.target, r.backup)) {
            log(QStringLiteral("could not keep %1 aside").arg(r.target));
            return false;
        }
    }
    // The copy replaces the old file in one step; the program may take a moment to let go
    // of it where the system locks files in use.
    QElapsedTimer clock;
    clock.start();
    while (!m_options.renameOver(r.copy, r.target)) {
        if (clock.elapsed() > m_options.replaceRetryMs) {
            log(QStringLiteral("could not replace %1").arg(r.target));
            return false;
        }
        QThread::msleep(retryPauseMs);
    }
    r.replaced = true;
    log(QStringLiteral("replaced %1").arg(r.target));
    return true;
}

bool UpgradeJob::apply(QList<Replacement>& replacements)
{
    for (Replacement& r : replacements) {
        if (!applyOne(r))
            return false;
    }
    return true;
}

void UpgradeJob::restore(QList<Replacement>& replacements)
{
    for (Replacement& r : replacements) {
        if (!r.replaced)
            continue;
        if (r.hadTarget) {
            if (m_options.renameOver(r.backup, r.target))
                log(QStringLiteral("restored %1").arg(r.target));
            else
                log(QStringLiteral("could not restore %1 from %2").arg(r.target, r.backup));
        } else if (!QFile::remove(r.target)) {
            log(QStringLiteral("could not remove the new file %1").arg(r.target));
        }
        r.replaced = false;
    }
}

bool UpgradeJob::restart(const QStringList& arguments)
{
    log(QStringLiteral("starting %1 %2").arg(m_options.executablePath, arguments.join(' ')));
    if (m_options.startProgram(m_options.executablePath, arguments, m_folder))
        return true;
    log(QStringLiteral("could not start %1").arg(m_options.executablePath));
    return false;
}

UpgradeJob::Outcome UpgradeJob::run()
{
    log(QStringLiteral("updating %1").arg(m_options.executablePath));
    waitForExit();
    QList<Replacement> replacements = collect();
    if (replacements.isEmpty()) {
        log(QStringLiteral("no update files found"));
        return restart({}) ? Outcome::NothingToDo : Outcome::Failed;
    }
    const bool complete = apply(replacements);
    if (!complete)
        restore(replacements);
    for (const Replacement& r : qAsConst(replacements)) {
        if (QFile::exists(r.copy) && !QFile::remove(r.copy))
            log(QStringLiteral("could not remove the copy %1").arg(r.copy));
        if (QFile::exists(r.backup) && !QFile::remove(r.backup))
            log(QStringLiteral("could not remove %1").arg(r.backup));
    }
    log(complete ? QStringLiteral("update complete")
                 : QStringLiteral("update failed; the old files are back"));
    if (!restart(complete ? m_options.restartArguments : QStringList()))
        return Outcome::Failed;
    return complete ? Outcome::Updated : Outcome::Restored;
}
