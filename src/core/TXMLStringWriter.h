#pragma once

#include "core/TXMLWriter.h"

// A TXMLWriter that writes into memory.
class TXMLStringWriter : public TXMLWriter
{
public:
    const QByteArray& resultBytes() const { return m_result; }
    QString result() const;

protected:
    void output(const QByteArray& bytes) override;

private:
    QByteArray m_result;
};
