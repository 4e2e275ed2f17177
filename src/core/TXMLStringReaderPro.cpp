#include "core/TXMLStringReaderPro.h"

#include "core/Gbk.h"

#include <QIODevice>

namespace {

QByteArray stripSpaces(const QByteArray& text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin) == ' ') {
        ++begin;
    }
    while (end > begin && text.at(end - 1) == ' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

QByteArray withoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n')) {
        line.chop(1);
    }
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

} // namespace

bool TXMLStringReaderPro::loadFromStream(QIODevice& device)
{
    setInput(QByteArray());
    if (!device.isReadable()) {
        return false;
    }
    QByteArray joined;
    bool first = true;
    while (!device.atEnd()) {
        if (!first) {
            joined.append("\r\n");
        }
        joined.append(withoutLineEnd(device.readLine()));
        first = false;
    }
    setTextBytes(joined);
    return true;
}

QString TXMLStringReaderPro::text() const
{
    return Gbk::decode(input());
}

void TXMLStringReaderPro::setTextBytes(const QByteArray& gbkText)
{
    setInput(stripSpaces(gbkText));
}

void TXMLStringReaderPro::setText(const QString& text)
{
    setTextBytes(Gbk::encode(text));
}
