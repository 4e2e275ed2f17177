#pragma once

#include <QString>
#include <QStringView>

// Removes the characters with code 32 or less (spaces and control characters) from both
// ends. Unlike QString::trimmed it keeps non-ASCII spaces such as U+3000, which are content.
QString TrimLowChars(const QString& text);
// The same over a view, without copying: the part of text that remains.
QStringView TrimLowChars(QStringView text);

// True when text is empty or consists only of characters with code 32 or less.
bool IsBlankText(const QString& text);
