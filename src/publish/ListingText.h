#pragma once

#include <QString>

// The listing text box's rules: at most 400 characters whatever adds the text (typing,
// generating, word buttons, menus, grids), and a backspace that takes one whole character.
class ListingText
{
public:
    static constexpr int MaxLength = 400;

    // Appends `addition` unless the result would be longer than `limit`; a refused addition
    // leaves the text as it was. Returns whether it was appended.
    static bool append(QString& text, const QString& addition, int limit = MaxLength);
    // The text without its last character (a surrogate pair counts as one).
    static QString withoutLastCharacter(const QString& text);
};
