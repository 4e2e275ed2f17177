#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QLocalServer;
class QWidget;

// Makes sure only one instance runs per user and name. The first instance holds a lock file
// for its whole life and listens on a local socket; a later start finds the lock taken,
// asks the first instance to come to the front and gives up.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstanceGuard(const QString& name, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when this is the only running instance. Otherwise the running instance receives
    // an activation request and false is returned.
    bool acquire();
    bool isPrimary() const { return m_primary; }

    // Restores a minimised window, raises it and gives it the focus.
    static void bringToFront(QWidget* window);

Q_SIGNALS:
    // The running instance was asked by a later start to show its window.
    void activationRequested();

private:
    QString lockFilePath() const;
    QString serverName() const;
    bool listen();
    bool requestActivation() const;
    void readRequests();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_primary = false;
};
