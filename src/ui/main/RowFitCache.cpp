#include "ui/main/RowFitCache.h"

void RowFitCache::reset(int rows)
{
    m_fittedAt = QVector<quint32>(qMax(0, rows), 0);
}

void RowFitCache::insertRows(int first, int count)
{
    if (count <= 0)
        return;
    m_fittedAt.insert(qBound(0, first, m_fittedAt.size()), count, 0);
}

void RowFitCache::removeRows(int first, int count)
{
    first = qBound(0, first, m_fittedAt.size());
    count = qBound(0, count, m_fittedAt.size() - first);
    m_fittedAt.remove(first, count);
}

void RowFitCache::invalidateRows(int first, int last)
{
    first = qMax(0, first);
    last = qMin(last, m_fittedAt.size() - 1);
    for (int row = first; row <= last; ++row)
        m_fittedAt[row] = 0;
}

void RowFitCache::invalidateAll()
{
    ++m_generation;
}

bool RowFitCache::isFitted(int row) const
{
    return row >= 0 && row < m_fittedAt.size() && m_fittedAt.at(row) == m_generation;
}

void RowFitCache::markFitted(int row)
{
    if (row >= 0 && row < m_fittedAt.size())
        m_fittedAt[row] = m_generation;
}
