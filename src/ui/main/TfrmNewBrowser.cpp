#include "ui/main/TfrmNewBrowser.h"

#include "ui/main/MemberLink.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

QPointer<TfrmNewBrowser>& trackedWindow()
{
    static QPointer<TfrmNewBrowser> window;
    return window;
}

// Hands every navigation to the window first, so member links never reach the network.
class MemberLinkPage : public QWebEnginePage
{
public:
    MemberLinkPage(TfrmNewBrowser* window, QObject* parent)
        : QWebEnginePage(parent), m_window(window)
    {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (m_window->handleNavigation(url))
            return false;
        // Pages may use member links without a click, so unknown schemes reach this point
        // at all; any other outside scheme still needs the user's own click.
        if (!isWebScheme(url.scheme()))
            return type == NavigationTypeLinkClicked && isMainFrame;
        return true;
    }

private:
    static bool isWebScheme(const QString& scheme)
    {
        static const QStringList schemes = {QStringLiteral("http"),  QStringLiteral("https"),
                                            QStringLiteral("about"), QStringLiteral("data"),
                                            QStringLiteral("blob"),  QStringLiteral("file"),
                                            QStringLiteral("qrc")};
        return schemes.contains(scheme.toLower());
    }

    TfrmNewBrowser* m_window;
};

} // namespace

TfrmNewBrowser::TfrmNewBrowser(QWidget* owner, FriendRequest friendRequest)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_view(new QWebEngineView(this)), m_owner(owner), m_friendRequest(std::move(friendRequest))
{
    setObjectName(QStringLiteral("frmNewBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("正在加载......"));
    m_view->setObjectName(QStringLiteral("wbMain"));
    auto* page = new MemberLinkPage(this, m_view);
    page->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    m_view->setPage(page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    trackedWindow() = this;
}

TfrmNewBrowser::~TfrmNewBrowser() = default;

TfrmNewBrowser* TfrmNewBrowser::tracked()
{
    return trackedWindow().data();
}

TfrmNewBrowser* TfrmNewBrowser::trackedOrNew(QWidget* owner, FriendRequest friendRequest)
{
    if (TfrmNewBrowser* window = tracked())
        return window;
    return new TfrmNewBrowser(owner, std::move(friendRequest));
}

void TfrmNewBrowser::openPage(const QUrl& url, const QSize& clientSize, const QString& caption)
{
    m_view->load(url);
    setFixedSize(clientSize);
    setWindowTitle(caption);
    if (m_owner) {
        QRect frame(QPoint(0, 0), clientSize);
        frame.moveCenter(m_owner->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

QUrl TfrmNewBrowser::address() const
{
    return m_view->url();
}

bool TfrmNewBrowser::handleNavigation(const QUrl& url)
{
    const QString text = url.toString(QUrl::FullyEncoded);
    if (!MemberLink::isMemberLink(text))
        return false;
    const MemberLink link = MemberLink::parse(text);
    if (!link.login.isEmpty() && m_friendRequest)
        m_friendRequest(link.login, link.displayName);
    close();
    return true;
}
