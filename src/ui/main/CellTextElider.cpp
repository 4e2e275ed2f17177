#include "ui/main/CellTextElider.h"

#include <QFont>
#include <QTextLayout>
#include <QTextOption>

namespace {

const QChar kEllipsis(0x2026);

bool isBlank(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

struct LaidOut
{
    int lines = 0;
    int endOfLastLine = 0; // text position after the last line laid out
};

// Lays the paragraph out as a cell does (word boundaries, else anywhere), stopping after
// stopAfter lines when that is above 0.
LaidOut layOut(const QString& paragraph, const QFont& font, int width, int stopAfter)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    LaidOut result;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        ++result.lines;
        result.endOfLastLine = line.textStart() + line.textLength();
        if (stopAfter > 0 && result.lines >= stopAfter)
            break;
    }
    layout.endLayout();
    return result;
}

QString withEllipsis(const QString& text, int length)
{
    QString shown = text.left(length);
    if (!shown.isEmpty() && QChar(shown.back()).isHighSurrogate())
        shown.chop(1);
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    return shown + kEllipsis;
}

} // namespace

QString CellTextElider::flattened(const QString& text, int maxLength, bool* cut)
{
    QString out;
    out.reserve(qMin(text.size(), qMax(0, maxLength)));
    bool pendingSpace = false;
    bool more = false;
    for (const QChar c : text) {
        if (isBlank(c)) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (out.size() + (pendingSpace ? 1 : 0) >= maxLength) {
            more = true;
            break;
        }
        if (pendingSpace)
            out += QLatin1Char(' ');
        pendingSpace = false;
        out += c;
    }
    if (more && !out.isEmpty() && QChar(out.back()).isHighSurrogate())
        out.chop(1);
    if (cut)
        *cut = more;
    return out;
}

int CellTextElider::budget(int width, int maxLines)
{
    // No character that takes room on a line is narrower than about two pixels, so maxLines
    // lines never show more than this; the rest of a text is never laid out.
    return qMax(1, maxLines) * (qMax(1, width) / 2 + 1);
}

CellTextElider::Shown CellTextElider::elide(const QString& text, const QString& tail,
                                            const QFont& font, int width, int maxLines)
{
    bool cut = false;
    const QString flat = flattened(text, budget(width, maxLines), &cut);
    return elideFlattened(flat, cut, tail, font, width, maxLines);
}

CellTextElider::Shown CellTextElider::elideFlattened(const QString& flat, bool cut,
                                                     const QString& tail, const QFont& font,
                                                     int width, int maxLines)
{
    width = qMax(1, width);
    maxLines = qMax(1, maxLines);
    Shown shown;
    const LaidOut whole = layOut(flat + tail, font, width, maxLines + 1);
    if (!cut && whole.lines <= maxLines) {
        shown.text = flat;
        return shown;
    }
    // The longest beginning that fits with the ellipsis and the tail; it ends within the
    // first maxLines lines of the whole text.
    const auto fits = [&](int length) {
        return layOut(withEllipsis(flat, length) + tail, font, width, maxLines + 1).lines <=
               maxLines;
    };
    int low = 0;
    int high = qMin(flat.size(), whole.lines > maxLines ? whole.endOfLastLine : flat.size());
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    shown.text = withEllipsis(flat, low);
    shown.elided = true;
    return shown;
}
