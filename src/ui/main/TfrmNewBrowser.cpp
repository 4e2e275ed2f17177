#include "ui/main/TfrmNewBrowser.h"

#include "ui/main/MemberLink.h"

#include "ui/common/WebEngine.h"

#include <QVBoxLayout>

namespace {

QPointer<TfrmNewBrowser>& trackedWindow()
{
    static QPointer<TfrmNewBrowser> window;
    return window;
}

bool isWebScheme(const QString& scheme)
{
    static const QStringList schemes = {QStringLiteral("http"),  QStringLiteral("https"),
                                        QStringLiteral("about"), QStringLiteral("data"),
                                        QStringLiteral("blob"),  QStringLiteral("file"),
                                        QStringLiteral("qrc")};
    return schemes.contains(scheme.toLower());
}

} // namespace

TfrmNewBrowser::TfrmNewBrowser(QWidget* owner, FriendRequest friendRequest)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_owner(owner), m_friendRequest(std::move(friendRequest))
{
    setObjectName(QStringLiteral("frmNewBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("正在加载......"));
    WebSurface::Options options;
    options.objectName = QStringLiteral("wbMain");
    // Pages may use member links without a click, so unknown schemes reach the window at all.
    options.allowUnknownUrlSchemes = true;
    options.acceptNavigation = [this](const WebSurface::Navigation& navigation) {
        // Every navigation goes to the window first, so member links never reach the network.
        if (handleNavigation(navigation.url))
            return false;
        // Any other outside scheme still needs the user's own click.
        if (!isWebScheme(navigation.url.scheme()))
            return navigation.linkClicked && navigation.mainFrame;
        return true;
    };
    m_view = WebEngine::createSurface(this, options);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_view)
        layout->addWidget(m_view->widget());
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
    m_pendingAddress = url;
    if (m_view)
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
    return m_view ? m_view->url() : m_pendingAddress;
}

QWidget* TfrmNewBrowser::webView() const
{
    return m_view ? m_view->widget() : nullptr;
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
