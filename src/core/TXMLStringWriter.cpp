#include "core/TXMLStringWriter.h"

#include "core/Gbk.h"

QString TXMLStringWriter::result() const
{
    return Gbk::decode(m_result);
}

void TXMLStringWriter::output(const QByteArray& bytes)
{
    m_result.append(bytes);
}
