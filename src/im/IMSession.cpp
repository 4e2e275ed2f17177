#include "im/IMSession.h"

#include "app/SessionState.h"
#include "core/Gbk.h"
#include "im/BroadcastHandler.h"
#include "im/ChatWindows.h"
#include "im/IMClient.h"
#include "im/IMSessionHost.h"
#include "im/ImLog.h"
#include "im/InternetCheck.h"
#include "im/ReconnectScheduler.h"
#include "im/RosterStanza.h"
#include "im/SessionDialogs.h"
#include "im/SubscriptionQueue.h"
#include "im/TrailPacer.h"
#include "service/ShellState.h"

#include <exception>

const char* const IMSession::Resource = "haulway";
const char* const IMSession::ReconnectingText = "正在重新连接…";

namespace {

const QString kFriendsGroup = QStringLiteral("我的好友");
const QString kUnionGroup = QStringLiteral("货运联盟");
constexpr int kEndDateMaxBytes = 39;

QString userPartOf(const QString& jid)
{
    return jid.section(QLatin1Char('@'), 0, 0);
}

} // namespace

IMSession::IMSession(IMClient* client, IMSessionHost* host, SessionDialogs* dialogs,
                     QObject* parent)
    : QObject(parent), m_client(client), m_host(host), m_dialogs(dialogs),
      m_subscriptions(new SubscriptionQueue(
          dialogs, [this](const QString& jid, bool accept) { sendSubscriptionAnswer(jid, accept); },
          this)),
      m_trail(new TrailPacer([this](const QString& unit) { handleTrailUnit(unit); }, this))
{
    m_accountSource = [] {
        const SessionState& s = session();
        return Account{s.loginIdentity, s.password, s.HostName, s.ServerPort};
    };
    // The main window, the detail windows and the chat windows read the identity there.
    m_storeIdentity = [](const QString& identity) { session().setLoginIdentity(identity); };
    shellState().setConnectedProbe([client] { return client->connected(); });
    wireClient();
}

void IMSession::setAccountSource(AccountSource source)
{
    m_accountSource = std::move(source);
    m_storeIdentity = nullptr;
}

IMSession::Account IMSession::account() const
{
    Account account = m_accountSource();
    if (!m_boundIdentity.isEmpty())
        account.loginIdentity = m_boundIdentity;
    return account;
}

void IMSession::adoptBoundIdentity()
{
    const QString bound = m_client->boundJid().section(QLatin1Char('/'), 0, 0);
    if (bound.isEmpty()) {
        qCDebug(lcIm) << "No bound JID reported; keeping the login identity";
        return;
    }
    m_boundIdentity = bound;
    if (m_storeIdentity)
        m_storeIdentity(bound);
}

void IMSession::wireClient()
{
    QObject::connect(m_client, &IMClient::OnConnected, this, &IMSession::onConnected);
    QObject::connect(m_client, &IMClient::OnDisconnected, this, &IMSession::onDisconnected);
    QObject::connect(m_client, &IMClient::OnSync, this, &IMSession::onSync);
    QObject::connect(m_client, &IMClient::OnPresence, this, &IMSession::onPresence);
    QObject::connect(m_client, &IMClient::OnSubscriptionRequest, this,
                     &IMSession::onSubscriptionRequest);
    QObject::connect(m_client, &IMClient::OnMessageIn, this, &IMSession::onMessageIn);
    QObject::connect(m_client, &IMClient::OnPITrail, this, &IMSession::onPITrail);
}

void IMSession::setReconnection(ReconnectScheduler* scheduler)
{
    if (m_reconnect)
        QObject::disconnect(m_reconnect, nullptr, this, nullptr);
    m_reconnect = scheduler;
    if (m_reconnect)
        QObject::connect(m_reconnect, &ReconnectScheduler::attemptDue, this,
                         &IMSession::reconnectNow);
}

void IMSession::signIn()
{
    m_reconnecting = false;
    if (m_reconnect)
        m_reconnect->cancel();
    m_boundIdentity.clear(); // a new login may name another user
    startSignIn();
}

void IMSession::reconnectNow()
{
    if (m_connecting || m_client->connected())
        return;
    // The same user again: the identity the server bound last time stays.
    m_reconnecting = true;
    if (!startSignIn()) {
        m_reconnecting = false;
        if (m_reconnect)
            m_reconnect->attemptFailed();
    }
}

bool IMSession::startSignIn()
{
    const Account s = account();
    if (!InternetCheck::canReach(s.hostName))
        return false;
    m_host->setConnectionText(QString(), IMSessionHost::Normal);
    showProgress(QStringLiteral("正在登录..."));
    try {
        m_client->setIMServer(s.hostName);
        m_client->setIMPort(s.serverPort);
        m_client->setResource(QString::fromLatin1(Resource));
        m_client->setAuthMethods(QStringLiteral("*"));
        m_client->setTimeout(5000);
        m_client->connectToServer(s.loginIdentity, s.password);
        m_connecting = true;
        return true;
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Signing in failed:" << e.what();
        if (!m_reconnecting)
            showConnectFailed();
    }
    return false;
}

