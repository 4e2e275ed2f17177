#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Builds the text of one publish IQ: <iq type='set' to='HOST'><query xmlns='NS'> children
// </query></iq>, no white space, no id, no from. Attribute values are single-quoted and element
// texts escaped, both by XmlEscape, which also drops the characters XML does not allow (pasted
// text may hold a vertical tab; the server would close the stream on it).
class PublishStanza
{
public:
    using Children = std::vector<std::pair<QString, QString>>; // element name, text

    static QString build(const QString& host, const QString& xmlNamespace,
                         const Children& children);
    // The value escaped for an attribute and enclosed in single quotes.
    static QString quoted(const QString& value);

    static QString cargo(const QString& host, const QString& title, const QString& fromcity,
                         const QString& tocity, const QString& position, const QString& sender,
                         const QString& category, const QString& isrc, const QString& contact);
    static QString airPrice(const QString& host, const QString& starcn, const QString& starten,
                            const QString& endcn, const QString& enden, const QString& airline,
                            const QString& cycle, const QString& price, const QString& days,
                            const QString& aircompany, const QString& direct, const QString& sender,
                            const QString& contact, const QString& mem);
    static QString seaLine(const QString& host, const QString& startport, const QString& toport,
                           const QString& passport, const QString& duty, const QString& days,
                           const QString& sdirect, const QString& scomp, const QString& line,
                           const QString& portseq, const QString& sender, const QString& contact);
    static QString trianInfo(const QString& host, const QString& triannum, const QString& startcity,
                             const QString& startport1, const QString& startport2,
                             const QString& toport1, const QString& toport2, const QString& tocity,
                             const QString& cycle, const QString& starttime, const QString& totime,
                             const QString& hours, const QString& sender, const QString& contact);
};
