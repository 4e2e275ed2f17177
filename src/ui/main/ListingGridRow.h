#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

// One row of a listing grid as the grid holds it: every field (shown or hidden) as text, plus
// the pictures of the icon cells. A land row keeps its title and short time apart so that the
// title cell can colour them differently.
struct ListingGridRow
{
    QVector<QString> fields;
    int typeImage = -1;   // -1: no picture
    int senderImage = -1; // -1: no picture
    QString shortTime;    // land title cell only
    QDateTime issuedAt;   // land rows: when the listing was issued (invalid: unknown)

    QString field(int index) const
    {
        return index >= 0 && index < fields.size() ? fields.at(index) : QString();
    }
};
