#include "ui/publish/LimitedTextEdit.h"

#include "publish/ListingText.h"

#include <QTextCursor>
#include <QTextDocument>

LimitedTextEdit::LimitedTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { m_changeEnd = position + added; });
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::enforceLimit);
}

void LimitedTextEdit::enforceLimit()
{
    if (m_enforcing)
        return;
    const int excess = toPlainText().size() - ListingText::MaxLength;
    if (excess <= 0)
        return;
    m_enforcing = true;
    // Cut the excess off the end of what was just inserted.
    const int end = qBound(excess, m_changeEnd, document()->characterCount() - 1);
    QTextCursor cursor(document());
    cursor.setPosition(end - excess);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    m_enforcing = false;
}

bool LimitedTextEdit::appendText(const QString& addition)
{
    QString text = toPlainText();
    if (!ListingText::append(text, addition))
        return false;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(addition);
    moveCursor(QTextCursor::End);
    return true;
}

void LimitedTextEdit::backspace()
{
    const QString text = toPlainText();
    if (text.isEmpty())
        return;
    const int removed = text.size() - ListingText::withoutLastCharacter(text).size();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(text.size() - removed, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    moveCursor(QTextCursor::End);
}
