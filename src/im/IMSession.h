#pragma once

#include "im/FriendEntry.h"
#include "im/FriendRoster.h"
#include "im/SessionStatus.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class BroadcastHandler;
class ChatWindows;
class IMClient;
class IMSessionHost;
class ReconnectScheduler;
class SessionDialogs;
class SubscriptionQueue;
class TrailPacer;

// The user's XMPP session: sign-in, connection state, the roster with presence, friend
// add/rename/delete, subscription requests, chat message acceptance, and the protocol trail
// handed to the broadcast handler. No handler of a network event waits for the user. Reads the
// login identity, password, host, port and profile from the application's session state.
//
// The session owns what the IM panel shows (the roster, whether the friend list is shown, the
// status text) and reports every change through its signals; the panel's requests come back
// by JID.
class IMSession : public QObject
{
    Q_OBJECT
public:
    static const char* const Resource; // "haulway"

    IMSession(IMClient* client, IMSessionHost* host, SessionDialogs* dialogs,
              QObject* parent = nullptr);

    IMClient* client() const { return m_client; }
    void setChatWindows(ChatWindows* chat) { m_chat = chat; }
    void setBroadcastHandler(BroadcastHandler* handler) { m_broadcasts = handler; }

    // Connects with the stored login identity (nothing when there is no internet connection).
    // Ends a wait to reconnect.
    void signIn();
    // After an unexpected disconnection (not a log-off, not a refused password, not another
    // log-in of the same account taking over) the session reconnects by itself at the
    // scheduler's times; lblConn shows ReconnectingText meanwhile. A failed sign-in is not a
    // disconnection: it still shows "连接服务器失败". Without a scheduler (the default) the
    // session stays disconnected. Not owned.
    void setReconnection(ReconnectScheduler* scheduler);
    ReconnectScheduler* reconnection() const { return m_reconnect; }
    // Whether the connection came up by reconnecting rather than by a sign-in; the connected
    // handler runs the same either way.
    bool resumed() const { return m_resumed; }
    static const char* const ReconnectingText; // lblConn while waiting to reconnect
    // On disconnection and before logging in again.
    void cleanUp();
    // Status text, tray hint, lblConn, menus and lblEndate for the profile's company.
    void showStatus(const QString& company);
    // From the find-friend window and the detail windows.
    void addFriend(const QString& user, const QString& name);
    // N20, N6, N76, N9: clean up, log in again, sign in.
    void logOffAndLogIn();

    // The friend list's requests: double-click or NR1, NR4, N2. A JID that is not a friend
    // (any more) is ignored.
    void openConversation(const QString& jid);
    void renameFriend(const QString& jid);
    void deleteFriend(const QString& jid);

    // Who signs in where. By default read from the application's session state; a second
    // session in one process (tests) supplies its own.
    struct Account
    {
        QString loginIdentity; // bare JID
        QString password;
        QString hostName;
        int serverPort = 0;
    };
    using AccountSource = std::function<Account()>;
    // A source of its own also keeps the identity the server bound to itself: the
    // application's session state is then left alone.
    void setAccountSource(AccountSource source);
    // Once connected, the login identity is the bare JID the server bound ("LiNa" logs in as
    // lina@localhost): broadcasts, the roster and the own-JID checks compare with that.
    Account account() const;

    const FriendRoster& roster() const { return m_roster; }
    // The friend entry for a bare JID, for the chat windows.
    std::optional<FriendEntry> friendByJid(const QString& jid) const;
    bool friendListShown() const { return m_friendListShown; }
    // Empty text until the session has shown something.
    const SessionStatus& status() const { return m_status; }

    // The IMClient event handlers.
    void onConnected(int statusCode, const QString& description);
    void onDisconnected(int statusCode, const QString& description);
    void onSync();
    void onPresence(const QString& user, const QString& domain, const QString& resource,
                    int availability, const QString& status);
    // Queued: the question is put after the event has returned (see SubscriptionQueue).
    void onSubscriptionRequest(const QString& from, const QString& domain);
    void onMessageIn(const QString& messageId, const QString& from, const QString& domain,
                     const QString& resource, int messageType, const QString& subject,
                     const QString& messageThread, const QString& messageText,
                     const QString& messageHtml, const QString& other,
                     const QDateTime& sentAt = QDateTime());
    void onPITrail(int direction, const QString& pi);
    void handleTrailUnit(const QString& pi);

Q_SIGNALS:
    void rosterCleared();  // groups and friends are gone
    void friendsCleared(); // the friends are gone, the groups stay
    void groupAdded(const QString& name);
    void friendAdded(const FriendEntry& entry);   // at the end of the first group
    void friendChanged(const FriendEntry& entry); // presence or name
    void friendRemoved(const QString& jid);
    void friendListShownChanged(bool shown);
    void statusChanged(const SessionStatus& status);

private:
    void wireClient();
    // Sets up the client and starts connecting; false when no attempt was made.
    bool startSignIn();
    void reconnectNow();
    void adoptBoundIdentity();
    void sendSubscriptionAnswer(const QString& jid, bool accept);
    void rebuildFriends();
    void showConnectFailed();
    void showProgress(const QString& text);
    void setStatus(const SessionStatus& status);
    void setFriendListShown(bool shown);
    void addToRoster(const FriendEntry& entry);
    void clearRoster();

    IMClient* m_client;
    IMSessionHost* m_host;
    SessionDialogs* m_dialogs;
    SubscriptionQueue* m_subscriptions;
    TrailPacer* m_trail; // broadcasts of a burst are handled over several turns of the loop
    ChatWindows* m_chat = nullptr;
    BroadcastHandler* m_broadcasts = nullptr;
    AccountSource m_accountSource;
    std::function<void(const QString&)> m_storeIdentity; // where the bound identity goes
    QString m_boundIdentity; // empty until the server has bound this sign-in
    FriendRoster m_roster;
    bool m_friendListShown = false;
    SessionStatus m_status;
    bool m_cleaningUp = false;
    bool m_connecting = false; // signed in, OnConnected not yet seen
    ReconnectScheduler* m_reconnect = nullptr;
    bool m_reconnecting = false; // the log-in under way is a reconnection attempt
    bool m_resumed = false;
};
