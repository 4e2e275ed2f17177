#pragma once

#include <QStringList>

class QComboBox;
class QListWidget;

// Replaces the items of a list widget and leaves nothing selected. Listeners
// see at most one change, to "nothing selected", and none of the transient
// selections that adding items would cause.
class ListFill
{
public:
    static void replace(QComboBox* box, const QStringList& items);
    static void replace(QListWidget* list, const QStringList& items);
};
