#include "im/IMSession.h"

#include "app/SessionState.h"
#include "core/Gbk.h"
#include "im/BroadcastHandler.h"
#include "im/ChatWindows.h"
#include "im/IMClient.h"
#include "im/IMSessionHost.h"
#include "im/InternetCheck.h"
#include "im/RosterStanza.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"
#include "ui/im/TfrmAudit.h"

#include <QInputDialog>
#include <QLabel>
#include <exception>

const char* const IMSession::Resource = "haulway";

namespace {

const QString kFriendsGroup = QStringLiteral("我的好友");
const QString kUnionGroup = QStringLiteral("货运联盟");
constexpr int kEndDateMaxBytes = 39;

bool defaultInputBox(QWidget* parent, const QString& caption, const QString& prompt, QString* text)
{
    bool ok = false;
    *text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, QString(), &ok);
    return ok;
}

QString userPartOf(const QString& jid)
{
    return jid.section(QLatin1Char('@'), 0, 0);
}

} // namespace

IMSession::IMSession(IMClient* client, ImPanel* panel, IMSessionHost* host, QObject* parent)
    : QObject(parent), m_client(client), m_panel(panel), m_host(host)
{
    m_inputBox = [panel](const QString& caption, const QString& prompt, QString* text) {
        return defaultInputBox(panel, caption, prompt, text);
    };
    m_auditDialog = [panel](const QString& from) { return TfrmAudit::ask(from, panel); };
    m_accountSource = [] {
        const SessionState& s = session();
        return Account{s.loginIdentity, s.password, s.HostName, s.ServerPort};
    };
    shellState().setConnectedProbe([client] { return client->connected(); });
    wireClient();
    wireTree();
}

FriendTree* IMSession::tree() const
{
    return m_panel->friendTree();
}

void IMSession::wireClient()
{
    QObject::connect(m_client, &IMClient::OnConnected, this, &IMSession::onConnected);
    QObject::connect(m_client, &IMClient::OnDisconnected, this, &IMSession::onDisconnected);
    QObject::connect(m_client, &IMClient::OnSync, this, &IMSession::onSync);
    QObject::connect(m_client, &IMClient::OnPresence, this, &IMSession::onPresence);
    QObject::connect(m_client, &IMClient::OnSubscriptionRequest, this,
                     &IMSession::onSubscriptionRequest, Qt::DirectConnection);
    QObject::connect(m_client, &IMClient::OnMessageIn, this, &IMSession::onMessageIn);
    QObject::connect(m_client, &IMClient::OnPITrail, this, &IMSession::onPITrail);
}

void IMSession::wireTree()
{
    QObject::connect(tree(), &FriendTree::openRequested, this, [this](QTreeWidgetItem* node) {
        if (m_chat && FriendTree::isFriend(node))
            m_chat->openFromFriend(FriendTree::entryOf(node));
    });
    QObject::connect(tree(), &FriendTree::renameRequested, this, &IMSession::renameFriend);
    QObject::connect(tree(), &FriendTree::deleteRequested, this, &IMSession::deleteFriend);
}

void IMSession::signIn()
{
    const Account s = account();
    if (!InternetCheck::canReach(s.hostName))
        return;
    m_host->setConnectionText(QString(), Qt::black);
    m_panel->statusLabel()->setText(QStringLiteral("正在登录..."));
    try {
        m_client->setIMServer(s.hostName);
        m_client->setIMPort(s.serverPort);
        m_client->setResource(QString::fromLatin1(Resource));
        m_client->setAuthMethods(QStringLiteral("*"));
        m_client->setTimeout(5000);
        m_client->connectToServer(s.loginIdentity, s.password);
        m_connecting = true;
    } catch (const std::exception&) {
        showConnectFailed();
    }
}

void IMSession::showConnectFailed()
{
    m_host->setConnectionText(QStringLiteral("连接服务器失败"), Qt::red);
}

void IMSession::onConnected(int statusCode, const QString&)
{
    if (statusCode != 0)
        return;
    m_connecting = false;
    try {
        m_host->writeMainSettings();
        m_host->startProfileFetch();
        m_panel->statusLabel()->setText(QStringLiteral("正在获取联系人..."));
        m_host->setConnectionText(QStringLiteral("已连接"), Qt::black);
        tree()->setVisible(true);
        tree()->ensureGroups({kFriendsGroup, kUnionGroup});
        m_host->setMenuEnabled(IMSessionHost::MenuAddFriend, true);
    } catch (const std::exception&) {
    }
}

void IMSession::onDisconnected(int, const QString&)
{
    // The connection is made in the background, so a refused connection or log-in ends
    // here rather than in signIn: it is a failed sign-in all the same.
    const bool neverConnected = m_connecting;
    m_connecting = false;
    cleanUp();
    if (neverConnected)
        showConnectFailed();
}

void IMSession::onSync()
{
    try {
        if (tree()->topLevelItemCount() > 0)
            rebuildFriends();
    } catch (const std::exception&) {
    }
    m_host->startAdvertisementFetch();
}

void IMSession::rebuildFriends()
{
    tree()->removeFriendNodes();
    const QString self = account().loginIdentity;
    const int count = m_client->contactCount();
    for (int i = 0; i < count; ++i) {
        const QString jid = m_client->contactId(i);
        if (jid == self || tree()->findFriend(jid))
            continue;
        FriendEntry entry;
        entry.jid = jid;
        entry.displayName = m_client->contactRealName(i);
        if (entry.displayName.isEmpty())
            entry.displayName = userPartOf(jid);
        tree()->addFriend(entry);
    }
}

