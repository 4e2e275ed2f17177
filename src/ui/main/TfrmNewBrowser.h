#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

class WebSurface;

// A small top-level window holding one web view, for the exchange's pages shown inside the
// program (customer service, map, calendar, find friends). Member links on its pages become
// friend requests to the handler the window was made with; the window then closes. Closing
// frees it.
class TfrmNewBrowser : public QWidget
{
    Q_OBJECT
public:
    using FriendRequest = std::function<void(const QString& login, const QString& displayName)>;

    // friendRequest: where member links go (the messaging session's add friend); none
    // drops them.
    explicit TfrmNewBrowser(QWidget* owner = nullptr, FriendRequest friendRequest = {});
    ~TfrmNewBrowser() override;

    // Loads the page, sets the client size and caption, centres on the owner and shows.
    void openPage(const QUrl& url, const QSize& clientSize, const QString& caption);
    QUrl address() const;
    // The web view; nullptr without a web engine.
    QWidget* webView() const;

    // The latest browser window, cleared when it closes.
    static TfrmNewBrowser* tracked();
    // The customer-service command reuses the tracked window (with the handler it was made
    // with); everyone else makes a new one.
    static TfrmNewBrowser* trackedOrNew(QWidget* owner, FriendRequest friendRequest = {});
    // What a member link does: the friend request (when it names a login), then close.
    // Returns whether the address was a member link.
    bool handleNavigation(const QUrl& url);

private:
    WebSurface* m_view = nullptr;
    QUrl m_pendingAddress; // the address asked for, shown by address() without a web engine
    QPointer<QWidget> m_owner;
    FriendRequest m_friendRequest;
};
