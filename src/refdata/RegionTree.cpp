#include "refdata/RegionTree.h"

#include "core/JsonNode.h"
#include "refdata/RefdataLog.h"

#include <QFile>

// The resource lives in a static library: register it before the first read.
static void initRegionTreeResource()
{
    Q_INIT_RESOURCE(regiontree);
}

namespace {

// Provinces, cities, counties: anything deeper is not part of the tree.
const int TreeLevels = 3;

RegionEntry toEntry(const JsonNode* node, int level)
{
    RegionEntry entry;
    if (!node || !node->isObject())
        return entry;
    if (const JsonNode* name = node->field(QStringLiteral("p")))
        entry.name = name->toText();
    // The children are the entry's second member, by position.
    const JsonNode* children = node->count() > 1 ? node->child(1) : nullptr;
    if (!children || !children->isList() || level >= TreeLevels)
        return entry;
    entry.children.reserve(children->count());
    for (int i = 0; i < children->count(); ++i)
        entry.children.append(toEntry(children->child(i), level + 1));
    return entry;
}

} // namespace

const RegionTree& RegionTree::shared()
{
    static const RegionTree tree = fromText(builtInText());
    return tree;
}

QString RegionTree::builtInText()
{
    initRegionTreeResource();
    QFile file(QStringLiteral(":/refdata/regiontree.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcRefdata) << "reading the built-in region tree failed:" << file.errorString();
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

RegionTree RegionTree::fromText(const QString& json)
{
    RegionTree tree;
    const std::unique_ptr<JsonNode> root = ParseJson(json);
    if (!root || !root->isList()) {
        qCWarning(lcRefdata) << "region tree text rejected: no JSON list, the tree stays empty";
        return tree;
    }
    tree.m_entries.reserve(root->count());
    for (int i = 0; i < root->count(); ++i)
        tree.m_entries.append(toEntry(root->child(i), 1));
    return tree;
}

QString RegionTree::placeholder()
{
    return QStringLiteral("请选择");
}

const RegionEntry* RegionTree::entry(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    return &m_entries.at(index);
}

const RegionEntry* RegionTree::child(int index, int childIndex) const
{
    const RegionEntry* parent = entry(index);
    if (!parent || childIndex < 0 || childIndex >= parent->children.size())
        return nullptr;
    return &parent->children.at(childIndex);
}

static QStringList namesOf(const QVector<RegionEntry>& entries, int first = 0)
{
    QStringList names;
    names.reserve(qMax(0, entries.size() - first));
    for (int i = first; i < entries.size(); ++i)
        names.append(entries.at(i).name);
    return names;
}

QStringList RegionTree::topLevelNames() const
{
    return namesOf(m_entries);
}

QStringList RegionTree::provinceNames() const
{
    return namesOf(m_entries, 1);
}

QStringList RegionTree::childNames(int index) const
{
    const RegionEntry* parent = entry(index);
    return parent ? namesOf(parent->children) : QStringList();
}

QStringList RegionTree::grandchildNames(int index, int childIndex) const
{
    const RegionEntry* parent = child(index, childIndex);
    return parent ? namesOf(parent->children) : QStringList();
}

int RegionTree::indexOf(const QString& name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name == name)
            return i;
    }
    return -1;
}

const QStringList& MunicipalityNames()
{
    static const QStringList names{QStringLiteral("北京"), QStringLiteral("上海"),
                                   QStringLiteral("天津"), QStringLiteral("重庆")};
    return names;
}

bool IsMunicipality(const QString& name)
{
    return !name.isEmpty() && MunicipalityNames().contains(name);
}
