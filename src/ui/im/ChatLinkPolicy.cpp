#include "ui/im/ChatLinkPolicy.h"

#include "ui/common/UiLog.h"

ChatLinkPolicy::ChatLinkPolicy(Opener opener) : m_opener(std::move(opener)) {}

bool ChatLinkPolicy::isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

WebSurface::Options ChatLinkPolicy::viewOptions(const QString& objectName) const
{
    WebSurface::Options options;
    options.objectName = objectName;
    options.noContextMenu = true;
    const ChatLinkPolicy policy = *this;
    options.acceptNavigation = [policy](const WebSurface::Navigation& navigation) {
        return policy.acceptNavigation(navigation);
    };
    options.newWindowRequested = [policy](const QUrl& url) { policy.open(url); };
    return options;
}

bool ChatLinkPolicy::acceptNavigation(const WebSurface::Navigation& navigation) const
{
    if (navigation.linkClicked) {
        open(navigation.url);
        return false;
    }
    // The document is written in place; anything else that would replace it is refused.
    const QString scheme = navigation.url.scheme();
    return !navigation.mainFrame || scheme == QLatin1String("about") ||
           scheme == QLatin1String("data");
}

void ChatLinkPolicy::open(const QUrl& url) const
{
    if (!isWebAddress(url)) {
        qCWarning(lcUi) << "a chat link that is no web address is not opened:" << url.scheme();
        return;
    }
    if (m_opener)
        m_opener(url);
}
