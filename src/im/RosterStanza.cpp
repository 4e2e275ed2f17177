#include "RosterStanza.h"

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

QString RosterStanza::rename(const QString& jid, const QString& name)
{
    return QStringLiteral("<iq type='set'><query xmlns='jabber:iq:roster'><item jid='") +
           escapedAttribute(jid) + QStringLiteral("' name='") + escapedAttribute(name) +
           QStringLiteral("'/></query></iq>");
}
