#pragma once

#include <QString>
#include <QStringList>

// Cuts the raw text of one stream direction into protocol units: the XML declaration, the
// stream header, each top-level stanza or nonza, and the stream end. Text arrives in reports
// of any size; a unit cut across reports is held until it is complete. Quotes, CDATA,
// comments and processing instructions may hold ">" and "<".
class PiTrailSplitter
{
public:
    // Appends the text and returns the units completed by it, in order, exactly as received.
    QStringList feed(const QString& text);
    // Forgets a partial unit (a new stream starts).
    void reset();
    // Text of an unfinished unit.
    QString pending() const { return m_buffer; }

private:
    enum class Scan
    {
        Complete,
        Incomplete
    };
    // Scans one markup construct at m_buffer[pos] ("<..."), sets end past it.
    Scan scanMarkup(int pos, int* end, int* depthChange) const;

    QString m_buffer;
    int m_scanned = 0; // parse position inside m_buffer
    int m_depth = 0;   // element depth of the unit being read
    int m_unitStart = -1;
};
