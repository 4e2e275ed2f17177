#include "publish/PublishStanza.h"

#include "core/XmlEscape.h"

QString PublishStanza::quoted(const QString& value)
{
    return QLatin1Char('\'') + XmlEscape::attribute(value) + QLatin1Char('\'');
}

QString PublishStanza::build(const QString& host, const QString& xmlNamespace,
                             const Children& children)
{
    QString text = QLatin1String("<iq type=") + quoted(QStringLiteral("set")) +
                   QLatin1String(" to=") + quoted(host) + QLatin1String("><query xmlns=") +
                   quoted(xmlNamespace) + QLatin1Char('>');
    for (const auto& [name, value] : children)
        text += QLatin1Char('<') + name + QLatin1Char('>') + XmlEscape::text(value) +
                QLatin1String("</") + name + QLatin1Char('>');
    return text + QLatin1String("</query></iq>");
}

QString PublishStanza::cargo(const QString& host, const QString& title, const QString& fromcity,
                             const QString& tocity, const QString& position, const QString& sender,
                             const QString& category, const QString& isrc, const QString& contact)
{
    return build(host, QStringLiteral("haulway:iq:cargo"),
                 {{QStringLiteral("title"), title},
                  {QStringLiteral("fromcity"), fromcity},
                  {QStringLiteral("tocity"), tocity},
                  {QStringLiteral("position"), position},
                  {QStringLiteral("sender"), sender},
                  {QStringLiteral("category"), category},
                  {QStringLiteral("isrc"), isrc},
                  {QStringLiteral("contact"), contact}});
}

QString PublishStanza::airPrice(const QString& host, const QString& starcn, const QString& starten,
                                const QString& endcn, const QString& enden, const QString& airline,
                                const QString& cycle, const QString& price, const QString& days,
                                const QString& aircompany, const QString& direct,
                                const QString& sender, const QString& contact, const QString& mem)
{
    return build(host, QStringLiteral("haulway:iq:airprice"),
                 {{QStringLiteral("starcn"), starcn},
                  {QStringLiteral("starten"), starten},
                  {QStringLiteral("endcn"), endcn},
                  {QStringLiteral("enden"), enden},
                  {QStringLiteral("airline"), airline},
                  {QStringLiteral("cycle"), cycle},
                  {QStringLiteral("price"), price},
                  {QStringLiteral("days"), days},
                  {QStringLiteral("aircompany"), aircompany},
                  {QStringLiteral("direct"), direct},
                  {QStringLiteral("sender"), sender},
                  {QStringLiteral("contact"), contact},
                  {QStringLiteral("mem"), mem}});
}

QString PublishStanza::seaLine(const QString& host, const QString& startport, const QString& toport,
                               const QString& passport, const QString& duty, const QString& days,
                               const QString& sdirect, const QString& scomp, const QString& line,
                               const QString& portseq, const QString& sender,
                               const QString& contact)
{
    return build(host, QStringLiteral("haulway:iq:sealine"),
                 {{QStringLiteral("startport"), startport},
                  {QStringLiteral("toport"), toport},
                  {QStringLiteral("passport"), passport},
                  {QStringLiteral("duty"), duty},
                  {QStringLiteral("days"), days},
                  {QStringLiteral("sdirect"), sdirect},
                  {QStringLiteral("scomp"), scomp},
                  {QStringLiteral("line"), line},
                  {QStringLiteral("portseq"), portseq},
                  {QStringLiteral("sender"), sender},
                  {QStringLiteral("contact"), contact}});
}

QString PublishStanza::trianInfo(const QString& host, const QString& triannum,
                                 const QString& startcity, const QString& startport1,
                                 const QString& startport2, const QString& toport1,
                                 const QString& toport2, const QString& tocity,
                                 const QString& cycle, const QString& starttime,
                                 const QString& totime, const QString& hours, const QString& sender,
                                 const QString& contact)
{
    return build(host, QStringLiteral("haulway:iq:trianinfo"),
                 {{QStringLiteral("triannum"), triannum},
                  {QStringLiteral("startcity"), startcity},
                  {QStringLiteral("startport1"), startport1},
                  {QStringLiteral("startport2"), startport2},
                  {QStringLiteral("toport1"), toport1},
                  {QStringLiteral("toport2"), toport2},
                  {QStringLiteral("tocity"), tocity},
                  {QStringLiteral("cycle"), cycle},
                  {QStringLiteral("starttime"), starttime},
                  {QStringLiteral("totime"), totime},
                  {QStringLiteral("hours"), hours},
                  {QStringLiteral("sender"), sender},
                  {QStringLiteral("contact"), contact}});
}
