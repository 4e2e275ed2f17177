#pragma once

#include <QString>

// Roster IQ texts the session writes itself.
class RosterStanza
{
public:
    // <iq type='set'><query xmlns='jabber:iq:roster'><item jid='JID' name='NAME'/></query></iq>
    // with both values escaped for a single-quoted attribute.
    static QString rename(const QString& jid, const QString& name);
    static QString escapedAttribute(const QString& value);
};
