#include "im/PiTrailSplitter.h"

namespace {

bool startsWithAt(const QString& text, int pos, const char* prefix)
{
    return QStringView(text).mid(pos).startsWith(QLatin1String(prefix));
}

// The element name of a start tag beginning at pos ("<name ...").
QString tagName(const QString& text, int pos)
{
    int end = pos + 1;
    while (end < text.size() && !text.at(end).isSpace() && text.at(end) != QLatin1Char('>') &&
           text.at(end) != QLatin1Char('/'))
        ++end;
    return text.mid(pos + 1, end - pos - 1);
}

bool isStreamElement(const QString& name)
{
    return name == QLatin1String("stream:stream") || name == QLatin1String("stream");
}

// Position after the first occurrence of terminator at or after from, or -1.
int endAfter(const QString& text, int from, const char* terminator)
{
    const int found = text.indexOf(QLatin1String(terminator), from);
    return found < 0 ? -1 : found + int(qstrlen(terminator));
}

// Position after the '>' closing a start tag at pos, skipping quoted attribute values.
int endOfStartTag(const QString& text, int pos, bool* selfClosing)
{
    QChar quote;
    for (int i = pos + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            *selfClosing = text.at(i - 1) == QLatin1Char('/');
            return i + 1;
        }
    }
    return -1;
}

} // namespace

PiTrailSplitter::Scan PiTrailSplitter::scanMarkup(int pos, int* end, int* depthChange) const
{
    *depthChange = 0;
    const QString& t = m_buffer;
    if (pos + 1 >= t.size())
        return Scan::Incomplete;
    if (startsWithAt(t, pos, "<?")) {
        *end = endAfter(t, pos + 2, "?>");
    } else if (startsWithAt(t, pos, "<!--")) {
        *end = endAfter(t, pos + 4, "-->");
    } else if (startsWithAt(t, pos, "<![CDATA[")) {
        *end = endAfter(t, pos + 9, "]]>");
    } else if (t.size() - pos < 9 && QStringLiteral("<![CDATA[").startsWith(t.mid(pos))) {
        *end = -1; // could still become CDATA or a comment
    } else if (t.at(pos + 1) == QLatin1Char('!')) {
        *end = endAfter(t, pos + 2, ">");
    } else if (t.at(pos + 1) == QLatin1Char('/')) {
        *end = endAfter(t, pos + 2, ">");
        *depthChange = -1;
    } else {
        bool selfClosing = false;
        *end = endOfStartTag(t, pos, &selfClosing);
        *depthChange = selfClosing ? 0 : 1;
    }
    return *end < 0 ? Scan::Incomplete : Scan::Complete;
}

QStringList PiTrailSplitter::feed(const QString& text)
{
    m_buffer += text;
    QStringList units;
    int pos = m_scanned;
    int consumed = 0; // text before this position belongs to emitted units or was blank
    while (pos < m_buffer.size()) {
        const QChar c = m_buffer.at(pos);
        if (c != QLatin1Char('<')) {
            if (m_depth == 0 && m_unitStart < 0 && c.isSpace())
                consumed = pos + 1;
            ++pos;
            continue;
        }
        int end = 0;
        int depthChange = 0;
        if (scanMarkup(pos, &end, &depthChange) == Scan::Incomplete)
            break;
        if (m_depth == 0) {
            // A stream header or end, a declaration or any construct at the top level
            // is a unit of its own unless it opens a stanza.
            const bool opensStanza = depthChange == 1 && !isStreamElement(tagName(m_buffer, pos));
            if (opensStanza) {
                m_unitStart = pos;
                m_depth = 1;
            } else {
                units << m_buffer.mid(pos, end - pos);
                consumed = end;
            }
        } else {
            m_depth += depthChange;
            if (m_depth == 0) {
                units << m_buffer.mid(m_unitStart, end - m_unitStart);
                m_unitStart = -1;
                consumed = end;
            }
        }
        pos = end;
    }
    // Keep only the unfinished part; positions shift by what was consumed.
    const int keepFrom = m_unitStart >= 0 ? m_unitStart : std::max(consumed, 0);
    const int dropped = std::min(keepFrom, pos);
    m_buffer.remove(0, dropped);
    m_scanned = pos - dropped;
    if (m_unitStart >= 0)
        m_unitStart -= dropped;
    return units;
}

void PiTrailSplitter::reset()
{
    m_buffer.clear();
    m_scanned = 0;
    m_depth = 0;
    m_unitStart = -1;
}
