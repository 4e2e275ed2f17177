#pragma once

#include "im/IMClient.h"

#include <QPair>
#include <QStringList>

// An IMClient that records every call and lets the test raise the events. Operations
// fail with IMClientError while failNext is set, like the real client's errors.
class FakeIMClient : public IMClient
{
    Q_OBJECT
public:
    struct Contact
    {
        QString jid;
        QString name;
    };

    using IMClient::IMClient;

    void setIMServer(const QString& host) override { server = host; }
    void setIMPort(int value) override { port = value; }
    void setResource(const QString& value) override { resource = value; }
    void setAuthMethods(const QString& value) override { authMethods = value; }
    void setTimeout(int value) override { timeout = value; }

    bool connected() const override { return isConnected; }
    void connectToServer(const QString& user, const QString& password) override;
    void disconnectFromServer() override;
    QString boundJid() const override { return isConnected ? bound : QString(); }

    QString sendMessage(const QString& peer, int messageType, const QString& text) override;
    void sendCommand(const QString& rawXml) override;

    void addContact(const QString& jid, const QString& name, const QString& group) override;
    void subscribeTo(const QString& jid) override;
    void answerSubscription(const QString& jid, bool accept) override;
    void removeContact(const QString& jid, const QString& name, const QString& group) override;

    int contactCount() const override { return roster.size(); }
    QString contactId(int index) const override;
    QString contactRealName(int index) const override;

    // Raises OnConnected(0) after marking the client connected.
    void raiseConnected();

    QString server, resource, authMethods;
    int port = 0;
    int timeout = 0;
    bool isConnected = false;
    bool failNext = false;
    QString connectedUser, connectedPassword;
    QString bound; // the full JID the server bound, while connected
    // "connectToServer", "disconnectFromServer", "addContact:jid:name:group",
    // "answerSubscription:jid:1", ...
    QStringList calls;
    QStringList commands; // texts given to sendCommand
    QList<Contact> roster;

private:
    void failIfAsked(const char* what);
};
