#pragma once

#include <QDateTime>
#include <QString>

// How old a listing is, in the words a user reads at a glance: "刚刚" under a minute (and for a
// time slightly ahead of the local clock), then "N分钟前", "N小时前" and "N天前", each
// rounded down. Listings older than a day are stale.
namespace ListingAge {

constexpr qint64 StaleAfterSeconds = 24 * 60 * 60;

// The words for an age in seconds.
QString words(qint64 ageSeconds);
// The words for a listing issued at issued, seen at now; empty when issued is unknown.
QString words(const QDateTime& issued, const QDateTime& now);
bool isStale(const QDateTime& issued, const QDateTime& now);
// The issue time as the exchange writes it ("2026-12-08 10:00:00", the exchange's local time;
// seconds may be missing); invalid for anything else.
QDateTime parseIssueTime(const QString& issueAt);

} // namespace ListingAge