void IMSession::showConnectFailed()
{
    m_host->setConnectionText(QStringLiteral("连接服务器失败"), IMSessionHost::Failure);
}

void IMSession::onConnected(int statusCode, const QString&)
{
    if (statusCode != 0)
        return;
    m_connecting = false;
    m_resumed = m_reconnecting;
    m_reconnecting = false;
    if (m_reconnect)
        m_reconnect->connected();
    try {
        // First: every step below and every later event compares with the identity.
        adoptBoundIdentity();
        m_host->writeMainSettings();
        m_host->startProfileFetch();
        showProgress(QStringLiteral("正在获取联系人..."));
        m_host->setConnectionText(QStringLiteral("已连接"), IMSessionHost::Normal);
        setFriendListShown(true);
        for (const QString& group : m_roster.ensureGroups({kFriendsGroup, kUnionGroup}))
            Q_EMIT groupAdded(group);
        m_host->setMenuEnabled(IMSessionHost::MenuAddFriend, true);
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Setting up the connected session failed:" << e.what();
    }
}

void IMSession::onDisconnected(int statusCode, const QString& description)
{
    // Our own disconnection while cleaning up (a log-off) comes back here: nothing to add.
    const bool intended = m_cleaningUp;
    // The connection is made in the background, so a refused connection or log-in ends
    // here rather than in signIn: it is a failed sign-in all the same.
    const bool neverConnected = m_connecting;
    const bool attempt = m_reconnecting;
    m_connecting = false;
    m_reconnecting = false;
    cleanUp();
    if (intended)
        return;
    // A refused password stays refused, and a conflict means the account signed in
    // elsewhere: trying again would only throw that other log-in out.
    const bool final =
        statusCode == IMClient::DisconnectRefused || statusCode == IMClient::DisconnectConflict;
    if (m_reconnect && !final && (attempt || !neverConnected)) {
        qCInfo(lcIm) << "Connection lost:" << description;
        m_host->setConnectionText(QString::fromUtf8(ReconnectingText), IMSessionHost::Normal);
        if (attempt && m_reconnect->active())
            m_reconnect->attemptFailed();
        else
            m_reconnect->connectionLost();
        return;
    }
    if (m_reconnect)
        m_reconnect->cancel();
    if (neverConnected)
        showConnectFailed();
}

void IMSession::onSync()
{
    try {
        if (m_roster.hasGroups())
            rebuildFriends();
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Reading the roster failed:" << e.what();
    }
    m_host->startAdvertisementFetch();
}

void IMSession::rebuildFriends()
{
    m_roster.clearFriends();
    Q_EMIT friendsCleared();
    const QString self = account().loginIdentity;
    const int count = m_client->contactCount();
    for (int i = 0; i < count; ++i) {
        const QString jid = m_client->contactId(i);
        if (jid == self)
            continue;
        FriendEntry entry;
        entry.jid = jid;
        entry.displayName = m_client->contactRealName(i);
        if (entry.displayName.isEmpty())
            entry.displayName = userPartOf(jid);
        addToRoster(entry);
    }
}

void IMSession::onPresence(const QString& user, const QString& domain, const QString&,
                           int availability, const QString&)
{
    const QString jid = user + QLatin1Char('@') + domain;
    FriendEntry* entry = m_roster.find(jid);
    if (!entry || availability < 0 || availability > 4)
        return;
    const bool present = availability != 0;
    entry->offline = present ? 0 : 1;
    const FriendEntry changed = *entry;
    Q_EMIT friendChanged(changed);
    if (m_chat)
        m_chat->peerPresenceChanged(jid, changed.displayName, present);
}

void IMSession::showStatus(const QString& company)
{
    const bool connected = m_client->connected();
    QString text;
    if (connected) {
        text = company + QStringLiteral("(联机)");
        m_host->setTrayHint(text);
        m_host->setConnectionText(QStringLiteral("联机"), IMSessionHost::Normal);
        m_host->setMenuEnabled(IMSessionHost::MenuLogOff, true);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogOff, true);
        m_host->setMenuEnabled(IMSessionHost::MenuLogIn, false);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogIn, false);
    } else {
        text = company + QStringLiteral("(断开)");
        m_host->setTrayHint(m_host->applicationTitle());
        m_host->setConnectionText(QStringLiteral("断开"), IMSessionHost::Normal);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogOff, false);
        m_host->setMenuEnabled(IMSessionHost::MenuAccountLogIn, true);
    }
    setStatus(SessionStatus{text, company, true});
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
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Disconnecting failed:" << e.what();
    }
    m_subscriptions->connectionLost();
    if (m_chat)
        m_chat->clearPending();
    setFriendListShown(false);
    m_host->setMenuEnabled(IMSessionHost::MenuLogOff, false);
    m_host->setMenuEnabled(IMSessionHost::MenuLogIn, true);
    m_host->setMenuEnabled(IMSessionHost::MenuAddFriend, false);
    if (m_chat)
        m_chat->closeAll();
    showStatus(session().profile.company);
    clearRoster();
    m_cleaningUp = false;
}

