#include "ui/im/ImSessionBinding.h"

#include "im/IMSession.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"

#include <QLabel>

ImSessionBinding::ImSessionBinding(IMSession* session, ImPanel* panel)
    : QObject(panel), m_session(session), m_panel(panel), m_tree(panel->friendTree())
{
    showRoster();
    m_tree->setVisible(session->friendListShown());
    if (!session->status().text.isEmpty())
        showStatus(session->status());
    wireSession();
    wireTree();
}

void ImSessionBinding::wireSession()
{
    IMSession* session = m_session;
    connect(session, &IMSession::rosterCleared, this, [this] { m_tree->clear(); });
    connect(session, &IMSession::friendsCleared, this, [this] { m_tree->removeFriendNodes(); });
    connect(session, &IMSession::groupAdded, this,
            [this](const QString& name) { m_tree->addGroup(name); });
    connect(session, &IMSession::friendAdded, this,
            [this](const FriendEntry& entry) { m_tree->addFriend(entry); });
    connect(session, &IMSession::friendChanged, this, &ImSessionBinding::showFriend);
    connect(session, &IMSession::friendRemoved, this, &ImSessionBinding::removeFriend);
    connect(session, &IMSession::friendListShownChanged, this,
            [this](bool shown) { m_tree->setVisible(shown); });
    connect(session, &IMSession::statusChanged, this, &ImSessionBinding::showStatus);
}

void ImSessionBinding::wireTree()
{
    const auto forward = [this](void (IMSession::*request)(const QString&)) {
        return [this, request](QTreeWidgetItem* node) {
            const QString jid = jidOf(node);
            if (m_session && !jid.isEmpty())
                (m_session->*request)(jid);
        };
    };
    connect(m_tree, &FriendTree::openRequested, this, forward(&IMSession::openConversation));
    connect(m_tree, &FriendTree::renameRequested, this, forward(&IMSession::renameFriend));
    connect(m_tree, &FriendTree::deleteRequested, this, forward(&IMSession::deleteFriend));
}

void ImSessionBinding::showRoster()
{
    m_tree->clear();
    for (const QString& group : m_session->roster().groups())
        m_tree->addGroup(group);
    for (const FriendEntry& entry : m_session->roster().friends())
        m_tree->addFriend(entry);
}

void ImSessionBinding::showFriend(const FriendEntry& entry)
{
    QTreeWidgetItem* node = m_tree->findFriend(entry.jid);
    if (!node)
        return;
    m_tree->setFriendOffline(node, entry.offline != 0);
    m_tree->renameFriend(node, entry.displayName);
}

void ImSessionBinding::removeFriend(const QString& jid)
{
    delete m_tree->findFriend(jid);
}

void ImSessionBinding::showStatus(const SessionStatus& status)
{
    if (status.showsCompany)
        m_panel->showStatus(status.text, status.company);
    else
        m_panel->statusLabel()->setText(status.text);
}

QString ImSessionBinding::jidOf(QTreeWidgetItem* node)
{
    return FriendTree::isFriend(node) ? FriendTree::entryOf(node).jid : QString();
}
