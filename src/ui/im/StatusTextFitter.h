#pragma once

#include <QString>

class QFontMetrics;

// Shortens the status label's text until it fits: the company's leading whole characters
// followed by " ...", one character less per step, never below one character.
class StatusTextFitter
{
public:
    static QString fit(const QString& fullText, const QString& company, const QFontMetrics& metrics,
                       int width);
};
