#pragma once

#include <QString>

// Roster IQ texts the session writes itself.
class RosterStanza
{
public:
    // <iq type='set' id='ID'><query xmlns='jabber:iq:roster'><item jid='JID' name='NAME'/>
    // </query></iq> with every value escaped for a single-quoted attribute (XmlEscape). Servers
    // refuse an iq without an id, so the rename carries one.
    static QString rename(const QString& jid, const QString& name, const QString& id);
    // A fresh id for a stanza we write ourselves.
    static QString nextId();
};
