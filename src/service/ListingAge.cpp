#include "service/ListingAge.h"

namespace {

// A local date and time without asking the time-zone database each time: that costs a look at
// the zone file per listing, and a burst brings thousands. Listings come in runs of the same
// hour, so the offset from UTC of the last hour seen is kept.
QDateTime localTime(const QDate& date, const QTime& time)
{
    thread_local QDate offsetDate;
    thread_local int offsetHour = -1;
    thread_local int offsetSeconds = 0;
    if (date != offsetDate || time.hour() != offsetHour) {
        offsetDate = date;
        offsetHour = time.hour();
        offsetSeconds = QDateTime(date, QTime(time.hour(), 0)).offsetFromUtc();
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, offsetSeconds);
}

} // namespace

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
    if (text.size() > 19 || text.size() < 16 || text.at(10) != QLatin1Char(' '))
        return QDateTime();
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QString clock = text.mid(11);
    QTime time = QTime::fromString(clock, QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(clock, QStringLiteral("HH:mm"));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return localTime(date, time);
}

} // namespace ListingAge
