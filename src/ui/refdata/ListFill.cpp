#include "ui/refdata/ListFill.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

void ListFill::replace(QComboBox* box, const QStringList& items)
{
    box->clear();
    const QSignalBlocker blocker(box);
    box->addItems(items);
    box->setCurrentIndex(-1);
}

void ListFill::replace(QListWidget* list, const QStringList& items)
{
    list->clear();
    const QSignalBlocker blocker(list);
    list->addItems(items);
    list->setCurrentRow(-1);
    list->clearSelection();
}
