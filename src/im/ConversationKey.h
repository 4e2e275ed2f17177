#pragma once

#include <QString>
#include <QStringList>

// Names a conversation: a count of 1 to 16 JIDs in order. The program always uses two: the
// login identity and the peer's bare JID.
struct ConversationKey
{
    static constexpr int MaxCount = 16;

    QStringList jids;

    static ConversationKey of(const QString& loginIdentity, const QString& peerJid);

    // A count outside 1 to 16 names no conversation.
    bool isValid() const;
    // Same count and the same JIDs in the same order, compared as exact texts.
    bool matches(const ConversationKey& other) const;
    // The second entry; empty when there is none.
    QString peerJid() const;
};
