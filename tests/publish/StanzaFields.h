#pragma once

#include <QRegularExpression>
#include <QString>

// The text of one child element of a sent publish stanza (escaped as sent); a null text when
// the element is missing.
inline QString stanzaField(const QString& stanza, const QString& element)
{
    const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(element));
    const QRegularExpressionMatch match = pattern.match(stanza);
    return match.hasMatch() ? match.captured(1) : QString();
}
