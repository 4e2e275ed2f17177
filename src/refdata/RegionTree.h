#pragma once

#include "refdata/RegionEntry.h"

#include <QStringList>

// The built-in tree of China's administrative divisions: top-level entries
// (the placeholder "请选择" first, then the 31 provinces by short name), their
// cities (or, for a municipality, its districts and counties) and the cities'
// counties. Selectors address entries by index, so order is significant.
//
// The tree is parsed once from the JSON text compiled into the program and
// shared read-only by every window: use RegionTree::shared().
class RegionTree
{
public:
    // The one parsed tree, built on first use (thread-safe initialisation).
    static const RegionTree& shared();
    // The built-in JSON text: [{"p":name,"c":[children]},...] without white space.
    static QString builtInText();
    // Parses a region tree text; an invalid text gives an empty tree. Each entry
    // takes its name from the member "p" and its children from its second member,
    // so positions are kept even for damaged entries.
    static RegionTree fromText(const QString& json);
    // "请选择", the first top-level entry.
    static QString placeholder();

    bool isEmpty() const { return m_entries.isEmpty(); }
    // Number of top-level entries, the placeholder included.
    int count() const { return m_entries.size(); }
    const QVector<RegionEntry>& entries() const { return m_entries; }

    // Entry [index], or nullptr outside the tree.
    const RegionEntry* entry(int index) const;
    // Child [childIndex] of entry [index], or nullptr outside the tree.
    const RegionEntry* child(int index, int childIndex) const;

    // Names of all top-level entries, the placeholder included (index = entry index).
    QStringList topLevelNames() const;
    // Names of the 31 provinces, without the placeholder (index i = entry i + 1).
    QStringList provinceNames() const;
    // Names of the children of entry [index]; empty outside the tree.
    QStringList childNames(int index) const;
    // Names of the children of entry [index] -> child [childIndex]; empty outside the tree.
    QStringList grandchildNames(int index, int childIndex) const;
    // Index of the first top-level entry named exactly `name`, or -1.
    int indexOf(const QString& name) const;

private:
    QVector<RegionEntry> m_entries;
};

// The four municipalities, whose province name stands for the city:
// "北京", "上海", "天津", "重庆".
const QStringList& MunicipalityNames();
// True when `name` is exactly one of the municipality names (never for the empty name).
bool IsMunicipality(const QString& name);
