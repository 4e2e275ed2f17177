#include "core/TXMLWriter.h"

#include "core/Gbk.h"

TXMLWriter::~TXMLWriter() = default;

void TXMLWriter::writeHeader()
{
    output(QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>"));
}

void TXMLWriter::writeTag(const QString& name, TagKind kind, bool leaveOpen)
{
    const QByteArray gbkName = Gbk::encode(name);
    QByteArray tag;
    switch (kind) {
    case OpenTag:
        writeLineBreak();
        ++m_depth;
        tag = '<' + gbkName + (leaveOpen ? "" : ">");
        break;
    case CloseTag:
        m_depth = qMax(0, m_depth - 1);
        writeLineBreak();
        tag = "</" + gbkName + (leaveOpen ? "" : ">");
        break;
    case EmptyTag:
        writeLineBreak();
        tag = '<' + gbkName + (leaveOpen ? "" : "/>");
        break;
    case CloseTagInline:
        m_depth = qMax(0, m_depth - 1);
        tag = "</" + gbkName + (leaveOpen ? "" : ">");
        break;
    }
    output(tag);
}

void TXMLWriter::writeRaw(const QString& text)
{
    output(Gbk::encode(text));
}

void TXMLWriter::writeRawBytes(const QByteArray& bytes)
{
    output(bytes);
}

void TXMLWriter::writeEscaped(const QString& text)
{
    output(escape(Gbk::encode(text)));
}

void TXMLWriter::writeEscapedBytes(const QByteArray& bytes)
{
    output(escape(bytes));
}

QByteArray TXMLWriter::escape(const QByteArray& bytes)
{
    QByteArray escaped;
    escaped.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        if (byte >= 0x80) {
            escaped.append("&#").append(QByteArray::number(byte)).append(';');
            continue;
        }
        switch (c) {
        case '<':
            escaped.append("&lt;");
            break;
        case '>':
            escaped.append("&gt;");
            break;
        case '\'':
            escaped.append("&apos;");
            break;
        case '"':
            escaped.append("&quot;");
            break;
        case '&':
            escaped.append("&amp;");
            break;
        default:
            escaped.append(c);
        }
    }
    return escaped;
}

// A new line at the current depth. Written through the escaping path: CR, LF and spaces pass
// through unchanged.
void TXMLWriter::writeLineBreak()
{
    output(escape("\r\n" + QByteArray(2 * m_depth, ' ')));
}
