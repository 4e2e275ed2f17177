#pragma once

#include <QVector>

// Which rows of a grid have their height measured for the grid's current column widths. A row
// is measured once per content and per set of widths: writing a row forgets its measurement,
// a change of any column width forgets all of them at once (the rows are measured again when
// they are on screen). Follows the rows as they are inserted and removed.
class RowFitCache
{
public:
    void reset(int rows);
    void insertRows(int first, int count);
    void removeRows(int first, int count);
    // The rows' content changed.
    void invalidateRows(int first, int last);
    // A column width changed: every row is measured again.
    void invalidateAll();

    bool isFitted(int row) const;
    void markFitted(int row);
    int size() const { return m_fittedAt.size(); }

private:
    // Per row the width generation it was measured in; 0: never.
    QVector<quint32> m_fittedAt;
    quint32 m_generation = 1;
};
