#pragma once

#include "im/FriendEntry.h"

#include <QTreeWidget>
#include <optional>

class QMenu;
class QAction;

// The friend tree TrevUserList: group nodes (kind -1) at the root, friend nodes (kind 2)
// under the first group. Each friend node carries a FriendEntry.
class FriendTree : public QTreeWidget
{
    Q_OBJECT
public:
    enum NodeKind
    {
        GroupNode = -1,
        FriendNode = 2
    };
    enum Icon
    {
        IconPresent = 0,
        IconOffline = 1,
        IconGroupExpanded = 2,
        IconGroupCollapsed = 3
    };
    static constexpr int KindRole = Qt::UserRole + 1;
    static constexpr int JidRole = Qt::UserRole + 2;
    static constexpr int OfflineRole = Qt::UserRole + 3;

    explicit FriendTree(QWidget* parent = nullptr);

    // A collapsed group node at the end of the root (the session decides which groups exist).
    QTreeWidgetItem* addGroup(const QString& name);
    QTreeWidgetItem* firstGroup() const;
    void removeFriendNodes();
    QTreeWidgetItem* addFriend(const FriendEntry& entry);
    // The friend node whose JID equals jid exactly; none for an empty jid.
    QTreeWidgetItem* findFriend(const QString& jid) const;
    void setFriendOffline(QTreeWidgetItem* node, bool offline);
    void renameFriend(QTreeWidgetItem* node, const QString& name);

    static bool isFriend(const QTreeWidgetItem* node);
    static bool isGroup(const QTreeWidgetItem* node);
    static FriendEntry entryOf(const QTreeWidgetItem* node);
    QIcon iconFor(Icon icon) const;

    // The hint shown for a group: "name(children)" or the no-friends text.
    static QString groupHint(const QTreeWidgetItem* group);

    QMenu* friendMenu() const { return m_menu; }
    QAction* openAction() const { return m_actOpen; }     // NR1
    QAction* renameAction() const { return m_actRename; } // NR4
    QAction* deleteAction() const { return m_actDelete; } // N2

Q_SIGNALS:
    void openRequested(QTreeWidgetItem* node);
    void renameRequested(QTreeWidgetItem* node);
    void deleteRequested(QTreeWidgetItem* node);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                 const QModelIndex& index) const override;

private:
    void buildMenu();
    void toggle(QTreeWidgetItem* node);
    void updateGroupIcon(QTreeWidgetItem* node);
    void openMenuFor(QTreeWidgetItem* node, const QPoint& globalPos);

    QMenu* m_menu = nullptr;
    QAction* m_actOpen = nullptr;
    QAction* m_actRename = nullptr;
    QAction* m_actDelete = nullptr;
    bool m_hintsOn = false;
};
