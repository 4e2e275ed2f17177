#pragma once

#include <QString>
#include <QVector>

// One place of the region tree: its name and the places below it.
// Third-level places (counties and districts) never have children.
struct RegionEntry
{
    QString name;
    QVector<RegionEntry> children;
};
