#pragma once

#include "refdata/FixedNode.h"

class QTreeWidget;
class QTreeWidgetItem;

// Puts FixedNode trees into a QTreeWidget. Every item gets the node's text in
// column 0, its kind under NodeKindRole and its value under NodeValueRole
// (TreeNodeRoles.h).
class NavTreeFiller
{
public:
    // Appends the nodes (and their children) as top-level items.
    static void fill(QTreeWidget* tree, const QVector<FixedNode>& nodes);
    // Appends the nodes (and their children) below `parent`.
    static void appendChildren(QTreeWidgetItem* parent, const QVector<FixedNode>& nodes);
    static QTreeWidgetItem* createItem(const FixedNode& node);

    // Kind / value of an item; 0 / empty for nullptr.
    static int kindOf(const QTreeWidgetItem* item);
    static QString valueOf(const QTreeWidgetItem* item);
};
