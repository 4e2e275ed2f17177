#pragma once

#include "im/FriendEntry.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

struct ChatConversation;
class ChatHistory;
class ConversationView;
class IMClient;

// What the conversation book works with, handed over by the composition root.
struct ConversationServices
{
    IMClient* client = nullptr; // sends the own lines
    // The own bare JID, the configured host and the web site's address prefix.
    std::function<QString()> loginIdentity;
    std::function<QString()> hostName;
    std::function<QString()> siteAddress;
    // The friend of the friend list with that bare JID, if any.
    std::function<std::optional<FriendEntry>(const QString&)> findFriend;
    // Creates the hidden window of a new conversation.
    std::function<ConversationView*(ChatConversation*)> createView;
    // Conversations wait (the tray icon blinks) or none waits any more.
    std::function<void(bool)> setPending;
    // The service desk "-1" has no chat account: its customer-service page instead.
    std::function<void()> openCustomerService;
    // An information box with the caption "提示信息".
    std::function<void(const QString&)> inform;
    // The history could not be used; called once, with the reason.
    std::function<void(const QString&)> historyUnavailable;
    ChatHistory* history = nullptr; // none: no history
    std::function<QDateTime()> now; // empty: the local clock
};
