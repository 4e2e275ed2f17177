#pragma once

#include "update/UpdateInfoFile.h"

#include <QDate>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <functional>

class HttpClient;
struct HttpReply;

// The update component: fetches the information file, compares the version it offers with
// the running one, downloads the listed files beside the executable as "<name>.uTMP", and
// installs them by writing out and starting the upgrader program, which replaces the files
// and starts the program again while the owner ends this one (on `installed`). It shows
// nothing of its own. Transfers run through the HTTP client, asynchronous on the UI thread;
// every signal is emitted there. Signals with a pointer argument are in/out flags and must
// be handled by direct connections.
class TauAutoUpgrader : public QObject
{
    Q_OBJECT
public:
    enum class VersionControl
    {
        ByNumber,
        ByDate
    };
    enum class Mode
    {
        Idle,
        InformationFile,
        UpdateFiles
    };

    using ProgramStarter = std::function<bool(const QString& program, const QStringList& args)>;
    using UrlOpener = std::function<bool(const QUrl& url)>;

    static constexpr int AutoCheckIntervalMs = 10000;
    static constexpr int InformationFileDeadlineMs = 30000;
    static constexpr qint64 InformationFileMaxBytes = 1024 * 1024;
    static constexpr int UpdateFileDeadlineMs = 15 * 60 * 1000;
    static constexpr qint64 UpdateFileMaxBytes = qint64(512) * 1024 * 1024;

    // Deletes an upgrader program left in the temporary directory by an earlier update.
    explicit TauAutoUpgrader(QObject* parent = nullptr);
    ~TauAutoUpgrader() override;

    // Settings.
    void setInfoFileUrl(const QString& url) { m_infoFileUrl = url; }
    QString infoFileUrl() const { return m_infoFileUrl; }
    void setCurrentVersion(const QString& version) { m_currentVersion = version; }
    void setVersionControl(VersionControl control) { m_versionControl = control; }
    // "MM/dd/yyyy"; today at creation.
    void setVersionDate(const QString& date) { m_versionDate = date; }
    // Passed on to the upgrader; an empty value becomes a single space.
    void setRestartParameters(const QString& parameters);
    QString restartParameters() const { return m_restartParameters; }
    // The description's file list and message: kept with the component, the check does not
    // read them.
    void setDescription(const QString& fileList, const QString& message);
    QString descriptionFileList() const { return m_descriptionFileList; }
    // Starts or stops the periodic check.
    void setAutoCheck(bool on);
    bool autoCheck() const { return m_autoCheck; }
    bool autoCheckTimerActive() const { return m_timer.isActive(); }

    // Where things live; the defaults are the running program's. Tests point them elsewhere.
    void setExecutablePath(const QString& path);
    QString executablePath() const { return m_executablePath; }
    QString programDirectory() const;
    // Where the upgrader is written: the temporary directory (the program's own when there
    // is none) + "Upgrader3" (".exe" on Windows).
    QString upgraderPath() const { return m_upgraderPath; }
    void setUpgraderPath(const QString& path) { m_upgraderPath = path; }
    // The upgrader program carried with the executable: resource AUUPG.
    void setUpgraderSource(const QString& path) { m_upgraderSource = path; }
    void setProgramStarter(ProgramStarter starter) { m_startProgram = std::move(starter); }
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Whether the machine is online, asked at each tick of the periodic check.
    void setOnlineCheck(std::function<bool()> check) { m_online = std::move(check); }
    void setAutoCheckInterval(int ms) { m_timer.setInterval(ms); }

    // Starts a check; does nothing while a transfer runs.
    void checkNow();
    bool busy() const { return m_mode != Mode::Idle; }
    Mode mode() const { return m_mode; }
    // Emits afterRestart when the first argument after the program is the restart parameters.
    void noticeRestart(const QStringList& programArguments);

    // Run-time state of the last check.
    QList<UpdateInfoFile::File> files() const { return m_files; }
    int method() const { return m_method; }
    bool automaticCheck() const { return m_automatic; }

    static QString defaultUpgraderPath();
    // The local name a file URL is stored under, or empty when its name is not plain.
    QString temporaryFileFor(const QString& url) const;

Q_SIGNALS:
    void beginUpgrade(const QString& message, bool* mayProceed, const QStringList& files,
                      int method);
    void laterUpgrade();
    void fileStart(const QString& url, qint64 size, bool* transfer);
    void progress(const QString& url, double bytesPerSecond, int percentAll, int percentFile,
                  int secondsLeft);
    void fileDone(const QString& localName);
    void endUpgrade();
    void noUpdateAvailable();
    void noInformationFile();
    void fileLost(const QString& url, bool* continueUpgrade, int status);
    void hostUnreachable(const QString& url, const QString& host);
    void connectionLost(int status);
    void aborted();
    void passwordRequest();
    void afterRestart();
    // The upgrader has been started; the owner closes the program without asking.
    void installed();

private:
    void informationFileArrived(const HttpReply& reply);
    bool offerIsNewer(const UpdateInfoFile& info) const;
    void fetchNextFile();
    void fileArrived(const HttpReply& reply);
    void fileProgress(qint64 received, qint64 total);
    bool storeFile(const HttpReply& reply, QString& localName);
    void finishFiles();
    void install();
    // Deletes what this run stored and returns to idle; emits aborted unless told not to.
    void abandonFiles(bool emitAborted = true);
    void reportUnreachable(const QString& url);
    void timerTick();
    void toIdle();

    HttpClient* m_http;
    QTimer m_timer;
    QString m_infoFileUrl;
    QString m_currentVersion;
    VersionControl m_versionControl = VersionControl::ByNumber;
    QString m_versionDate;
    QString m_restartParameters;
    QString m_descriptionFileList;
    QString m_descriptionMessage;
    bool m_autoCheck = false;
    QString m_executablePath;
    QString m_upgraderPath;
    QString m_upgraderSource;
    ProgramStarter m_startProgram;
    UrlOpener m_openUrl;
    std::function<bool()> m_online;

    Mode m_mode = Mode::Idle;
    QList<UpdateInfoFile::File> m_files;
    int m_fileIndex = 0;
    int m_method = 0;
    bool m_aborted = false;
    bool m_automatic = false;
    QStringList m_stored; // local files written by this run
    QElapsedTimer m_fileClock;
    quint64 m_generation = 0; // tells a stale reply from the current one
};
