#pragma once

#include "FakeIMClient.h"
#include "im/ConversationServices.h"

#include <QList>

// The conversation book's services for tests: lina@localhost on localhost, sending through the
// fake client, friends from the given list. Views, the tray and the rest are left to the test.
inline ConversationServices fakeConversationServices(FakeIMClient* client,
                                                     const QList<FriendEntry>* friends,
                                                     const QString& site)
{
    ConversationServices s;
    s.client = client;
    s.loginIdentity = [] { return QStringLiteral("lina@localhost"); };
    s.hostName = [] { return QStringLiteral("localhost"); };
    s.siteAddress = [site] { return site; };
    s.findFriend = [friends](const QString& jid) -> std::optional<FriendEntry> {
        for (const FriendEntry& entry : *friends) {
            if (entry.jid == jid)
                return entry;
        }
        return std::nullopt;
    };
    return s;
}
