#include "im/ConversationKey.h"

ConversationKey ConversationKey::of(const QString& loginIdentity, const QString& peerJid)
{
    return ConversationKey{{loginIdentity, peerJid}};
}

bool ConversationKey::isValid() const
{
    return !jids.isEmpty() && jids.size() <= MaxCount;
}

bool ConversationKey::matches(const ConversationKey& other) const
{
    return isValid() && other.isValid() && jids == other.jids;
}

QString ConversationKey::peerJid() const
{
    return jids.size() > 1 ? jids.at(1) : QString();
}
