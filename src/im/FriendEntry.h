#pragma once

#include <QString>

// A friend of the roster, as the session keeps it and the friend tree shows it.
struct FriendEntry
{
    QString jid;         // bare JID as received from the server
    QString displayName; // roster name, or the JID's part before "@"
    int offline = 1;     // 1 offline (initial), 0 present
};
