#pragma once

#include "im/ConversationKey.h"

#include <QDateTime>
#include <QString>

class ConversationView;

// One conversation of the book: its key, its window, and the state the receive and open rules
// keep.
struct ChatConversation
{
    ConversationKey key;
    ConversationView* view = nullptr;
    // The friend the window was opened from; empty when it was not opened from a friend.
    QString friendJid;
    // Set when the user opens the window or when it is queued for the tray.
    bool opened = false;
    // A first message received before the window was opened; empty otherwise.
    QString heldMessage;
    // The held message's delay stamp (UTC), invalid for a live one.
    QDateTime heldSentAt;

    QString peerJid() const { return key.peerJid(); }
};
