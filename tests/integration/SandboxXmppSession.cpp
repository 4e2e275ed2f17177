#include "SandboxXmppSession.h"

#include "SandboxEndpoints.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>
#include <QXmppClient.h>
#include <QXmppConfiguration.h>
#include <QXmppLogger.h>
#include <QXmppOutgoingClient.h>

SandboxXmppSession::SandboxXmppSession(QObject* parent)
    : QObject(parent), m_client(new QXmppClient(this))
{
    auto* logger = new QXmppLogger(this);
    logger->setLoggingType(QXmppLogger::SignalLogging);
    logger->setMessageTypes(QXmppLogger::ReceivedMessage);
    connect(logger, &QXmppLogger::message, this,
            [this](QXmppLogger::MessageType type, const QString& text) {
                if (type == QXmppLogger::ReceivedMessage)
                    m_received += text;
            });
    m_client->setLogger(logger);
}

SandboxXmppSession::~SandboxXmppSession()
{
    signOut();
}

bool SandboxXmppSession::waitUntil(const std::function<bool()>& done, int giveUpMs)
{
    const QDeadlineTimer deadline(giveUpMs);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

bool SandboxXmppSession::signIn(const QString& user, const QString& password,
                                const QString& resource)
{
    QXmppConfiguration config;
    config.setHost(QStringLiteral("127.0.0.1"));
    config.setPort(SandboxEndpoints::c2sPort());
    config.setDomain(SandboxEndpoints::xmppDomain());
    config.setUser(user);
    config.setPassword(password);
    config.setResource(resource);
    config.setStreamSecurityMode(QXmppConfiguration::TLSDisabled);
    config.setAutoReconnectionEnabled(false);
    config.setAutoAcceptSubscriptions(false);
    bool finished = false;
    auto onConnected =
        connect(m_client, &QXmppClient::connected, this, [&finished] { finished = true; });
    auto onError = connect(m_client, &QXmppClient::error, this, [&finished] { finished = true; });
    m_client->connectToServer(config);
    waitUntil([&finished] { return finished; }, 15000);
    disconnect(onConnected);
    disconnect(onError);
    return m_client->isConnected();
}

void SandboxXmppSession::signOut()
{
    if (m_client->state() != QXmppClient::DisconnectedState) {
        m_client->disconnectFromServer();
        waitUntil([this] { return m_client->state() == QXmppClient::DisconnectedState; }, 5000);
    }
}

bool SandboxXmppSession::isConnected() const
{
    return m_client->isConnected();
}

QString SandboxXmppSession::jid() const
{
    return m_client->configuration().jid();
}

bool SandboxXmppSession::sendRaw(const QString& xml)
{
    auto* stream = m_client->findChild<QXmppOutgoingClient*>();
    return stream && stream->sendData(xml.toUtf8());
}

bool SandboxXmppSession::waitForText(const QString& needle, int giveUpMs)
{
    return waitUntil([this, &needle] { return m_received.contains(needle); }, giveUpMs);
}

bool SandboxXmppSession::waitForPattern(const QString& pattern, QString* captured, int giveUpMs)
{
    const QRegularExpression expression(pattern);
    QRegularExpressionMatch match;
    const bool found = waitUntil(
        [&] {
            match = expression.match(m_received);
            return match.hasMatch();
        },
        giveUpMs);
    if (found && captured)
        *captured = match.captured(0);
    return found;
}

bool SandboxXmppSession::roundTrip()
{
    const QString id = QStringLiteral("roundtrip-%1").arg(++m_pings);
    sendRaw(QStringLiteral("<iq type='get' id='%1' to='%2'><ping xmlns='urn:xmpp:ping'/></iq>")
                .arg(id, SandboxEndpoints::xmppDomain()));
    return waitForPattern(QStringLiteral("id=['\"]%1['\"]").arg(id));
}
