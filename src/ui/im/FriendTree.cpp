#include "ui/im/FriendTree.h"

#include "ui/common/Theme.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace {

// The tree's four icons, drawn so that no picture files are needed.
QIcon drawnIcon(FriendTree::Icon icon)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case FriendTree::IconPresent:
    case FriendTree::IconOffline: {
        const QColor colour =
            icon == FriendTree::IconPresent ? QColor(0x2E, 0x9E, 0x3E) : QColor(0x9A, 0x9A, 0x9A);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(4.5, 1.5, 7, 7));
        painter.drawRoundedRect(QRectF(2, 9, 12, 6), 3, 3);
        break;
    }
    case FriendTree::IconGroupExpanded:
    case FriendTree::IconGroupCollapsed: {
        painter.setBrush(QColor(0x4A, 0x6E, 0x9A));
        painter.setPen(Qt::NoPen);
        QPolygonF arrow;
        if (icon == FriendTree::IconGroupExpanded)
            arrow << QPointF(3, 5) << QPointF(13, 5) << QPointF(8, 11);
        else
            arrow << QPointF(5, 3) << QPointF(11, 8) << QPointF(5, 13);
        painter.drawPolygon(arrow);
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace

FriendTree::FriendTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TrevUserList"));
    setHeaderHidden(true);
    setColumnCount(1);
    setMouseTracking(true);
    setExpandsOnDoubleClick(false);
    setRootIsDecorated(false);
    setIndentation(12);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Selected rows in the theme colour, the others white, text always black.
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::Highlight, Theme::colour());
        pal.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    setPalette(pal);
    buildMenu();
    // A group's icon follows its state, however it changed (click, or a friend selected).
    connect(this, &QTreeWidget::itemExpanded, this, &FriendTree::updateGroupIcon);
    connect(this, &QTreeWidget::itemCollapsed, this, &FriendTree::updateGroupIcon);
}

void FriendTree::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PpMenuRight"));
    m_actOpen = m_menu->addAction(QStringLiteral("开始对话"));
    m_actOpen->setObjectName(QStringLiteral("NR1"));
    m_actRename = m_menu->addAction(QStringLiteral("好友改名(&V)"));
    m_actRename->setObjectName(QStringLiteral("NR4"));
    m_actDelete = m_menu->addAction(QStringLiteral("删除好友(&D)"));
    m_actDelete->setObjectName(QStringLiteral("N2"));
    connect(m_actOpen, &QAction::triggered, this, [this] { Q_EMIT openRequested(currentItem()); });
    connect(m_actRename, &QAction::triggered, this,
            [this] { Q_EMIT renameRequested(currentItem()); });
    connect(m_actDelete, &QAction::triggered, this,
            [this] { Q_EMIT deleteRequested(currentItem()); });
}

QIcon FriendTree::iconFor(Icon icon) const
{
    static const QIcon icons[] = {drawnIcon(IconPresent), drawnIcon(IconOffline),
                                  drawnIcon(IconGroupExpanded), drawnIcon(IconGroupCollapsed)};
    return icons[icon];
}

QTreeWidgetItem* FriendTree::addGroup(const QString& name)
{
    auto* group = new QTreeWidgetItem(this, QStringList(name));
    group->setData(0, KindRole, int(GroupNode));
    group->setIcon(0, iconFor(IconGroupCollapsed));
    group->setExpanded(false);
    return group;
}

QTreeWidgetItem* FriendTree::firstGroup() const
{
    return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
}

void FriendTree::removeFriendNodes()
{
    QTreeWidgetItem* group = firstGroup();
    if (!group)
        return;
    qDeleteAll(group->takeChildren());
}

QTreeWidgetItem* FriendTree::addFriend(const FriendEntry& entry)
{
    QTreeWidgetItem* group = firstGroup();
    if (!group)
        return nullptr;
    auto* node = new QTreeWidgetItem(group, QStringList(entry.displayName));
    node->setData(0, KindRole, int(FriendNode));
    node->setData(0, JidRole, entry.jid);
    node->setData(0, OfflineRole, entry.offline);
    node->setIcon(0, iconFor(entry.offline ? IconOffline : IconPresent));
    return node;
}

