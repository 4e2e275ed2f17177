#include "im/RosterStanza.h"

#include <QUuid>

QString RosterStanza::escapedAttribute(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString RosterStanza::nextId()
{
    return QStringLiteral("rename-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString RosterStanza::rename(const QString& jid, const QString& name, const QString& id)
{
    return QStringLiteral("<iq type='set' id='") + escapedAttribute(id) +
           QStringLiteral("'><query xmlns='jabber:iq:roster'><item jid='") + escapedAttribute(jid) +
           QStringLiteral("' name='") + escapedAttribute(name) + QStringLiteral("'/></query></iq>");
}
