#pragma once

#include <QObject>
#include <QPointer>

class FriendTree;
class IMSession;
class ImPanel;
class QTreeWidgetItem;
struct FriendEntry;
struct SessionStatus;

// Shows an IM session in the IM panel: the session's roster in the friend tree, whether the
// tree is shown, and the status text in LblMyState. The tree's double-click and its menu items
// NR1, NR4 and N2 go back to the session by JID. Owned by the panel; either side may go first.
class ImSessionBinding : public QObject
{
    Q_OBJECT
public:
    ImSessionBinding(IMSession* session, ImPanel* panel);

private:
    void showRoster();
    void showFriend(const FriendEntry& entry);
    void removeFriend(const QString& jid);
    void showStatus(const SessionStatus& status);
    // The JID of a friend node, empty for a group or no node.
    static QString jidOf(QTreeWidgetItem* node);
    void wireSession();
    void wireTree();

    QPointer<IMSession> m_session;
    ImPanel* m_panel;
    FriendTree* m_tree;
};
