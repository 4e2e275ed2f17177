#include "ui/im/ChatLinkPage.h"

#include "ui/common/UiLog.h"

namespace {

// Stands in for the window a link asks for and goes as soon as it knows the address.
class LinkCatcher : public QWebEnginePage
{
public:
    LinkCatcher(std::function<void(const QUrl&)> open, QObject* parent)
        : QWebEnginePage(parent), m_open(std::move(open))
    {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        m_open(url);
        deleteLater();
        return false;
    }

private:
    std::function<void(const QUrl&)> m_open;
};

} // namespace

ChatLinkPage::ChatLinkPage(Opener opener, QObject* parent)
    : QWebEnginePage(parent), m_opener(std::move(opener))
{}

bool ChatLinkPage::isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool ChatLinkPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        open(url);
        return false;
    }
    // The document is written in place; anything else that would replace it is refused.
    return !isMainFrame || url.scheme() == QLatin1String("about") ||
           url.scheme() == QLatin1String("data");
}

QWebEnginePage* ChatLinkPage::createWindow(WebWindowType)
{
    return new LinkCatcher([this](const QUrl& url) { open(url); }, this);
}

void ChatLinkPage::open(const QUrl& url)
{
    if (!isWebAddress(url)) {
        qCWarning(lcUi) << "a chat link that is no web address is not opened:" << url.scheme();
        return;
    }
    if (m_opener)
        m_opener(url);
}
