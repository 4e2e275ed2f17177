#include "im/XmppIMClient.h"

#include "core/XmlEscape.h"
#include "im/IMClientError.h"
#include "im/RawStanza.h"

#include <QXmppClient.h>
#include <QXmppConfiguration.h>
#include <QXmppLogger.h>
#include <QXmppMessage.h>
#include <QXmppPresence.h>
#include <QXmppRosterManager.h>
#include <QXmppUtils.h>

#include <QTimer>

namespace {

int availabilityOf(const QXmppPresence& presence)
{
    if (presence.type() == QXmppPresence::Unavailable)
        return 0;
    switch (presence.availableStatusType()) {
    case QXmppPresence::Away:
        return 2;
    case QXmppPresence::XA:
        return 3;
    case QXmppPresence::DND:
        return 4;
    default:
        return 1;
    }
}

int messageTypeOf(QXmppMessage::Type type)
{
    switch (type) {
    case QXmppMessage::Normal:
        return 0;
    case QXmppMessage::Chat:
        return 1;
    case QXmppMessage::GroupChat:
        return 2;
    case QXmppMessage::Headline:
        return 3;
    default:
        return 4;
    }
}

QString errorText(QXmppClient::Error error)
{
    switch (error) {
    case QXmppClient::SocketError:
        return QStringLiteral("Socket error");
    case QXmppClient::KeepAliveError:
        return QStringLiteral("Keep-alive timeout");
    case QXmppClient::XmppStreamError:
        return QStringLiteral("XMPP stream error");
    default:
        return QStringLiteral("No error");
    }
}

} // namespace

XmppIMClient::XmppIMClient(QObject* parent)
    : IMClient(parent), m_client(new QXmppClient(this)),
      m_rosterManager(m_client->findExtension<QXmppRosterManager>()), m_loginWatch(new QTimer(this))
{
    m_loginWatch->setSingleShot(true);
    QObject::connect(m_loginWatch, &QTimer::timeout, this, &XmppIMClient::onLoginSilence);
    QObject::connect(m_client, &QXmppClient::connected, this, &XmppIMClient::onEngineConnected);
    QObject::connect(m_client, &QXmppClient::disconnected, this,
                     &XmppIMClient::onEngineDisconnected);
    QObject::connect(m_client, &QXmppClient::error, this,
                     [this](QXmppClient::Error e) { onEngineError(int(e)); });
    QObject::connect(
        m_client, &QXmppClient::logMessage, this,
        [this](QXmppLogger::MessageType type, const QString& text) { onLog(int(type), text); });
    QObject::connect(m_client, &QXmppClient::messageReceived, this, &XmppIMClient::onMessage);
    QObject::connect(m_client, &QXmppClient::presenceReceived, this, &XmppIMClient::onPresence);
    QXmppRosterManager& roster = (*m_rosterManager);
    QObject::connect(&roster, &QXmppRosterManager::subscriptionReceived, this,
                     &XmppIMClient::onSubscription);
    QObject::connect(&roster, &QXmppRosterManager::rosterReceived, this,
                     &XmppIMClient::onRosterReceived);
    auto refresh = [this](const QString&) { m_roster = (*m_rosterManager).getRosterBareJids(); };
    QObject::connect(&roster, &QXmppRosterManager::itemAdded, this, refresh);
    QObject::connect(&roster, &QXmppRosterManager::itemRemoved, this, refresh);
}

XmppIMClient::~XmppIMClient()
{
    // The engine is a child; stop its signals reaching a half-destroyed object.
    QObject::disconnect(m_client, nullptr, this, nullptr);
    QObject::disconnect(&(*m_rosterManager), nullptr, this, nullptr);
}

bool XmppIMClient::connected() const
{
    return m_loggedIn && m_client->isAuthenticated();
}

