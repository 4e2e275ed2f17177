#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class ChatHistory;
class ConversationBook;
class IMSession;
class QWidget;
class TfrmChating;
class TfrmMain;

// The conversations the composition root gives a session: the book with its history, chat
// windows made for it, the tray's blinking and the main window's customer-service page.
class ConversationWindows
{
public:
    // What the book reaches outside the session.
    struct Hooks
    {
        QWidget* centreOn = nullptr;               // chat windows are centred on it
        std::function<void(bool)> setPending;      // the tray icon blinks while true
        std::function<void()> openCustomerService; // the service desk "-1"
    };

    // historyPath: the history database; empty: data/chat-history.db beside the executable.
    explicit ConversationWindows(const QString& historyPath = QString());
    ~ConversationWindows();
    ConversationWindows(const ConversationWindows&) = delete;
    ConversationWindows& operator=(const ConversationWindows&) = delete;

    // The main window's session, tray and customer-service page.
    void attach(TfrmMain* mainWindow);
    // Any session (a second one in a test); earlier windows are closed.
    void attach(IMSession* session, const Hooks& hooks);

    // From a listing or a detail window.
    void openConversation(const QString& peerJid, const QString& userName);
    bool hasPending() const;
    void openOldestPending();

    ConversationBook* book() const { return m_book.get(); }
    // The chat windows open now, in creation order.
    QList<TfrmChating*> windows() const;

private:
    void detach();

    QString m_historyPath;
    std::unique_ptr<ChatHistory> m_history;
    std::unique_ptr<ConversationBook> m_book;
    QPointer<IMSession> m_session;
};
