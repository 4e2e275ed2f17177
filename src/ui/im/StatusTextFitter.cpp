#include "ui/im/StatusTextFitter.h"

#include <QFontMetrics>

QString StatusTextFitter::fit(const QString& fullText, const QString& company,
                              const QFontMetrics& metrics, int width)
{
    QString shown = fullText;
    int keep = company.size();
    while (metrics.horizontalAdvance(shown) > width && keep > 1) {
        --keep;
        // Never cut a character in half (a surrogate pair counts as one).
        if (keep > 1 && company.at(keep - 1).isHighSurrogate())
            --keep;
        shown = company.left(keep) + QStringLiteral(" ...");
    }
    return shown;
}