void XmppIMClient::connectToServer(const QString& user, const QString& password)
{
    if (m_server.isEmpty())
        throw IMClientError("No server specified");
    if (!user.contains(QLatin1Char('@')))
        throw IMClientError("Invalid user: a bare JID is required");
    if (m_connecting || m_loggedIn)
        throw IMClientError("Already connected");

    QXmppConfiguration config;
    config.setJid(user);
    config.setPassword(password);
    config.setResource(m_resource);
    config.setHost(m_server);
    config.setPort(m_port);
    config.setAutoReconnectionEnabled(false);
    config.setIgnoreSslErrors(false);
    config.setStreamSecurityMode(QXmppConfiguration::TLSEnabled);
    config.setAutoAcceptSubscriptions(false);
    // The timeout bounds the wait for a keep-alive answer (milliseconds in, seconds out).
    const int keepAliveTimeout = std::max(1, m_timeout / 1000);
    config.setKeepAliveTimeout(keepAliveTimeout);
    // Each ping restarts the engine's wait for an answer: pings closer together than that
    // wait would keep a silent server from ever being noticed.
    const int interval = m_keepAliveInterval > 0 ? m_keepAliveInterval : DefaultKeepAliveInterval;
    config.setKeepAliveInterval(std::max(interval, keepAliveTimeout + 1));
    m_inSplitter.reset();
    m_outSplitter.reset();
    m_roster.clear();
    m_connecting = true;
    m_loginWatch->start(m_timeout);
    m_client->connectToServer(config);
}

QString XmppIMClient::boundJid() const
{
    // The engine writes the bind result into its configuration.
    return connected() ? m_client->configuration().jid() : QString();
}

void XmppIMClient::disconnectFromServer()
{
    if (!m_connecting && !m_loggedIn)
        return;
    m_client->disconnectFromServer();
    // A socket still connecting closes without a signal; report the end either way (once).
    onEngineDisconnected();
}

void XmppIMClient::requireConnected(const char* operation) const
{
    if (!connected())
        throw IMClientError(std::string("Not connected: ") + operation);
}

QString XmppIMClient::sendMessage(const QString& peer, int messageType, const QString& text)
{
    requireConnected("sendMessage");
    // The engine escapes markup but writes control characters as they are; one of them would
    // make the server close the stream.
    QXmppMessage message(QString(), peer, XmlEscape::allowedOnly(text));
    message.setType(messageType == MessageGroupChat ? QXmppMessage::GroupChat : QXmppMessage::Chat);
    message.setId(QXmppUtils::generateStanzaUuid());
    if (!m_client->sendPacket(message))
        throw IMClientError("Message not sent");
    return message.id();
}

void XmppIMClient::sendCommand(const QString& rawXml)
{
    requireConnected("sendCommand");
    if (!m_client->sendPacket(RawStanza(XmlEscape::allowedOnly(rawXml).toUtf8())))
        throw IMClientError("Command not sent");
}

void XmppIMClient::addContact(const QString& jid, const QString& name, const QString& group)
{
    requireConnected("addContact");
    QSet<QString> groups;
    if (!group.isEmpty())
        groups.insert(XmlEscape::allowedOnly(group));
    if (!(*m_rosterManager).addItem(jid, XmlEscape::allowedOnly(name), groups))
        throw IMClientError("Contact not added");
}

void XmppIMClient::subscribeTo(const QString& jid)
{
    requireConnected("subscribeTo");
    if (!(*m_rosterManager).subscribe(jid))
        throw IMClientError("Subscription not requested");
}

void XmppIMClient::answerSubscription(const QString& jid, bool accept)
{
    requireConnected("answerSubscription");
    QXmppRosterManager& roster = (*m_rosterManager);
    if (!accept) {
        if (!roster.refuseSubscription(jid))
            throw IMClientError("Subscription refusal not sent");
        return;
    }
    if (!roster.acceptSubscription(jid))
        throw IMClientError("Subscription approval not sent");
    // Accepting also adds the requester: ask for their presence unless we already have it.
    const auto type = roster.getRosterEntry(jid).subscriptionType();
    if (type != QXmppRosterIq::Item::To && type != QXmppRosterIq::Item::Both &&
        !roster.subscribe(jid))
        throw IMClientError("Subscription not requested");
}

void XmppIMClient::removeContact(const QString& jid, const QString&, const QString&)
{
    requireConnected("removeContact");
    if (!(*m_rosterManager).removeItem(jid))
        throw IMClientError("Contact not removed");
}

