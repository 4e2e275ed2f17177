#include "ui/common/SingleInstanceGuard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QWidget>

namespace {
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");
// A later start may find the lock taken before the first instance listens; it keeps trying
// this long to deliver its request.
constexpr int kConnectPatienceMs = 3000;
} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& name, QObject* parent)
    : QObject(parent), m_name(name)
{}

SingleInstanceGuard::~SingleInstanceGuard() = default;

// One instance per user: the home directory joins the name, hashed so that any title
// (Chinese included) gives a valid file and socket name.
QString SingleInstanceGuard::serverName() const
{
    const QByteArray key = (m_name + QLatin1Char('|') + QDir::homePath()).toUtf8();
    return QStringLiteral("tovanta-instance-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

QString SingleInstanceGuard::lockFilePath() const
{
    return QDir::tempPath() + QLatin1Char('/') + serverName() + QStringLiteral(".lock");
}

bool SingleInstanceGuard::acquire()
{
    m_lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock left by a crashed instance is taken over: QLockFile checks whether its owner lives.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_primary = true;
        listen();
        return true;
    }
    m_lock.reset();
    requestActivation();
    return false;
}

bool SingleInstanceGuard::listen()
{
    // Holding the lock, any socket of that name is left over from a crashed instance.
    QLocalServer::removeServer(serverName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(serverName()))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::readRequests);
    return true;
}

void SingleInstanceGuard::readRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kActivateRequest.trimmed()))
                Q_EMIT activationRequested();
        });
    }
}

bool SingleInstanceGuard::requestActivation() const
{
    QElapsedTimer patience;
    patience.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(500)) {
            socket.write(kActivateRequest);
            const bool written = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(1000);
            return written;
        }
        QThread::msleep(100);
    } while (patience.elapsed() < kConnectPatienceMs);
    return false;
}

void SingleInstanceGuard::bringToFront(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    // Window managers may refuse a focus change that no user input caused; then at least
    // the task-bar entry asks for attention.
    if (!window->isActiveWindow())
        QApplication::alert(window);
}
