#include "ui/main/NavTreeView.h"

#include "ui/common/Theme.h"

#include "refdata/TreeNodeRoles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

class NavTreeDelegate : public QStyledItemDelegate
{
public:
    NavTreeDelegate(bool plainKindMinusOne, QObject* parent)
        : QStyledItemDelegate(parent), m_plainKindMinusOne(plainKindMinusOne)
    {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const int kind = index.data(NodeKindRole).toInt();
        const bool themed = selected && !(m_plainKindMinusOne && kind == -1);
        painter->save();
        painter->fillRect(option.rect, themed ? Theme::colour() : QColor(Qt::white));
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        const QRect textArea = option.rect.adjusted(2, 2, 0, 0);
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

private:
    bool m_plainKindMinusOne;
};

} // namespace

NavTreeView::NavTreeView(const QString& name, const Options& options, QWidget* parent)
    : QTreeWidget(parent), m_options(options)
{
    setObjectName(name);
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemDelegate(new NavTreeDelegate(options.plainSelectedKindMinusOne, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    // The branch area left of a selected row is painted by the view, not the delegate.
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, Theme::colour());
    pal.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(pal);
    if (m_options.oneOpenBranch)
        connect(this, &QTreeWidget::itemExpanded, this, &NavTreeView::collapseSiblings);
}

void NavTreeView::addNodes(const QVector<FixedNode>& nodes, QTreeWidgetItem* parent)
{
    for (const FixedNode& node : nodes) {
        QTreeWidgetItem* item = addNode(node.text, node.kind, parent, node.value);
        addNodes(node.children, item);
    }
}

QTreeWidgetItem* NavTreeView::addNode(const QString& text, int kind, QTreeWidgetItem* parent,
                                      const QString& value)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, NodeKindRole, kind);
    if (!value.isEmpty())
        item->setData(0, NodeValueRole, value);
    return item;
}

int NavTreeView::kindOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, NodeKindRole).toInt() : 0;
}

QString NavTreeView::valueOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, NodeValueRole).toString() : QString();
}

QTreeWidgetItem* NavTreeView::firstLeafContaining(const QString& text) const
{
    for (QTreeWidgetItemIterator it(const_cast<NavTreeView*>(this)); *it; ++it) {
        if ((*it)->childCount() == 0 && (*it)->text(0).contains(text))
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem* NavTreeView::topLevelNamed(const QString& text) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->text(0) == text)
            return topLevelItem(i);
    }
    return nullptr;
}

void NavTreeView::collapseSiblings(QTreeWidgetItem* item)
{
    QTreeWidgetItem* parent = item->parent();
    const int count = parent ? parent->childCount() : topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* sibling = parent ? parent->child(i) : topLevelItem(i);
        if (sibling != item && sibling->isExpanded())
            sibling->setExpanded(false);
    }
}

void NavTreeView::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    QTreeWidgetItem* item = itemAt(event->pos());
    if (!item)
        return;
    setCurrentItem(item);
    Q_EMIT nodePressed(item, event->button());
}
