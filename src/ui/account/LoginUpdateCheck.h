#pragma once

#include <QObject>
#include <QString>

// The update check the login window runs while it keeps its buttons disabled. The window only
// listens to the events; the update component behind it is chosen through the factory, so the
// real component can replace the default one without the window changing.
class LoginUpdateCheck : public QObject
{
    Q_OBJECT
public:
    // Every event after which the window returns to idle.
    enum class EndEvent
    {
        EndUpgrade,
        ConnectionLost,
        NoUpdateAvailable,
        NoInformationFile,
        FileDone,
        HostUnreachable,
        FileLost,
        Aborted,
        // The offer was declined, or handed to the web browser (method 2): nothing follows.
        LaterUpgrade,
        BrowserOpened
    };
    Q_ENUM(EndEvent)

    struct Settings
    {
        QString infoUrl;        // where the information file is fetched
        QString currentVersion; // compared by number with the offered version
        QString fileList;       // kept with the component; the check itself does not read it
    };

    explicit LoginUpdateCheck(QObject* parent = nullptr) : QObject(parent) {}

    // Starts the check without automatic periodic checks, messages or wizard. May throw; the
    // window then treats the check as ended (no message).
    virtual void start(const Settings& settings) = 0;

Q_SIGNALS:
    void upgradeBegun();
    void fileStarted();
    void ended(LoginUpdateCheck::EndEvent event);
};
