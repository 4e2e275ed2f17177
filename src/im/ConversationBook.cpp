#include "im/ConversationBook.h"

#include "im/ChatConversation.h"
#include "im/ChatHistory.h"
#include "im/ChatText.h"
#include "im/ConversationKey.h"
#include "im/ConversationView.h"
#include "im/IMClient.h"
#include "im/ImLog.h"

#include <algorithm>
#include <exception>

namespace {

QString userPartOf(const QString& jid)
{
    return jid.section(QLatin1Char('@'), 0, 0);
}

// The input box gives line feeds; peers break lines at carriage returns, so a line break
// travels as CR LF.
QString wireText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

const QString kCardPath = QStringLiteral("/index.php/User/getUserCard/id/");

} // namespace

ConversationBook::ConversationBook(ConversationServices services) : m_services(std::move(services))
{}

ConversationBook::~ConversationBook() = default;

QDateTime ConversationBook::now() const
{
    return m_services.now ? m_services.now() : QDateTime::currentDateTime();
}

ChatConversation* ConversationBook::find(const ConversationKey& key, bool create)
{
    if (!key.isValid())
        return nullptr;
    for (const auto& conversation : m_conversations) {
        if (conversation->key.matches(key))
            return conversation.get();
    }
    if (!create)
        return nullptr;
    m_conversations.push_back(std::make_unique<ChatConversation>());
    ChatConversation* conversation = m_conversations.back().get();
    conversation->key = key;
    if (m_services.createView)
        conversation->view = m_services.createView(conversation);
    showHistory(conversation);
    return conversation;
}

QList<ChatConversation*> ConversationBook::conversations() const
{
    QList<ChatConversation*> list;
    for (const auto& conversation : m_conversations)
        list.append(conversation.get());
    return list;
}

QString ConversationBook::displayNameOf(const QString& jid, const QString& fallback) const
{
    if (m_services.findFriend) {
        if (const std::optional<FriendEntry> entry = m_services.findFriend(jid))
            return entry->displayName;
    }
    return fallback;
}

void ConversationBook::receive(const QString& from, const QString& domain, const QString& text)
{
    receiveMessage(IncomingChat{from, domain, text, QDateTime()});
}

void ConversationBook::receiveMessage(const IncomingChat& message)
{
    const QString& from = message.from;
    const QString& text = message.text;
    // A message the server kept while this user was away carries the time it was sent.
    const QDateTime time = message.sentAt.isValid() ? message.sentAt.toLocalTime() : now();
    const QString peer = from + QLatin1Char('@') + message.domain;
    ChatConversation* conversation =
        find(ConversationKey::of(m_services.loginIdentity(), peer), true);
    if (!conversation)
        return;
    const QString name = displayNameOf(peer, from);
    // Stored as it arrives: a held message is not lost when the session ends before the
    // user opens its window.
    store(conversation, name, text, time);
    if (conversation->opened) {
        if (conversation->view)
            conversation->view->appendHtml(ChatText::renderLine(name, text, time));
        return;
    }
    conversation->heldMessage = text;
    conversation->heldSentAt = message.sentAt;
    if (conversation->view && !conversation->view->isShown()) {
        conversation->opened = true;
        m_pending.append(conversation);
        if (m_services.setPending)
            m_services.setPending(true);
    }
}

void ConversationBook::openFromFriend(const FriendEntry& friendEntry)
{
    ChatConversation* conversation =
        find(ConversationKey::of(m_services.loginIdentity(), friendEntry.jid), true);
    if (!conversation)
        return;
    showCard(conversation, userPartOf(friendEntry.jid));
    conversation->friendJid = friendEntry.jid;
    openSteps(conversation);
}

void ConversationBook::openWithUser(const QString& user)
{
    const QString name = user.trimmed();
    if (name.isEmpty())
        return;
    const QString login = m_services.loginIdentity();
    const QString jid = name + QLatin1Char('@') + m_services.hostName();
    // The server ignores letter case in user names: "LiNa" is oneself too.
    if (jid.compare(login, Qt::CaseInsensitive) == 0) {
        if (m_services.inform)
            m_services.inform(QStringLiteral("不能与自已对话! "));
        return;
    }
    if (name == QLatin1String("-1")) {
        if (m_services.openCustomerService)
            m_services.openCustomerService();
        return;
    }
    ChatConversation* conversation = find(ConversationKey::of(login, jid), true);
    if (!conversation)
        return;
    showCard(conversation, name);
    conversation->friendJid.clear();
    openSteps(conversation);
}

void ConversationBook::openOldestPending()
{
    if (m_pending.isEmpty())
        return;
    ChatConversation* conversation = m_pending.first();
    if (conversation->view)
        conversation->view->bringToForeground();
    openSteps(conversation);
    const QString peer = conversation->peerJid();
    if (peer.contains(QLatin1Char('@')))
        showCard(conversation, userPartOf(peer));
}

