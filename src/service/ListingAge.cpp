#include "service/ListingAge.h"

namespace ListingAge {

QString words(qint64 ageSeconds)
{
    if (ageSeconds < 60)
        return QStringLiteral("刚刚");
    if (ageSeconds < 60 * 60)
        return QStringLiteral("%1分钟前").arg(ageSeconds / 60);
    if (ageSeconds < StaleAfterSeconds)
        return QStringLiteral("%1小时前").arg(ageSeconds / (60 * 60));
    return QStringLiteral("%1天前").arg(ageSeconds / StaleAfterSeconds);
}

QString words(const QDateTime& issued, const QDateTime& now)
{
    if (!issued.isValid() || !now.isValid())
        return QString();
    return words(issued.secsTo(now));
}

bool isStale(const QDateTime& issued, const QDateTime& now)
{
    return issued.isValid() && now.isValid() && issued.secsTo(now) >= StaleAfterSeconds;
}

QDateTime parseIssueTime(const QString& issueAt)
{
    const QString text = issueAt.trimmed();
    // Longer texts come from elsewhere: nothing to read a time from.
    if (text.size() > 19)
        return QDateTime();
    QDateTime time = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!time.isValid())
        time = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
    return time;
}

} // namespace ListingAge
