#pragma once

#include "im/FriendEntry.h"
#include "im/IncomingChat.h"

#include <QString>

// What the session needs from the chat windows (written by the chat window module, which
// implements this and hands it to IMSession::setChatWindows).
class ChatWindows
{
public:
    virtual ~ChatWindows() = default;

    // A chat message the session accepted: sender user part, sender domain, text.
    virtual void receive(const QString& from, const QString& domain, const QString& text) = 0;
    // The same message with its send time: the session calls this one. A chat window that
    // shows when a message was sent overrides it and reads message.sentAt (invalid: the
    // arrival time); by default it is handed to receive().
    virtual void receiveMessage(const IncomingChat& message)
    {
        receive(message.from, message.domain, message.text);
    }
    // Double-click on a friend, or the friend menu's first item.
    virtual void openFromFriend(const FriendEntry& friendEntry) = 0;
    // The friend's presence changed. Only an existing window of the conversation
    // (login identity, peerJid) that has been opened updates its header (present: the plain
    // name; offline: the offline warning). No window is created.
    virtual void peerPresenceChanged(const QString& peerJid, const QString& displayName,
                                     bool present) = 0;
    // Stops the tray animation and empties the pending conversation list.
    virtual void clearPending() = 0;
    // Closes and frees every chat window, newest first.
    virtual void closeAll() = 0;
};
