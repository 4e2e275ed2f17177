#pragma once

#include <QWebEnginePage>
#include <functional>

// The page of a conversation view. Links in chat lines open in the system browser; the
// conversation itself never navigates away, so no line on screen is lost by a click. Only
// web addresses are handed on.
class ChatLinkPage : public QWebEnginePage
{
    Q_OBJECT
public:
    using Opener = std::function<void(const QUrl&)>;

    explicit ChatLinkPage(Opener opener, QObject* parent = nullptr);

    static bool isWebAddress(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // Chat links carry target="_blank": the new window is a page that only hands its
    // address on.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void open(const QUrl& url);

    Opener m_opener;
};
