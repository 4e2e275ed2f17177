#pragma once

#include "im/ChatConversation.h"
#include "im/ConversationBook.h"
#include "im/ConversationView.h"

#include <QStringList>
#include <QUrl>

// A conversation view that records what the book does to it: the markup appended, whether it
// is shown, the card and header, and its closing (reported back to the book like a window's).
class RecordingConversationView : public ConversationView
{
public:
    RecordingConversationView(ConversationBook* book, ChatConversation* conversation,
                              QStringList* closings)
        : m_book(book), m_conversation(conversation), m_closings(closings)
    {}

    void appendHtml(const QString& html) override { content += html; }
    bool isShown() const override { return shown; }
    void present() override
    {
        shown = true;
        ++presented;
    }
    void bringToForeground() override
    {
        shown = true;
        ++broughtForward;
    }
    void showCard(const QUrl& address) override { card = address; }
    void showPeerPresent(const QString& name) override { header = name; }
    void showPeerOffline(const QString& name) override { header = "offline:" + name; }
    void closeConversation() override
    {
        *m_closings << m_conversation->peerJid();
        m_book->viewClosed(m_conversation);
        delete this;
    }

    QString content;
    bool shown = false;
    int presented = 0;
    int broughtForward = 0;
    QUrl card;
    QString header;

private:
    ConversationBook* m_book;
    ChatConversation* m_conversation;
    QStringList* m_closings;
};
