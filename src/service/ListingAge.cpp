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

// The decimal number written with `count` digits from `from`, or -1.
int number(const QString& text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t digit = text.at(i).unicode();
        if (digit < u'0' || digit > u'9')
            return -1;
        value = value * 10 + (digit - u'0');
    }
    return value;
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
    // "yyyy-MM-dd HH:mm:ss" or "yyyy-MM-dd HH:mm", read by hand: Qt's date parser looks at the
    // time-zone database on every call, and a burst brings thousands of listings.
    const QString text = issueAt.trimmed();
    const bool withSeconds = text.size() == 19;
    if (!withSeconds && text.size() != 16)
        return QDateTime();
    const auto at = [&text](int index, char expected) {
        return text.at(index) == QLatin1Char(expected);
    };
    if (!at(4, '-') || !at(7, '-') || !at(10, ' ') || !at(13, ':') || (withSeconds && !at(16, ':')))
        return QDateTime();
    const int year = number(text, 0, 4);
    const int month = number(text, 5, 2);
    const int day = number(text, 8, 2);
    const int hour = number(text, 11, 2);
    const int minute = number(text, 14, 2);
    const int second = withSeconds ? number(text, 17, 2) : 0;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0 ||
        !date.isValid() || !time.isValid())
        return QDateTime();
    return localTime(date, time);
}

} // namespace ListingAge