void ConversationBook::openSteps(ChatConversation* conversation)
{
    removePending(conversation);
    conversation->opened = true;
    if (conversation->view)
        conversation->view->present();
    if (!conversation->heldMessage.isEmpty()) {
        const QString name = displayNameOf(conversation->peerJid(), ChatText::unknownPeerName());
        const QString held = conversation->heldMessage;
        const QDateTime heldSentAt = conversation->heldSentAt;
        conversation->heldMessage.clear();
        conversation->heldSentAt = QDateTime();
        // Stored when it arrived.
        if (conversation->view)
            conversation->view->appendHtml(ChatText::renderLine(
                name, held, heldSentAt.isValid() ? heldSentAt.toLocalTime() : now()));
    }
}

void ConversationBook::removePending(ChatConversation* conversation)
{
    m_pending.removeAll(conversation);
    if (m_pending.isEmpty() && m_services.setPending)
        m_services.setPending(false);
}

void ConversationBook::showCard(ChatConversation* conversation, const QString& user)
{
    if (conversation->view && m_services.siteAddress)
        conversation->view->showCard(QUrl(m_services.siteAddress() + kCardPath + user));
}

void ConversationBook::peerPresenceChanged(const QString& peerJid, const QString& displayName,
                                           bool present)
{
    ChatConversation* conversation =
        find(ConversationKey::of(m_services.loginIdentity(), peerJid), false);
    if (!conversation || !conversation->opened || !conversation->view)
        return;
    if (present)
        conversation->view->showPeerPresent(displayName);
    else
        conversation->view->showPeerOffline(displayName);
}

void ConversationBook::clearPending()
{
    m_pending.clear();
    if (m_services.setPending)
        m_services.setPending(false);
}

void ConversationBook::closeAll()
{
    const QList<ChatConversation*> all = conversations();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        ChatConversation* conversation = *it;
        if (conversation->view)
            conversation->view->closeConversation();
        // A view that did not report its closing is let go here; the pointer is only compared.
        const bool stillThere =
            std::any_of(m_conversations.cbegin(), m_conversations.cend(),
                        [conversation](const auto& kept) { return kept.get() == conversation; });
        if (stillThere)
            viewClosed(conversation);
    }
}

void ConversationBook::viewClosed(ChatConversation* conversation)
{
    if (m_pending.removeAll(conversation) > 0 && m_pending.isEmpty() && m_services.setPending)
        m_services.setPending(false);
    const auto it =
        std::find_if(m_conversations.begin(), m_conversations.end(),
                     [conversation](const auto& kept) { return kept.get() == conversation; });
    if (it != m_conversations.end())
        m_conversations.erase(it);
}

void ConversationBook::send(ChatConversation* conversation, const QString& input)
{
    const QString text = wireText(input.trimmed());
    renderLine(conversation, m_services.loginIdentity(), text);
    try {
        if (m_services.client)
            m_services.client->sendMessage(conversation->peerJid(), IMClient::MessageChat, text);
    } catch (const std::exception& e) {
        // The line is shown already; the user sees no failure, as before.
        qCWarning(lcIm) << "sending a chat message to" << conversation->peerJid()
                        << "failed:" << e.what();
    }
}

void ConversationBook::renderLine(ChatConversation* conversation, const QString& name,
                                  const QString& text)
{
    store(conversation, name, text, now());
    if (conversation->view)
        conversation->view->appendHtml(ChatText::renderLine(name, text, now()));
}

ConversationBook::Title ConversationBook::titleOf(const ChatConversation* conversation) const
{
    Title title;
    std::optional<FriendEntry> entry;
    if (m_services.findFriend) {
        if (!conversation->friendJid.isEmpty())
            entry = m_services.findFriend(conversation->friendJid);
        if (!entry)
            entry = m_services.findFriend(conversation->peerJid());
    }
    if (entry) {
        title.caption = ChatText::title(entry->displayName);
        title.friendName = entry->displayName;
        title.friendOffline = entry->offline != 0;
    } else {
        title.caption = ChatText::title(ChatText::unknownPeerName());
    }
    return title;
}

void ConversationBook::showHistory(ChatConversation* conversation)
{
    if (!m_services.history)
        return;
    const QVector<ChatLine> lines =
        m_services.history->last(m_services.loginIdentity(), conversation->peerJid(), HistoryLines);
    checkHistory();
    if (!lines.isEmpty() && conversation->view)
        conversation->view->appendHtml(ChatText::historyBlock(lines));
}

void ConversationBook::store(const ChatConversation* conversation, const QString& name,
                             const QString& text, const QDateTime& time)
{
    if (!m_services.history)
        return;
    m_services.history->append(m_services.loginIdentity(), conversation->peerJid(),
                               ChatLine{name, text, time});
    checkHistory();
}

void ConversationBook::checkHistory()
{
    if (m_historyReported || !m_services.history || m_services.history->available())
        return;
    m_historyReported = true;
    if (m_services.historyUnavailable)
        m_services.historyUnavailable(m_services.history->error());
}
