#pragma once

#include <QString>
#include <functional>

// What the detail windows' buttons reach, handed over by the composition root.
struct DetailWindowServices
{
    // btnFriend: add the poster (user name) as a friend.
    std::function<void(const QString& user)> addFriend;
    // btnChat: a conversation with the poster (bare JID and user name).
    std::function<void(const QString& peerJid, const QString& user)> openConversation;
};
