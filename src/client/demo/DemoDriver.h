#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class TfrmMain;

// Walks the real client through a login for the headless demo, the way a user would: waits for
// the login window's update check, types the account into its fields, presses "登录", waits for
// the listings of the user's city, and saves pictures of both windows. Then it closes the
// program.
class DemoDriver : public QObject
{
    Q_OBJECT
public:
    DemoDriver(const QString& userName, const QString& password, const QString& shotDirectory,
               QObject* parent = nullptr);

    void start();
    bool succeeded() const { return m_succeeded; }

private:
    enum class Step
    {
        LoginWindow,
        Listings,
        LiveListing,
        Done
    };

    void tick();
    void fillLoginWindow();
    void awaitListings();
    void awaitLiveListing();
    void finish(bool succeeded, const QString& note);
    bool save(QWidget* window, const QString& fileName);
    static TfrmMain* mainWindow();

    QString m_userName;
    QString m_password;
    QString m_shotDirectory;
    Step m_step = Step::LoginWindow;
    QTimer m_poll;
    QElapsedTimer m_stepClock;
    int m_rowsSeen = 0;
    int m_nationalSeen = 0;
    bool m_liveReported = false;
    bool m_succeeded = false;
};
