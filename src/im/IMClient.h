#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// The XMPP client the rest of the program talks to. Operations raise IMClientError on
// failure. Texts cross as QString and go to the wire as UTF-8. Every event arrives on the
// user-interface thread. Abstract so that tests can drive the session with a fake.
class IMClient : public QObject
{
    Q_OBJECT
public:
    enum TrailDirection
    {
        TrailOut = 0, // written by this client
        TrailIn = 1   // received from the server
    };
    enum MessageType
    {
        MessageChat = 1,
        MessageGroupChat = 2
    };
    // OnDisconnected's status: why the connection (or the log-in) ended.
    enum DisconnectStatus
    {
        DisconnectClosed = 0,  // closed without an error (also by disconnectFromServer)
        DisconnectFailed = 1,  // network, silence, a stream error of the server
        DisconnectRefused = 2, // the server refused the user name or password
        DisconnectConflict = 3 // another log-in of the same account took over the session
    };

    explicit IMClient(QObject* parent = nullptr) : QObject(parent) {}
    ~IMClient() override = default;

    // Settings, read by the next connectToServer().
    virtual void setIMServer(const QString& host) = 0;
    virtual void setIMPort(int port) = 0;
    virtual void setResource(const QString& resource) = 0;
    virtual void setAuthMethods(const QString& methods) = 0; // "*" = any offered method
    virtual void setTimeout(int milliseconds) = 0;

    // True from a successful log-in until the disconnection.
    virtual bool connected() const = 0;
    // Logs in with the bare JID and password; later raises OnConnected (or OnDisconnected).
    virtual void connectToServer(const QString& user, const QString& password) = 0;
    // The own full JID as the server bound it (which may differ from the one logged in with,
    // e.g. in letter case); empty while not connected.
    virtual QString boundJid() const = 0;
    virtual void disconnectFromServer() = 0;

    // One message to the peer JID; type 1 chat, 2 group chat. Returns the message id.
    virtual QString sendMessage(const QString& peer, int messageType, const QString& text) = 0;
    // Writes the raw XML text to the open stream unchanged, except that characters XML does
    // not allow anywhere are dropped. Values inside the text are escaped by the caller
    // (XmlEscape).
    virtual void sendCommand(const QString& rawXml) = 0;

    virtual void addContact(const QString& jid, const QString& name, const QString& group) = 0;
    virtual void subscribeTo(const QString& jid) = 0;
    // The answer to a subscription request from the bare JID. Accepting grants it and asks
    // for the requester's presence in turn unless we have it already; refusing denies it.
    virtual void answerSubscription(const QString& jid, bool accept) = 0;
    virtual void removeContact(const QString& jid, const QString& name, const QString& group) = 0;

    // The roster after OnSync. A bad index raises "Invalid array index value for BuddyId"
    // (contactId) or "Invalid array index value for BuddyRealName" (contactRealName).
    virtual int contactCount() const = 0;
    virtual QString contactId(int index) const = 0;
    virtual QString contactRealName(int index) const = 0;

Q_SIGNALS:
    // statusCode 0 means success.
    void OnConnected(int statusCode, const QString& description);
    // statusCode: a DisconnectStatus.
    void OnDisconnected(int statusCode, const QString& description);
    // from is the sender's user part (before "@"). sentAt is the sender's time of a message
    // the server kept and delivers late (its delay stamp, UTC); invalid for a live message.
    void OnMessageIn(const QString& messageId, const QString& from, const QString& domain,
                     const QString& resource, int messageType, const QString& subject,
                     const QString& messageThread, const QString& messageText,
                     const QString& messageHtml, const QString& other,
                     const QDateTime& sentAt = QDateTime());
    // availability 0 offline, 1 online, 2 away, 3 extended away, 4 do not disturb.
    void OnPresence(const QString& user, const QString& domain, const QString& resource,
                    int availability, const QString& status);
    // A subscription (friend) request; from is the requester's user part. The answer goes
    // back later through answerSubscription: the handler must not wait for the user, since
    // nothing is read from the server until it returns.
    void OnSubscriptionRequest(const QString& from, const QString& domain);
    // The roster has been received.
    void OnSync();
    // One protocol unit (stanza, stream header, ...) exactly as written or received.
    void OnPITrail(int direction, const QString& pi);
};
