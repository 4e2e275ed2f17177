#pragma once

#include "im/FriendEntry.h"

#include <QList>
#include <QStringList>

// What the friend list holds: the group names, and the friends, all in the first group, in
// the order they were added. A JID is there at most once; an empty JID is never found.
class FriendRoster
{
public:
    const QStringList& groups() const { return m_groups; }
    const QList<FriendEntry>& friends() const { return m_friends; }
    bool hasGroups() const { return !m_groups.isEmpty(); }

    // Adds each missing group in turn, stopping at the first that exists (a group exists when
    // the name of one already there contains it). Returns the groups added.
    QStringList ensureGroups(const QStringList& names);
    // Adds the friend unless there is no group yet or its JID is already there.
    bool add(const FriendEntry& entry);
    bool remove(const QString& jid);
    const FriendEntry* find(const QString& jid) const;
    FriendEntry* find(const QString& jid);
    void clearFriends() { m_friends.clear(); }
    void clear();

private:
    int indexOf(const QString& jid) const; // -1 when not there

    QStringList m_groups;
    QList<FriendEntry> m_friends;
};
