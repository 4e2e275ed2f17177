#include "im/RosterStanza.h"

#include "core/XmlEscape.h"

#include <QUuid>

QString RosterStanza::nextId()
{
    return QStringLiteral("rename-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString RosterStanza::rename(const QString& jid, const QString& name, const QString& id)
{
    return QStringLiteral("<iq type='set' id='") + XmlEscape::attribute(id) +
           QStringLiteral("'><query xmlns='jabber:iq:roster'><item jid='") +
           XmlEscape::attribute(jid) + QStringLiteral("' name='") + XmlEscape::attribute(name) +
           QStringLiteral("'/></query></iq>");
}
