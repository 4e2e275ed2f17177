#pragma once

#include "im/IMClient.h"
#include "im/PiTrailSplitter.h"

#include <QStringList>

class QXmppClient;
class QXmppMessage;
class QXmppPresence;
class QXmppRosterManager;
class QTimer;

// IMClient over QXmpp. The engine's own reconnection stays off (the session reconnects with
// its backoff); certificate errors are never ignored; TLS is used when the server offers it.
// The protocol trail reports each unit's exact text. Timeout (milliseconds) bounds the
// server's silence while logging in, and the wait for a keep-alive answer (a ping) once
// connected: a server that goes silent is noticed within the ping interval plus the timeout.
class XmppIMClient : public IMClient
{
    Q_OBJECT
public:
    explicit XmppIMClient(QObject* parent = nullptr);
    ~XmppIMClient() override;

    void setIMServer(const QString& host) override { m_server = host; }
    void setIMPort(int port) override { m_port = port; }
    void setResource(const QString& resource) override { m_resource = resource; }
    void setAuthMethods(const QString& methods) override { m_authMethods = methods; }
    void setTimeout(int milliseconds) override { m_timeout = milliseconds; }
    static constexpr int DefaultKeepAliveInterval = 45; // seconds

    // Seconds between keep-alive pings once connected, read by the next connectToServer();
    // always longer than the timeout.
    void setKeepAliveInterval(int seconds) { m_keepAliveInterval = seconds; }
    int keepAliveInterval() const { return m_keepAliveInterval; }

    bool connected() const override;
    void connectToServer(const QString& user, const QString& password) override;
    void disconnectFromServer() override;
    QString boundJid() const override;

    QString sendMessage(const QString& peer, int messageType, const QString& text) override;
    void sendCommand(const QString& rawXml) override;

    void addContact(const QString& jid, const QString& name, const QString& group) override;
    void subscribeTo(const QString& jid) override;
    void answerSubscription(const QString& jid, bool accept) override;
    void removeContact(const QString& jid, const QString& name, const QString& group) override;

    int contactCount() const override;
    QString contactId(int index) const override;
    QString contactRealName(int index) const override;

    QXmppClient* engine() const { return m_client; }

private:
    void requireConnected(const char* operation) const;
    void onEngineConnected();
    void onEngineDisconnected();
    void onEngineError(int error);
    void onLog(int type, const QString& text);
    void onMessage(const QXmppMessage& message);
    void onPresence(const QXmppPresence& presence);
    void onSubscription(const QString& bareJid);
    void onRosterReceived();
    void onLoginSilence();

    QXmppClient* m_client;
    QXmppRosterManager* m_rosterManager;
    QTimer* m_loginWatch;
    QString m_server;
    int m_port = 5222;
    QString m_resource;
    QString m_authMethods = QStringLiteral("*");
    int m_timeout = 5000;
    int m_keepAliveInterval = DefaultKeepAliveInterval;
    bool m_loggedIn = false;
    bool m_connecting = false;
    QString m_lastError;
    int m_lastStatus = DisconnectClosed;
    QStringList m_roster; // bare JIDs of the roster, in the engine's order
    PiTrailSplitter m_inSplitter;
    PiTrailSplitter m_outSplitter;
};
