#include "im/ChatText.h"
#include "ui/im/ChatLinkPage.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>

class ChatLinkPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickedLinkOpensOutsideAndTheLinesStay();
    void onlyWebAddressesAreHandedOn();
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

void ChatLinkPageTest::clickedLinkOpensOutsideAndTheLinesStay()
{
    QList<QUrl> opened;
    QWebEngineView view;
    auto* page = new ChatLinkPage([&](const QUrl& url) { opened << url; }, &view);
    view.setPage(page);
    view.resize(480, 240);
    const QString line = ChatText::renderLine(
        QStringLiteral("陈杰"), QStringLiteral("看这里 https://example.invalid/a?b=1 谢谢"),
        QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.setHtml(ChatText::conversationDocument(line), QUrl(QStringLiteral("about:blank")));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(loaded.wait(10000) || loaded.count() > 0);

    // Click the link where it is drawn, as a user does.
    const QVariantList box =
        evaluate(page, QStringLiteral("(function(){var r=document.querySelector('a')"
                                      ".getBoundingClientRect();return [r.left+r.width/2,"
                                      "r.top+r.height/2];})()"))
            .toList();
    QCOMPARE(box.size(), 2);
    const QPoint centre(qRound(box[0].toDouble()), qRound(box[1].toDouble()));
    QWidget* surface = view.focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, centre);
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 10000);
    QCOMPARE(opened.first(), QUrl(QStringLiteral("https://example.invalid/a?b=1")));

    // The conversation is still on screen.
    QTest::qWait(300);
    QCOMPARE(opened.size(), 1);
    QVERIFY(evaluate(page, QStringLiteral("document.body.innerText"))
                .toString()
                .contains(QStringLiteral("谢谢")));
}

void ChatLinkPageTest::onlyWebAddressesAreHandedOn()
{
    QVERIFY(ChatLinkPage::isWebAddress(QUrl(QStringLiteral("http://a.example/"))));
    QVERIFY(ChatLinkPage::isWebAddress(QUrl(QStringLiteral("HTTPS://a.example/"))));
    QVERIFY(!ChatLinkPage::isWebAddress(QUrl(QStringLiteral("file:///etc/passwd"))));
    QVERIFY(!ChatLinkPage::isWebAddress(QUrl(QStringLiteral("javascript:alert(1)"))));
    QVERIFY(!ChatLinkPage::isWebAddress(QUrl(QStringLiteral("data:text/html,x"))));
}

QTEST_MAIN(ChatLinkPageTest)
#include "tst_ChatLinkPage.moc"
