#pragma once

#include <QString>

// What a friend node of the friend tree carries.
struct FriendEntry
{
    QString jid;         // bare JID as received from the server
    QString displayName; // roster name, or the JID's part before "@"
    int offline = 1;     // 1 offline (initial), 0 present
};
