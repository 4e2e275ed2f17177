#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QWebEngineView;

// A small top-level window holding one web view, for the exchange's pages shown inside the
// program (customer service, map, calendar, find friends). Member links on its pages become
// friend requests; the window then closes. Closing frees it.
class TfrmNewBrowser : public QWidget
{
    Q_OBJECT
public:
    using FriendRequest = std::function<void(const QString& login, const QString& displayName)>;

    explicit TfrmNewBrowser(QWidget* owner = nullptr);
    ~TfrmNewBrowser() override;

    // Loads the page, sets the client size and caption, centres on the owner and shows.
    void openPage(const QUrl& url, const QSize& clientSize, const QString& caption);
    QUrl address() const;
    QWebEngineView* webView() const { return m_view; }

    // The latest browser window, cleared when it closes.
    static TfrmNewBrowser* tracked();
    // The customer-service command reuses the tracked window; everyone else makes a new one.
    static TfrmNewBrowser* trackedOrNew(QWidget* owner);

    // Where member links go (the messaging session's add friend).
    static void setFriendRequestHandler(FriendRequest handler);
    // What a member link does: the friend request (when it names a login), then close.
    // Returns whether the address was a member link.
    bool handleNavigation(const QUrl& url);

private:
    QWebEngineView* m_view;
    QPointer<QWidget> m_owner;
};