void IMSession::onPresence(const QString& user, const QString& domain, const QString&,
                           int availability, const QString&)
{
    const QString jid = user + QLatin1Char('@') + domain;
    QTreeWidgetItem* node = tree()->findFriend(jid);
    if (!node || availability < 0 || availability > 4)
        return;
    const bool present = availability != 0;
    tree()->setFriendOffline(node, !present);
    if (m_chat)
        m_chat->peerPresenceChanged(jid, node->text(0), present);
}

void IMSession::showStatus(const QString& company)
{
    const bool connected = m_client->connected();
    QString text;
    if (connected) {
        text = company + QStringLiteral("(联机)");
        m_host->setTrayHint(text);
        m_host->setConnectionText(QStringLiteral("联机"), Qt::black);
        m_host->setMenuEnabled(IMSessionHost::MenuLogOff, true);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogOff, true);
        m_host->setMenuEnabled(IMSessionHost::MenuLogIn, false);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogIn, false);
    } else {
        text = company + QStringLiteral("(断开)");
        m_host->setTrayHint(m_host->applicationTitle());
        m_host->setConnectionText(QStringLiteral("断开"), Qt::black);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogOff, false);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogIn, true);
    }
    m_panel->showStatus(text, company);
    m_host->setEndDateText(Gbk::truncateToBytes(
        QStringLiteral("有效期:") + session().profile.endate, kEndDateMaxBytes));
}

void IMSession::cleanUp()
{
    if (m_cleaningUp)
        return;
    m_cleaningUp = true;
    try {
        // Also stops a connection still being made, so it cannot come up after the clean up.
        const bool connecting = m_connecting;
        m_connecting = false;
        if (m_client->connected() || connecting)
            m_client->disconnectFromServer();
    } catch (const std::exception&) {
    }
    if (m_chat)
        m_chat->clearPending();
    tree()->setVisible(false);
    m_host->setMenuEnabled(IMSessionHost::MenuLogOff, false);
    m_host->setMenuEnabled(IMSessionHost::MenuLogIn, true);
    m_host->setMenuEnabled(IMSessionHost::MenuAddFriend, false);
    if (m_chat)
        m_chat->closeAll();
    showStatus(session().profile.company);
    tree()->clear();
    m_cleaningUp = false;
}

void IMSession::logOffAndLogIn()
{
    cleanUp();
    if (m_host->runLoginAgain())
        signIn();
}

void IMSession::renameFriend(QTreeWidgetItem* node)
{
    if (!FriendTree::isFriend(node))
        return;
    // The box runs its own event loop: a roster sync or a disconnection may replace the
    // tree meanwhile, so the friend is looked up again afterwards.
    const QString jid = FriendTree::entryOf(node).jid;
    QString name;
    if (!m_inputBox(QStringLiteral("修改名称"), QStringLiteral("请输入新的名称"), &name) ||
        name.isEmpty())
        return;
    node = tree()->findFriend(jid);
    if (!node)
        return;
    try {
        m_client->sendCommand(RosterStanza::rename(jid, name, RosterStanza::nextId()));
        tree()->renameFriend(node, name);
    } catch (const std::exception&) {
    }
}

void IMSession::deleteFriend(QTreeWidgetItem* node)
{
    if (!FriendTree::isFriend(node))
        return;
    const QString jid = FriendTree::entryOf(node).jid;
    const QString question = QStringLiteral("确定要删除:") + node->text(0) + QStringLiteral(" 吗?");
    if (!MessageBoxes::question(m_panel, MessageBoxes::captionConfirm(), question))
        return;
    node = tree()->findFriend(jid); // see renameFriend
    if (!node)
        return;
    try {
        m_client->removeContact(jid, QString(), QString());
        delete node;
    } catch (const std::exception&) {
    }
}

void IMSession::addFriend(const QString& user, const QString& name)
{
    if (user.isEmpty())
        return;
    const Account me = account();
    const QString jid = user + QLatin1Char('@') + me.hostName;
    if (jid == me.loginIdentity)
        return;
    try {
        m_client->addContact(jid, name, QString());
        m_client->subscribeTo(jid);
    } catch (const std::exception&) {
        return;
    }
    MessageBoxes::information(m_panel, MessageBoxes::captionInfo(),
                              QStringLiteral("已向 ") + user +
                                  QStringLiteral(" 发送请求，请等待对方确认"));
    // A friend already in the tree keeps its one node.
    if (tree()->findFriend(jid))
        return;
    FriendEntry entry;
    entry.jid = jid;
    entry.displayName = user;
    tree()->addFriend(entry);
}

void IMSession::onSubscriptionRequest(const QString& from, const QString&, bool* accept)
{
    const bool accepted = m_auditDialog(from);
    if (accept)
        *accept = accepted;
}

void IMSession::onMessageIn(const QString&, const QString& from, const QString& domain,
                            const QString& resource, int messageType, const QString&,
                            const QString&, const QString& messageText, const QString&,
                            const QString&)
{
    const bool fromOurClient = domain == account().hostName && resource == QLatin1String(Resource);
    const bool chatType =
        messageType == IMClient::MessageChat || messageType == IMClient::MessageGroupChat;
    if (fromOurClient && chatType && m_chat)
        m_chat->receive(from, domain, messageText);
}

void IMSession::onPITrail(int, const QString& pi)
{
    if (!m_broadcasts)
        return;
    try {
        const Account me = account();
        m_broadcasts->setAccount(me.hostName, me.loginIdentity);
        m_broadcasts->handleTrail(pi);
    } catch (const std::exception&) {
    }
}

std::optional<FriendEntry> IMSession::friendByJid(const QString& jid) const
{
    QTreeWidgetItem* node = tree()->findFriend(jid);
    if (!node)
        return std::nullopt;
    return FriendTree::entryOf(node);
}
