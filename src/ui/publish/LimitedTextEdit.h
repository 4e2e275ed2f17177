#pragma once

#include <QPlainTextEdit>

// The multi-line listing text box: at most ListingText::MaxLength characters, whether typed,
// pasted or composed by an input method; what would go past the limit is cut off the insertion.
// appendText() adds a pick at the end unless it would go past the limit.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LimitedTextEdit(QWidget* parent = nullptr);

    // Appends at the end; false (and nothing changed) when the text would be too long.
    bool appendText(const QString& addition);
    // Removes the last character.
    void backspace();

private:
    void enforceLimit();

    int m_changeEnd = -1;
    bool m_enforcing = false;
};
