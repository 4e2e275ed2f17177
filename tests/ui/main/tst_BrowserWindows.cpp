#include "ui/main/LazyWebView.h"
#include "ui/main/ShellLauncher.h"
#include "ui/main/TfrmCopyright.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

QWebEngineView* engineView(QWidget* view)
{
    return qobject_cast<QWebEngineView*>(view);
}

} // namespace

class BrowserWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void memberLinkClickedInPageSendsRequestAndCloses();
    void memberLinkWithoutSecondColonAddsNothingButCloses();
    void ordinaryAddressesNavigate();
    void trackedWindowIsForgottenWhenClosed();
    void aboutBoxShowsConfiguredTexts();
    void webViewsAreCreatedWhenFirstShown();

private:
    // A friend-request handler that records the requests.
    TfrmNewBrowser::FriendRequest recorder();

    QVector<QPair<QString, QString>> requests;
};

void BrowserWindowsTest::init()
{
    requests.clear();
}

void BrowserWindowsTest::cleanup()
{
    ShellLauncher::setHandler(nullptr);
}

TfrmNewBrowser::FriendRequest BrowserWindowsTest::recorder()
{
    return [this](const QString& login, const QString& name) { requests.append({login, name}); };
}

void BrowserWindowsTest::memberLinkClickedInPageSendsRequestAndCloses()
{
    QPointer<TfrmNewBrowser> window = new TfrmNewBrowser(nullptr, recorder());
    QSignalSpy loaded(engineView(window->webView()), &QWebEngineView::loadFinished);
    engineView(window->webView())
        ->setHtml(
            QStringLiteral("<html><body><a id='add' "
                           "href='member:wangwei:%E7%8E%8B%E4%BC%9F'>加为好友</a></body></html>"));
    window->show();
    QVERIFY(loaded.wait(20000));
    engineView(window->webView())
        ->page()
        ->runJavaScript(QStringLiteral("document.getElementById('add').click();"));
    QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, 20000);
    QCOMPARE(requests[0].first, QStringLiteral("wangwei"));
    QCOMPARE(requests[0].second, QStringLiteral("王伟"));
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000);
}

void BrowserWindowsTest::memberLinkWithoutSecondColonAddsNothingButCloses()
{
    QPointer<TfrmNewBrowser> window = new TfrmNewBrowser(nullptr, recorder());
    window->show();
    engineView(window->webView())->load(QUrl(QStringLiteral("member:wangwei")));
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
    QVERIFY(requests.isEmpty());
}

void BrowserWindowsTest::ordinaryAddressesNavigate()
{
    TfrmNewBrowser window(nullptr, recorder());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    // "http:" holds a colon too; only "member:" is a command.
    QVERIFY(!window.handleNavigation(QUrl(QStringLiteral("http://www.localhost:15280/a:b?x=1:2"))));
    QVERIFY(window.isVisible());
    QVERIFY(requests.isEmpty());

    QSignalSpy loaded(engineView(window.webView()), &QWebEngineView::loadFinished);
    engineView(window.webView())
        ->setHtml(QStringLiteral("<p>本地页面</p>"), QUrl(QStringLiteral("http://www.localhost/")));
    QVERIFY(loaded.wait(20000));
    QVERIFY(window.isVisible());
    QCOMPARE(engineView(window.webView())->contextMenuPolicy(), Qt::NoContextMenu);
}

void BrowserWindowsTest::trackedWindowIsForgottenWhenClosed()
{
    auto* first = new TfrmNewBrowser;
    QCOMPARE(TfrmNewBrowser::tracked(), first);
    QCOMPARE(TfrmNewBrowser::trackedOrNew(nullptr), first);
    first->openPage(QUrl(QStringLiteral("about:blank")), QSize(710, 470),
                    QStringLiteral(" 在线客服"));
    QCOMPARE(first->size(), QSize(710, 470));
    QCOMPARE(first->windowTitle(), QStringLiteral(" 在线客服"));
    first->close();
    QTRY_VERIFY(!TfrmNewBrowser::tracked());
    QPointer<TfrmNewBrowser> second = TfrmNewBrowser::trackedOrNew(nullptr, recorder());
    QVERIFY(second);
    QCOMPARE(second->windowTitle(), QStringLiteral("正在加载......"));
    // A new window takes the handler it was asked with; the reused one keeps its own.
    QCOMPARE(TfrmNewBrowser::trackedOrNew(nullptr, {}), second.data());
    QVERIFY(second->handleNavigation(QUrl(QStringLiteral("member:lijun:李军"))));
    QCOMPARE(requests, (QVector<QPair<QString, QString>>{{"lijun", "李军"}}));
    QTRY_VERIFY(second.isNull());
}

void BrowserWindowsTest::aboutBoxShowsConfiguredTexts()
{
    QStringList opened;
    ShellLauncher::setHandler([&](ShellLauncher::Target, const QString& url) {
        opened << url;
        return true;
    });
    QPointer<TfrmCopyright> box = new TfrmCopyright(
        {QStringLiteral("Tovanta"), QStringLiteral("2.0.0.1"), QStringLiteral("通达信息"),
         QStringLiteral("http://www.localhost:15280/")});
    box->show();
    QCOMPARE(box->windowTitle(), QStringLiteral(" 关于Tovanta"));
    QCOMPARE(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本:2.0.0.1"));
    QCOMPARE(box->findChild<QLabel*>("lbl2")->text(), QStringLiteral("通达信息"));
    QCOMPARE(TfrmCopyright::current(), box.data());
    Q_EMIT box->findChild<QLabel*>("lblUrl")->linkActivated(QStringLiteral("x"));
    QCOMPARE(opened, QStringList{"http://www.localhost:15280/"});
    box->findChild<QPushButton*>("btnOk")->click();
    QTRY_VERIFY(box.isNull());
    QVERIFY(!TfrmCopyright::current());
}

void BrowserWindowsTest::webViewsAreCreatedWhenFirstShown()
{
    QWidget page;
    auto* view = new LazyWebView(QStringLiteral("wbNotice"), &page);
    view->setContextMenuSuppressed(true);
    view->navigate(QUrl(QStringLiteral("about:blank#1")));
    view->navigate(QUrl(QStringLiteral("about:blank#2")));
    QVERIFY(!view->isCreated());
    QCOMPARE(view->address(), QUrl(QStringLiteral("about:blank#2")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTRY_VERIFY(view->isCreated());
    QCOMPARE(engineView(view->view())->contextMenuPolicy(), Qt::NoContextMenu);
    QTRY_COMPARE_WITH_TIMEOUT(engineView(view->view())->url(),
                              QUrl(QStringLiteral("about:blank#2")), 20000);
    view->navigate(QUrl(QStringLiteral("about:blank#3")));
    QTRY_COMPARE_WITH_TIMEOUT(engineView(view->view())->url(),
                              QUrl(QStringLiteral("about:blank#3")), 20000);
}

QTEST_MAIN(BrowserWindowsTest)
#include "tst_BrowserWindows.moc"
