#include "im/FriendRoster.h"

#include <algorithm>

QStringList FriendRoster::ensureGroups(const QStringList& names)
{
    QStringList added;
    for (const QString& name : names) {
        const bool exists =
            std::any_of(m_groups.cbegin(), m_groups.cend(),
                        [&name](const QString& group) { return group.contains(name); });
        if (exists)
            break;
        m_groups << name;
        added << name;
    }
    return added;
}

bool FriendRoster::add(const FriendEntry& entry)
{
    if (!hasGroups() || find(entry.jid))
        return false;
    m_friends << entry;
    return true;
}

bool FriendRoster::remove(const QString& jid)
{
    const int index = indexOf(jid);
    if (index < 0)
        return false;
    m_friends.removeAt(index);
    return true;
}

const FriendEntry* FriendRoster::find(const QString& jid) const
{
    const int index = indexOf(jid);
    return index < 0 ? nullptr : &m_friends.at(index);
}

FriendEntry* FriendRoster::find(const QString& jid)
{
    const int index = indexOf(jid);
    return index < 0 ? nullptr : &m_friends[index];
}

void FriendRoster::clear()
{
    m_groups.clear();
    m_friends.clear();
}

int FriendRoster::indexOf(const QString& jid) const
{
    if (jid.isEmpty())
        return -1;
    const auto found = std::find_if(m_friends.cbegin(), m_friends.cend(),
                                    [&jid](const FriendEntry& entry) { return entry.jid == jid; });
    return found == m_friends.cend() ? -1 : int(found - m_friends.cbegin());
}