QTreeWidgetItem* FriendTree::findFriend(const QString& jid) const
{
    if (jid.isEmpty())
        return nullptr;
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem* node = group->child(i);
            if (isFriend(node) && node->data(0, JidRole).toString() == jid)
                return node;
        }
    }
    return nullptr;
}

void FriendTree::setFriendOffline(QTreeWidgetItem* node, bool offline)
{
    node->setData(0, OfflineRole, offline ? 1 : 0);
    node->setIcon(0, iconFor(offline ? IconOffline : IconPresent));
}

void FriendTree::renameFriend(QTreeWidgetItem* node, const QString& name)
{
    node->setText(0, name);
}

bool FriendTree::isFriend(const QTreeWidgetItem* node)
{
    return node && node->data(0, KindRole).toInt() == FriendNode;
}

bool FriendTree::isGroup(const QTreeWidgetItem* node)
{
    return node && node->data(0, KindRole).toInt() == GroupNode;
}

FriendEntry FriendTree::entryOf(const QTreeWidgetItem* node)
{
    FriendEntry entry;
    if (!isFriend(node))
        return entry;
    entry.jid = node->data(0, JidRole).toString();
    entry.displayName = node->text(0);
    entry.offline = node->data(0, OfflineRole).toInt();
    return entry;
}

QString FriendTree::groupHint(const QTreeWidgetItem* group)
{
    if (group->childCount() == 0)
        return QStringLiteral("你还没有添加好友哦 ！ ");
    return group->text(0) + QLatin1Char('(') + QString::number(group->childCount()) +
           QLatin1Char(')');
}

void FriendTree::toggle(QTreeWidgetItem* node)
{
    node->setExpanded(!node->isExpanded());
}

void FriendTree::updateGroupIcon(QTreeWidgetItem* node)
{
    if (isGroup(node))
        node->setIcon(0, iconFor(node->isExpanded() ? IconGroupExpanded : IconGroupCollapsed));
}

void FriendTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* node = itemAt(event->pos());
    if (!node) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    setCurrentItem(node);
    if (event->button() == Qt::LeftButton) {
        toggle(node);
    } else if (event->button() == Qt::RightButton && isFriend(node)) {
        openMenuFor(node, event->globalPos());
    }
    event->accept();
}

void FriendTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* node = itemAt(event->pos());
    if (event->button() == Qt::LeftButton && isFriend(node))
        Q_EMIT openRequested(node);
    event->accept();
}

void FriendTree::openMenuFor(QTreeWidgetItem* node, const QPoint& globalPos)
{
    const bool offline = node->data(0, OfflineRole).toInt() != 0;
    m_actOpen->setText(offline ? QStringLiteral("给他留言") : QStringLiteral("开始对话"));
    m_menu->popup(globalPos);
}

void FriendTree::mouseMoveEvent(QMouseEvent* event)
{
    QTreeWidgetItem* node = itemAt(event->pos());
    if (isGroup(node)) {
        m_hintsOn = true;
        setToolTip(groupHint(node));
    } else {
        m_hintsOn = false;
        setToolTip(QString());
        QToolTip::hideText();
        if (isFriend(node))
            setCurrentItem(node);
    }
    QTreeWidget::mouseMoveEvent(event);
}

bool FriendTree::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QTreeWidgetItem* node = itemAt(help->pos());
        if (m_hintsOn && isGroup(node))
            QToolTip::showText(help->globalPos(), groupHint(node), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void FriendTree::drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                         const QModelIndex& index) const
{
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    painter->fillRect(options.rect, selected ? Theme::colour() : QColor(Qt::white));
    QTreeWidget::drawRow(painter, options, index);
}
