#pragma once

#include <QString>

class QFont;

// Shortens the text of a grid cell to a few lines. Cell texts come from other users and may
// be of any size: a cell shows at most MaxLines lines and ends a longer text with "…"; the
// row keeps the whole text for the detail windows.
class CellTextElider
{
public:
    static constexpr int MaxLines = 4;

    struct Shown
    {
        QString text;        // what the cell shows, without the tail
        bool elided = false; // true when text ends with the ellipsis
    };

    // The text as one paragraph: control characters, line breaks and runs of white space
    // become single spaces, the ends are trimmed. Reads no more of the text than maxLength
    // shown characters need; cut tells whether the text went on beyond them.
    static QString flattened(const QString& text, int maxLength, bool* cut = nullptr);

    // The part of text a cell of the given text width shows in font so that text, then tail
    // (shown in full on the same paragraph, e.g. the grey time after a title), take at most
    // maxLines lines, wrapped at word boundaries or anywhere as the cell wraps.
    static Shown elide(const QString& text, const QString& tail, const QFont& font, int width,
                       int maxLines = MaxLines);
    // The same for a text already flattened to budget(width, maxLines) characters; cut says
    // whether the original went on beyond them.
    static Shown elideFlattened(const QString& flat, bool cut, const QString& tail,
                                const QFont& font, int width, int maxLines = MaxLines);
    // How many characters of a text maxLines lines of that width can show at most.
    static int budget(int width, int maxLines = MaxLines);
};
