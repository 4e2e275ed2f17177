#include "im/RawStanza.h"

#include <QIODevice>
#include <QXmlStreamWriter>

void RawStanza::toXml(QXmlStreamWriter* writer) const
{
    if (writer->device())
        writer->device()->write(m_utf8);
}
