#pragma once

#include "im/FriendEntry.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class BroadcastHandler;
class ChatWindows;
class FriendTree;
class IMClient;
class IMSessionHost;
class ImPanel;
class QTreeWidgetItem;

// The user's XMPP session: sign-in, connection state, the friend tree with roster and
// presence, friend add/rename/delete, subscription requests, chat message acceptance, and
// the protocol trail handed to the broadcast handler. Reads the login identity, password,
// host, port and profile from the application's session state.
class IMSession : public QObject
{
    Q_OBJECT
public:
    static const char* const Resource; // "haulway"

    IMSession(IMClient* client, ImPanel* panel, IMSessionHost* host, QObject* parent = nullptr);

    IMClient* client() const { return m_client; }
    void setChatWindows(ChatWindows* chat) { m_chat = chat; }
    void setBroadcastHandler(BroadcastHandler* handler) { m_broadcasts = handler; }

    // Connects with the stored login identity (nothing when there is no internet connection).
    void signIn();
    // On disconnection and before logging in again.
    void cleanUp();
    // Status label, tray hint, lblConn, menus and lblEndate for the profile's company.
    void showStatus(const QString& company);
    // From the find-friend window and the detail windows.
    void addFriend(const QString& user, const QString& name);
    // N20, N6, N76, N9: clean up, log in again, sign in.
    void logOffAndLogIn();
    void renameFriend(QTreeWidgetItem* node);
    void deleteFriend(QTreeWidgetItem* node);

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
    void setAccountSource(AccountSource source) { m_accountSource = std::move(source); }
    Account account() const { return m_accountSource(); }

    // The friend entry for a bare JID, for the chat windows.
    std::optional<FriendEntry> friendByJid(const QString& jid) const;

    // Dialog seams (tests replace them). Input box: returns false on cancel.
    using InputBox =
        std::function<bool(const QString& caption, const QString& prompt, QString* text)>;
    using AuditDialog = std::function<bool(const QString& from)>; // true: accept and add
    void setInputBox(InputBox box) { m_inputBox = std::move(box); }
    void setAuditDialog(AuditDialog dialog) { m_auditDialog = std::move(dialog); }

    // The IMClient event handlers.
    void onConnected(int statusCode, const QString& description);
    void onDisconnected(int statusCode, const QString& description);
    void onSync();
    void onPresence(const QString& user, const QString& domain, const QString& resource,
                    int availability, const QString& status);
    void onSubscriptionRequest(const QString& from, const QString& domain, bool* accept);
    void onMessageIn(const QString& messageId, const QString& from, const QString& domain,
                     const QString& resource, int messageType, const QString& subject,
                     const QString& messageThread, const QString& messageText,
                     const QString& messageHtml, const QString& other);
    void onPITrail(int direction, const QString& pi);

private:
    void wireClient();
    void wireTree();
    void rebuildFriends();
    void showConnectFailed();
    FriendTree* tree() const;

    IMClient* m_client;
    ImPanel* m_panel;
    IMSessionHost* m_host;
    ChatWindows* m_chat = nullptr;
    BroadcastHandler* m_broadcasts = nullptr;
    InputBox m_inputBox;
    AuditDialog m_auditDialog;
    AccountSource m_accountSource;
    bool m_cleaningUp = false;
    bool m_connecting = false; // signed in, OnConnected not yet seen
};
