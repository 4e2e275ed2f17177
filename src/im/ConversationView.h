#pragma once

#include <QString>
#include <QUrl>

// A conversation on screen, as the conversation book drives it. The chat window implements it.
class ConversationView
{
public:
    virtual ~ConversationView() = default;

    // The document's body content grows by the markup; the view scrolls to its end and the
    // window's task-bar button flashes once when it is shown, opened and not in front.
    virtual void appendHtml(const QString& html) = 0;
    virtual bool isShown() const = 0;
    // Shown, restored when minimised, given the focus.
    virtual void present() = 0;
    // Shown, restored and brought to the foreground (opening from the tray).
    virtual void bringToForeground() = 0;
    // The peer's business card page.
    virtual void showCard(const QUrl& address) = 0;
    // The header: the plain name, or the offline warning.
    virtual void showPeerPresent(const QString& name) = 0;
    virtual void showPeerOffline(const QString& name) = 0;
    // Closes and frees the window; it reports the closing to the book like a user's close.
    virtual void closeConversation() = 0;
};