void IMSession::logOffAndLogIn()
{
    // The user's own log-in ends any wait to reconnect.
    m_reconnecting = false;
    if (m_reconnect)
        m_reconnect->cancel();
    cleanUp();
    if (m_host->runLoginAgain())
        signIn();
}

void IMSession::openConversation(const QString& jid)
{
    if (!m_chat)
        return;
    if (const FriendEntry* entry = m_roster.find(jid))
        m_chat->openFromFriend(*entry);
}

void IMSession::renameFriend(const QString& jid)
{
    if (!m_roster.find(jid))
        return;
    QString name;
    if (!m_dialogs->askNewName(QStringLiteral("修改名称"), QStringLiteral("请输入新的名称"),
                               &name) ||
        name.isEmpty())
        return;
    // The box runs its own event loop: a roster sync or a disconnection may have changed the
    // roster meanwhile, so the friend is looked up again.
    if (!m_roster.find(jid))
        return;
    try {
        m_client->sendCommand(RosterStanza::rename(jid, name, RosterStanza::nextId()));
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Renaming a friend failed:" << e.what();
        return;
    }
    if (FriendEntry* entry = m_roster.find(jid)) {
        entry->displayName = name;
        Q_EMIT friendChanged(*entry);
    }
}

void IMSession::deleteFriend(const QString& jid)
{
    const FriendEntry* entry = m_roster.find(jid);
    if (!entry)
        return;
    const QString question =
        QStringLiteral("确定要删除:") + entry->displayName + QStringLiteral(" 吗?");
    if (!m_dialogs->confirm(question))
        return;
    if (!m_roster.find(jid)) // see renameFriend
        return;
    try {
        m_client->removeContact(jid, QString(), QString());
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Deleting a friend failed:" << e.what();
        return;
    }
    if (m_roster.remove(jid))
        Q_EMIT friendRemoved(jid);
}

void IMSession::addFriend(const QString& user, const QString& name)
{
    if (user.isEmpty())
        return;
    const Account me = account();
    const QString jid = user + QLatin1Char('@') + me.hostName;
    // The server ignores letter case in user names: "LiNa" is oneself too.
    if (jid.compare(me.loginIdentity, Qt::CaseInsensitive) == 0)
        return;
    try {
        m_client->addContact(jid, name, QString());
        m_client->subscribeTo(jid);
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Asking to add a friend failed:" << e.what();
        return;
    }
    m_dialogs->inform(QStringLiteral("已向 ") + user + QStringLiteral(" 发送请求，请等待对方确认"));
    // A friend already in the roster stays as it is.
    FriendEntry entry;
    entry.jid = jid;
    entry.displayName = user;
    addToRoster(entry);
}

void IMSession::onSubscriptionRequest(const QString& from, const QString& domain)
{
    m_subscriptions->add(from + QLatin1Char('@') + domain, from);
}

void IMSession::sendSubscriptionAnswer(const QString& jid, bool accept)
{
    if (!m_client->connected()) {
        qCWarning(lcIm) << "Dropping the answer to the friend request of" << jid
                        << "- not connected";
        return;
    }
    try {
        m_client->answerSubscription(jid, accept);
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Answering a friend request failed:" << e.what();
    }
}

void IMSession::onMessageIn(const QString&, const QString& from, const QString& domain,
                            const QString& resource, int messageType, const QString&,
                            const QString&, const QString& messageText, const QString&,
                            const QString&, const QDateTime& sentAt)
{
    const bool fromOurClient = domain == account().hostName && resource == QLatin1String(Resource);
    const bool chatType =
        messageType == IMClient::MessageChat || messageType == IMClient::MessageGroupChat;
    if (fromOurClient && chatType && m_chat)
        m_chat->receiveMessage(IncomingChat{from, domain, messageText, sentAt});
}

void IMSession::onPITrail(int, const QString& pi)
{
    if (m_broadcasts)
        m_trail->feed(pi);
}

void IMSession::handleTrailUnit(const QString& pi)
{
    if (!m_broadcasts)
        return;
    try {
        const Account me = account();
        m_broadcasts->setAccount(me.hostName, me.loginIdentity);
        m_broadcasts->handleTrail(pi);
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Handling a protocol unit failed:" << e.what();
    }
}

std::optional<FriendEntry> IMSession::friendByJid(const QString& jid) const
{
    if (const FriendEntry* entry = m_roster.find(jid))
        return *entry;
    return std::nullopt;
}

void IMSession::showProgress(const QString& text)
{
    setStatus(SessionStatus{text, QString(), false});
}

void IMSession::setStatus(const SessionStatus& status)
{
    m_status = status;
    Q_EMIT statusChanged(m_status);
}

void IMSession::setFriendListShown(bool shown)
{
    if (m_friendListShown == shown)
        return;
    m_friendListShown = shown;
    Q_EMIT friendListShownChanged(shown);
}

void IMSession::addToRoster(const FriendEntry& entry)
{
    if (m_roster.add(entry))
        Q_EMIT friendAdded(entry);
}

void IMSession::clearRoster()
{
    m_roster.clear();
    Q_EMIT rosterCleared();
}
