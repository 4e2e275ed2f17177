#pragma once

#include <Qt>

// Item data roles used by every tree and list that the reference data fills
// (QTreeWidgetItem::data(0, role), QListWidgetItem::data(role)).
enum TreeNodeRole : int
{
    // int: the node's kind (its state index): 1 province / route / port ...,
    // -1 city, -2 group, 2 / 3 / 4 as listed by FixedLists.
    NodeKindRole = Qt::UserRole,
    // QString: an extra value, e.g. the airport code of an airport node.
    NodeValueRole = Qt::UserRole + 1,
};
