#pragma once

#include "im/ChatWindows.h"
#include "im/ConversationServices.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

struct ChatConversation;
struct ConversationKey;

// The conversations of a session: the registry of every chat window in creation order, the
// pending list of windows holding a first message in arrival order, and the rules of
// receiving, opening, rendering and sending. Widget-free: the windows are ConversationViews.
class ConversationBook : public ChatWindows
{
public:
    // How many earlier lines a conversation shows when it opens.
    static constexpr int HistoryLines = 50;

    explicit ConversationBook(ConversationServices services);
    ~ConversationBook() override;
    ConversationBook(const ConversationBook&) = delete;
    ConversationBook& operator=(const ConversationBook&) = delete;

    // The first conversation with exactly that key, in creation order; with `create`, a new
    // hidden one when there is none. A key of no or more than 16 JIDs finds and creates nothing.
    ChatConversation* find(const ConversationKey& key, bool create);
    QList<ChatConversation*> conversations() const;
    const QList<ChatConversation*>& pending() const { return m_pending; }

    // ChatWindows
    void receive(const QString& from, const QString& domain, const QString& text) override;
    // The line shows when the message was sent: its delay stamp when the server kept it.
    void receiveMessage(const IncomingChat& message) override;
    void openFromFriend(const FriendEntry& friendEntry) override;
    void peerPresenceChanged(const QString& peerJid, const QString& displayName,
                             bool present) override;
    void clearPending() override;
    void closeAll() override;

    // From a listing or a detail window: the poster's user name.
    void openWithUser(const QString& user);
    bool hasPending() const { return !m_pending.isEmpty(); }
    // The tray's double-click: the oldest waiting conversation.
    void openOldestPending();

    // The send button or the send key: the trimmed input as the own line, then to the peer.
    void send(ChatConversation* conversation, const QString& input);
    // One line into the conversation (and its history).
    void renderLine(ChatConversation* conversation, const QString& name, const QString& text);

    struct Title
    {
        QString caption;    // "<name>- 对话"
        QString friendName; // empty without a friend
        bool friendOffline = false;
    };
    // The window's caption and whether its header shows the offline warning.
    Title titleOf(const ChatConversation* conversation) const;

    // The window has closed: the conversation leaves the registry and the pending list and is
    // freed.
    void viewClosed(ChatConversation* conversation);

private:
    void openSteps(ChatConversation* conversation);
    void removePending(ChatConversation* conversation);
    void showCard(ChatConversation* conversation, const QString& user);
    void showHistory(ChatConversation* conversation);
    void store(const ChatConversation* conversation, const QString& name, const QString& text,
               const QDateTime& time);
    void checkHistory();
    QString displayNameOf(const QString& jid, const QString& fallback) const;
    QDateTime now() const;

    ConversationServices m_services;
    std::vector<std::unique_ptr<ChatConversation>> m_conversations;
    QList<ChatConversation*> m_pending;
    bool m_historyReported = false;
};
