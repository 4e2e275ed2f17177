#include "client/ConversationWindows.h"

#include "app/SessionState.h"
#include "im/ChatConversation.h"
#include "im/ChatHistory.h"
#include "im/ChatText.h"
#include "im/ConversationBook.h"
#include "im/IMSession.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/TfrmChating.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainImHost.h"
#include "ui/main/TfrmMain.h"

ConversationWindows::ConversationWindows(const QString& historyPath)
    : m_historyPath(historyPath.isEmpty() ? ChatHistory::defaultPath() : historyPath)
{}

ConversationWindows::~ConversationWindows()
{
    detach();
}

void ConversationWindows::detach()
{
    if (!m_book)
        return;
    // The windows are top-level windows of their own; they go with the book.
    const QList<TfrmChating*> open = windows();
    if (m_session)
        m_session->setChatWindows(nullptr);
    for (auto it = open.crbegin(); it != open.crend(); ++it)
        delete *it;
    m_book.reset();
}

void ConversationWindows::attach(TfrmMain* mainWindow)
{
    QPointer<TfrmMain> window(mainWindow);
    Hooks hooks;
    hooks.centreOn = mainWindow;
    hooks.setPending = [window](bool pending) {
        if (window)
            window->setConversationsPending(pending);
    };
    hooks.openCustomerService = [window] {
        if (window)
            window->commands()->btnCSRClick();
    };
    attach(mainWindow->imHost()->imSession(), hooks);
}

void ConversationWindows::attach(IMSession* session, const Hooks& hooks)
{
    detach();
    if (!m_history)
        m_history = std::make_unique<ChatHistory>(m_historyPath);
    m_session = session;
    QPointer<QWidget> centreOn(hooks.centreOn);
    ConversationServices services;
    services.client = session->client();
    // The session may go before the book (with the main window): then there is no one.
    QPointer<IMSession> owner(session);
    services.loginIdentity = [owner] { return owner ? owner->account().loginIdentity : QString(); };
    services.hostName = [owner] { return owner ? owner->account().hostName : QString(); };
    services.siteAddress = [] { return ::session().siteAddress(); };
    services.findFriend = [owner](const QString& jid) -> std::optional<FriendEntry> {
        return owner ? owner->friendByJid(jid) : std::nullopt;
    };
    services.createView = [this, centreOn](ChatConversation* conversation) -> ConversationView* {
        // Each window starts in the mode read at login; the menu only writes the file.
        const auto mode = ChatText::sendsWithCtrlEnter(::session().sendKey)
                              ? TfrmChating::SendMode::CtrlEnter
                              : TfrmChating::SendMode::Enter;
        return new TfrmChating(m_book.get(), conversation, mode, centreOn);
    };
    services.setPending = hooks.setPending;
    services.openCustomerService = hooks.openCustomerService;
    services.inform = [centreOn](const QString& text) {
        MessageBoxes::information(centreOn, MessageBoxes::captionPromptInfo(), text);
    };
    services.historyUnavailable = [centreOn](const QString&) {
        MessageBoxes::warning(centreOn, MessageBoxes::captionPromptInfo(),
                              QStringLiteral("聊天记录无法打开，本次运行的对话将不被保存。"));
    };
    services.history = m_history.get();
    m_book = std::make_unique<ConversationBook>(services);
    session->setChatWindows(m_book.get());
}

void ConversationWindows::openConversation(const QString&, const QString& userName)
{
    if (m_book)
        m_book->openWithUser(userName);
}

bool ConversationWindows::hasPending() const
{
    return m_book && m_book->hasPending();
}

void ConversationWindows::openOldestPending()
{
    if (m_book)
        m_book->openOldestPending();
}

QList<TfrmChating*> ConversationWindows::windows() const
{
    QList<TfrmChating*> list;
    if (!m_book)
        return list;
    for (ChatConversation* conversation : m_book->conversations()) {
        if (auto* window = dynamic_cast<TfrmChating*>(conversation->view))
            list.append(window);
    }
    return list;
}
