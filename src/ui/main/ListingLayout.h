#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

enum class ListingFamily
{
    Land,
    Air,
    Sea,
    Rail
};

// Where each family keeps its fields in a grid row, which of them are shown and how wide.
// Field positions never change when columns are hidden.
struct ListingLayout
{
    ListingFamily family = ListingFamily::Land;
    int fieldCount = 0;
    int typeIconField = -1; // land only: cargo or truck picture
    int senderIconField = -1;
    int senderField = -1;
    int contactField = -1;
    int titleField = -1; // land only: the rich-text title cell
    int stretchField = -1;
    QStringList headers; // empty for the land grids, which have no header row
    QMap<int, int> widths;
    QVector<int> hiddenFields;
    int defaultRowHeight = 32;

    static const ListingLayout& of(ListingFamily family);

    bool hasHeader() const { return !headers.isEmpty(); }
    bool isIconField(int field) const { return field == typeIconField || field == senderIconField; }
    // The hint shown over a field of a row whose sender field holds senderId.
    QString hint(int field, const QString& senderId) const;
};
