#pragma once

#include <QXmppStanza.h>

#include <QByteArray>

// A stanza whose text is given as is: toXml writes the bytes straight to the writer's device,
// so the server receives exactly this text. Counted as a stanza (stream management).
class RawStanza : public QXmppStanza
{
public:
    explicit RawStanza(const QByteArray& utf8) : m_utf8(utf8) {}

    bool isXmppStanza() const override { return true; }
    void toXml(QXmlStreamWriter* writer) const override;

private:
    QByteArray m_utf8;
};