int XmppIMClient::contactCount() const
{
    return m_roster.size();
}

QString XmppIMClient::contactId(int index) const
{
    if (index < 0 || index >= m_roster.size())
        throw IMClientError("Invalid array index value for BuddyId");
    return m_roster.at(index);
}

QString XmppIMClient::contactRealName(int index) const
{
    if (index < 0 || index >= m_roster.size())
        throw IMClientError("Invalid array index value for BuddyRealName");
    return (*m_rosterManager).getRosterEntry(m_roster.at(index)).name();
}

void XmppIMClient::onEngineConnected()
{
    m_loginWatch->stop();
    m_connecting = false;
    m_loggedIn = true;
    Q_EMIT OnConnected(0, QString());
}

void XmppIMClient::onEngineDisconnected()
{
    if (!m_connecting && !m_loggedIn)
        return;
    m_loginWatch->stop();
    m_connecting = false;
    m_loggedIn = false;
    const QString description = m_lastError;
    int status = m_lastStatus;
    if (status == DisconnectClosed && !description.isEmpty())
        status = DisconnectFailed;
    m_lastError.clear();
    m_lastStatus = DisconnectClosed;
    Q_EMIT OnDisconnected(status, description);
}

void XmppIMClient::onEngineError(int error)
{
    m_lastError = errorText(QXmppClient::Error(error));
    m_lastStatus = DisconnectFailed;
    if (error == QXmppClient::XmppStreamError) {
        // A refused password ends the log-in with not-authorized, another log-in of the same
        // account ends the session with conflict; anything else (a shutdown) may pass.
        const auto condition = m_client->xmppStreamError();
        if (condition == QXmppStanza::Error::NotAuthorized)
            m_lastStatus = DisconnectRefused;
        else if (condition == QXmppStanza::Error::Conflict)
            m_lastStatus = DisconnectConflict;
    }
    // A failed log-in may end without the engine's disconnected signal.
    if (m_connecting && !m_client->isConnected())
        onEngineDisconnected();
}

void XmppIMClient::onLog(int type, const QString& text)
{
    const bool received = type == QXmppLogger::ReceivedMessage;
    if (!received && type != QXmppLogger::SentMessage)
        return;
    if (received && m_connecting)
        m_loginWatch->start(m_timeout); // the server is still talking
    PiTrailSplitter& splitter = received ? m_inSplitter : m_outSplitter;
    const QStringList units = splitter.feed(text);
    for (const QString& unit : units)
        Q_EMIT OnPITrail(received ? TrailIn : TrailOut, unit);
}

void XmppIMClient::onMessage(const QXmppMessage& message)
{
    const QString from = message.from();
    Q_EMIT OnMessageIn(message.id(), QXmppUtils::jidToUser(from), QXmppUtils::jidToDomain(from),
                       QXmppUtils::jidToResource(from), messageTypeOf(message.type()),
                       message.subject(), message.thread(), message.body(), QString(), QString(),
                       message.stamp());
}

void XmppIMClient::onPresence(const QXmppPresence& presence)
{
    if (presence.type() != QXmppPresence::Available &&
        presence.type() != QXmppPresence::Unavailable)
        return;
    const QString from = presence.from();
    Q_EMIT OnPresence(QXmppUtils::jidToUser(from), QXmppUtils::jidToDomain(from),
                      QXmppUtils::jidToResource(from), availabilityOf(presence),
                      presence.statusText());
}

void XmppIMClient::onSubscription(const QString& bareJid)
{
    Q_EMIT OnSubscriptionRequest(QXmppUtils::jidToUser(bareJid), QXmppUtils::jidToDomain(bareJid));
}

void XmppIMClient::onLoginSilence()
{
    if (!m_connecting)
        return;
    m_lastError = QStringLiteral("Timeout: the server did not answer");
    m_lastStatus = DisconnectFailed;
    m_client->disconnectFromServer();
    onEngineDisconnected(); // a socket that never connected reports nothing itself
}

void XmppIMClient::onRosterReceived()
{
    m_roster = (*m_rosterManager).getRosterBareJids();
    Q_EMIT OnSync();
}
