#include "im/ChatText.h"
#include "ui/common/WebEngine.h"
#include "ui/im/ChatLinkPolicy.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>

class ChatLinkPolicyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickedLinkOpensOutsideAndTheLinesStay();
    void onlyWebAddressesAreHandedOn();
    void theConversationNeverNavigatesAway();
};

namespace {

QVariant evaluate(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("script did not finish: %s", qPrintable(script));
    return result;
}

} // namespace

void ChatLinkPolicyTest::clickedLinkOpensOutsideAndTheLinesStay()
{
    QList<QUrl> opened;
    const ChatLinkPolicy policy([&](const QUrl& url) { opened << url; });
    QWidget window;
    WebSurface* surface =
        WebEngine::createSurface(&window, policy.viewOptions(QStringLiteral("MsgContent")));
    QVERIFY(surface);
    auto* engineView = qobject_cast<QWebEngineView*>(surface->widget());
    QVERIFY(engineView);
    QWebEngineView& view = *engineView;
    QWebEnginePage* page = view.page();
    window.resize(480, 240);
    view.resize(480, 240);
    const QString line = ChatText::renderLine(
        QStringLiteral("陈杰"), QStringLiteral("看这里 https://example.invalid/a?b=1 谢谢"),
        QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.setHtml(ChatText::conversationDocument(line), QUrl(QStringLiteral("about:blank")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(loaded.wait(10000) || loaded.count() > 0);

    // Click the link where it is drawn, as a user does.
    const QVariantList box =
        evaluate(page, QStringLiteral("(function(){var r=document.querySelector('a')"
                                      ".getBoundingClientRect();return [r.left+r.width/2,"
                                      "r.top+r.height/2];})()"))
            .toList();
    QCOMPARE(box.size(), 2);
    const QPoint centre(qRound(box[0].toDouble()), qRound(box[1].toDouble()));
    QWidget* drawn = view.focusProxy();
    QVERIFY(drawn);
    QTest::mouseClick(drawn, Qt::LeftButton, Qt::NoModifier, centre);
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 10000);
    QCOMPARE(opened.first(), QUrl(QStringLiteral("https://example.invalid/a?b=1")));

    // The conversation is still on screen.
    QTest::qWait(300);
    QCOMPARE(opened.size(), 1);
    QVERIFY(evaluate(page, QStringLiteral("document.body.innerText"))
                .toString()
                .contains(QStringLiteral("谢谢")));
}

void ChatLinkPolicyTest::onlyWebAddressesAreHandedOn()
{
    QVERIFY(ChatLinkPolicy::isWebAddress(QUrl(QStringLiteral("http://a.example/"))));
    QVERIFY(ChatLinkPolicy::isWebAddress(QUrl(QStringLiteral("HTTPS://a.example/"))));
    QVERIFY(!ChatLinkPolicy::isWebAddress(QUrl(QStringLiteral("file:///etc/passwd"))));
    QVERIFY(!ChatLinkPolicy::isWebAddress(QUrl(QStringLiteral("javascript:alert(1)"))));
    QVERIFY(!ChatLinkPolicy::isWebAddress(QUrl(QStringLiteral("data:text/html,x"))));
}

void ChatLinkPolicyTest::theConversationNeverNavigatesAway()
{
    QList<QUrl> opened;
    const ChatLinkPolicy policy([&](const QUrl& url) { opened << url; });
    const QUrl outside(QStringLiteral("http://a.example/page"));
    // A script or a form in the document cannot replace it; frames inside it may load.
    QVERIFY(!policy.acceptNavigation({outside, false, true}));
    QVERIFY(policy.acceptNavigation({outside, false, false}));
    QVERIFY(policy.acceptNavigation({QUrl(QStringLiteral("about:blank")), false, true}));
    QVERIFY(opened.isEmpty());
    // A click never navigates; only web addresses are handed on.
    QVERIFY(!policy.acceptNavigation({outside, true, true}));
    QVERIFY(!policy.acceptNavigation({QUrl(QStringLiteral("file:///etc/passwd")), true, true}));
    QCOMPARE(opened, QList<QUrl>{outside});
}

QTEST_MAIN(ChatLinkPolicyTest)
#include "tst_ChatLinkPolicy.moc"
