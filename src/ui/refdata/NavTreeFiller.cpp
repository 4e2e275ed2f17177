#include "ui/refdata/NavTreeFiller.h"

#include "refdata/TreeNodeRoles.h"

#include <QTreeWidget>

void NavTreeFiller::fill(QTreeWidget* tree, const QVector<FixedNode>& nodes)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (const FixedNode& node : nodes)
        items.append(createItem(node));
    tree->addTopLevelItems(items);
}

void NavTreeFiller::appendChildren(QTreeWidgetItem* parent, const QVector<FixedNode>& nodes)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (const FixedNode& node : nodes)
        items.append(createItem(node));
    parent->addChildren(items);
}

QTreeWidgetItem* NavTreeFiller::createItem(const FixedNode& node)
{
    auto* item = new QTreeWidgetItem(QStringList{node.text});
    item->setData(0, NodeKindRole, node.kind);
    if (!node.value.isEmpty())
        item->setData(0, NodeValueRole, node.value);
    if (!node.children.isEmpty())
        appendChildren(item, node.children);
    return item;
}

int NavTreeFiller::kindOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, NodeKindRole).toInt() : 0;
}

QString NavTreeFiller::valueOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, NodeValueRole).toString() : QString();
}
