#pragma once

#include "core/TXMLStringReader.h"

class QIODevice;

// A TXMLStringReader whose text can be loaded from a stream and read or replaced before
// parsing. Every text it takes is stripped of space characters (only " ") at both ends.
class TXMLStringReaderPro : public TXMLStringReader
{
public:
    TXMLStringReaderPro() = default;

    // Reads all lines of device (GBK bytes) and joins them with CR LF. False when the device
    // cannot be read; the text is then left empty.
    bool loadFromStream(QIODevice& device);

    const QByteArray& textBytes() const { return input(); }
    QString text() const;
    void setTextBytes(const QByteArray& gbkText);
    void setText(const QString& text);
};
