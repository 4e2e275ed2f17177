#include "refdata/NameValueTable.h"

NameValueTable NameValueTable::fromText(const QString& text)
{
    NameValueTable table;
    if (text.isEmpty())
        return table;
    const QStringList entries = text.split(QLatin1Char(','));
    for (const QString& entry : entries) {
        const int equals = entry.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? entry : entry.left(equals);
        const QString value = equals < 0 ? QString() : entry.mid(equals + 1);
        if (!table.m_firstIndex.contains(name))
            table.m_firstIndex.insert(name, table.m_names.size());
        table.m_names.append(name);
        table.m_values.append(value);
    }
    return table;
}

QString NameValueTable::name(int index) const
{
    return m_names.value(index);
}

QString NameValueTable::value(int index) const
{
    return m_values.value(index);
}

QString NameValueTable::valueOf(const QString& name) const
{
    const auto found = m_firstIndex.constFind(name);
    return found == m_firstIndex.constEnd() ? QString() : m_values.at(*found);
}
