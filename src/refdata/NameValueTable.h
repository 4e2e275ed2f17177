#pragma once

#include <QHash>
#include <QStringList>

// An ordered, read-only list of name=value pairs, built from a text of
// entries "name=value" separated by ",". Lookup is by exact name.
class NameValueTable
{
public:
    NameValueTable() = default;
    // Entries without "=" are kept with an empty value; the first "=" splits.
    static NameValueTable fromText(const QString& text);

    int count() const { return m_names.size(); }
    // Name / value of entry i; empty outside 0..count-1.
    QString name(int index) const;
    QString value(int index) const;
    const QStringList& names() const { return m_names; }
    // Value of the first entry named exactly `name`; the empty text when absent.
    QString valueOf(const QString& name) const;
    bool contains(const QString& name) const { return m_firstIndex.contains(name); }

private:
    QStringList m_names;
    QStringList m_values;
    QHash<QString, int> m_firstIndex;
};
