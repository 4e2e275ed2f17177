#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QXmppClient;

// One signed-in XMPP session for the integration tests, recording the raw text of every
// unit it receives so tests can look for stanzas byte for byte.
class SandboxXmppSession : public QObject
{
    Q_OBJECT

public:
    explicit SandboxXmppSession(QObject* parent = nullptr);
    ~SandboxXmppSession() override;

    // Blocks until signed in or refused; returns whether it is connected.
    bool signIn(const QString& user, const QString& password,
                const QString& resource = QStringLiteral("haulway"));
    void signOut();
    bool isConnected() const;

    // Writes text to the stream as it is (as the client's raw send does).
    bool sendRaw(const QString& xml);
    // Waits until the received text contains needle (or matches it as a pattern).
    bool waitForText(const QString& needle, int giveUpMs = 15000);
    bool waitForPattern(const QString& pattern, QString* captured = nullptr, int giveUpMs = 15000);
    // Sends a ping and waits for its answer: everything the server sent before is in.
    bool roundTrip();

    const QString& received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    QString jid() const;

private:
    bool waitUntil(const std::function<bool()>& done, int giveUpMs);

    QXmppClient* m_client;
    QString m_received;
    int m_pings = 0;
};
