#pragma once

#include <QDate>
#include <QString>

// Whether an offered release is newer than the running one.
namespace UpdateVersion {

// By number: both texts split at "." into four parts (a missing part is "0"), compared part
// by part as integers; the first differing part decides. When a part is not a number (an
// empty one included), the whole texts are compared byte by byte instead and the offer is
// newer when it sorts after the current one. Equal versions are not newer.
bool isNewer(const QString& offered, const QString& current);

// A date in the month/day/year form "MM/dd/yyyy"; invalid when it cannot be read.
QDate readDate(const QString& text);
QString writeDate(const QDate& date);

// By date: newer when the offered date is later than the version date; a date that cannot
// be read counts as today.
bool isNewerByDate(const QString& offeredDate, const QString& versionDate, const QDate& today);

} // namespace UpdateVersion
