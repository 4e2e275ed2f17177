#pragma once

#include "im/ChatWindows.h"

#include <QStringList>

// ChatWindows that record each call as "receive:from:domain:text", "open:jid",
// "presence:jid:name:present", "clearPending" or "closeAll".
class RecordingChatWindows : public ChatWindows
{
public:
    void receive(const QString& from, const QString& domain, const QString& text) override
    {
        calls << QStringLiteral("receive:%1:%2:%3").arg(from, domain, text);
    }
    void openFromFriend(const FriendEntry& entry) override { calls << "open:" + entry.jid; }
    void peerPresenceChanged(const QString& jid, const QString& name, bool present) override
    {
        calls << QStringLiteral("presence:%1:%2:%3").arg(jid, name).arg(present);
    }
    void clearPending() override { calls << "clearPending"; }
    void closeAll() override { calls << "closeAll"; }

    QStringList calls;
};
