#pragma once

#include <QByteArray>
#include <QString>

// Writes indented GBK XML: tags of kinds 0-2 start on a new line (CR LF and two spaces per
// depth level). Texts given as QString are converted to GBK.
class TXMLWriter
{
public:
    enum TagKind
    {
        OpenTag = 0,        // "<name>", then one level deeper
        CloseTag = 1,       // one level up, new line, "</name>"
        EmptyTag = 2,       // new line, "<name/>"
        CloseTagInline = 3, // one level up, "</name>" on the same line
    };

    virtual ~TXMLWriter();

    // Writes <?xml version="1.0" encoding="gb2312"?> without a line break.
    void writeHeader();
    // leaveOpen leaves off the final ">" (or "/>") so that attributes can follow.
    void writeTag(const QString& name, TagKind kind, bool leaveOpen = false);
    void writeRaw(const QString& text);
    void writeRawBytes(const QByteArray& bytes);
    // Bytes 80-FF become "&#<decimal>;", and < > ' " & their named references.
    void writeEscaped(const QString& text);
    void writeEscapedBytes(const QByteArray& bytes);

    int depth() const { return m_depth; }

    static QByteArray escape(const QByteArray& bytes);

protected:
    virtual void output(const QByteArray& bytes) = 0;

private:
    void writeLineBreak();

    int m_depth = 0;
};
