// Two users of the sandbox exchange talking through the composition root's chat windows:
// both ways, through the tray, markup shown as typed, and the history after a new login.
#include "RecordingSessionHost.h"
#include "SandboxEndpoints.h"
#include "ScriptedSessionDialogs.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "client/ConversationWindows.h"
#include "im/ConversationBook.h"
#include "im/IMSession.h"
#include "im/XmppIMClient.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/TfrmChating.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

namespace {

constexpr int kWait = 20000;

// One signed-in user with the chat windows of the composition root and a recorded tray.
struct User
{
    User(const QString& name, const QString& historyPath)
        : name(name), jid(name + QStringLiteral("@localhost")), session(&client, &host, &dialogs),
          windows(historyPath)
    {
        host.loginAgainResult = false;
        session.setAccountSource([this] {
            return IMSession::Account{jid, QStringLiteral("demo1234"), QStringLiteral("localhost"),
                                      SandboxEndpoints::c2sPort()};
        });
        ConversationWindows::Hooks hooks;
        hooks.setPending = [this](bool on) { trayBlinking = on; };
        windows.attach(&session, hooks);
    }

    QString name, jid;
    XmppIMClient client;
    RecordingSessionHost host;
    ScriptedSessionDialogs dialogs;
    IMSession session;
    ConversationWindows windows;
    bool trayBlinking = false;
};

// The text of the conversation document as the page shows it, non-breaking spaces as blanks.
QString domText(TfrmChating* window,
                const QString& script = QStringLiteral("document.body.innerText"))
{
    auto* view = qobject_cast<QWebEngineView*>(window->conversationView());
    if (!view)
        return QString();
    QString result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value.toString();
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, 5000))
        return QString();
    return result.replace(QChar(0xA0), QLatin1Char(' '));
}

bool domShows(TfrmChating* window, const QString& needle)
{
    return QTest::qWaitFor([&] { return domText(window).contains(needle); }, kWait);
}

void send(TfrmChating* window, const QString& text)
{
    auto* input = window->findChild<QPlainTextEdit*>(QStringLiteral("MsgInput"));
    input->setFocus();
    UiTestKit::typeInto(input, text);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnSend")), Qt::LeftButton);
}

} // namespace

class ChatSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void messagesFlowBothWaysThroughTheTray();
    void markupAndQuotesArriveLiterally();
    void historyIsShownAfterANewLogin();

private:
    bool signIn(User& user);
    QTemporaryDir m_dir;
    std::unique_ptr<User> a, b;
};

// Connected and the roster received.
bool ChatSandboxTest::signIn(User& user)
{
    const int syncsBefore = user.host.syncs;
    user.session.signIn();
    return QTest::qWaitFor(
        [&user, syncsBefore] { return user.client.connected() && user.host.syncs > syncsBefore; },
        kWait);
}

void ChatSandboxTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Two of the demo accounts, friends of each other.
    a = std::make_unique<User>(QStringLiteral("chenjie"), m_dir.filePath("a/chat-history.db"));
    b = std::make_unique<User>(QStringLiteral("liuyang"), m_dir.filePath("b/chat-history.db"));
    session().sendKey = QStringLiteral("CtrlEnter");
    QVERIFY(signIn(*a));
    QVERIFY(signIn(*b));
}

void ChatSandboxTest::cleanupTestCase()
{
    b.reset();
    a.reset();
}

void ChatSandboxTest::messagesFlowBothWaysThroughTheTray()
{
    MessageBoxes::Recorder boxes;
    a->windows.openConversation(b->jid, b->name);
    QCOMPARE(a->windows.windows().size(), 1);
    TfrmChating* aw = a->windows.windows().first();
    QVERIFY(QTest::qWaitForWindowExposed(aw));
    QVERIFY(aw->windowTitle().endsWith(QStringLiteral("- 对话")));
    QVERIFY(aw->windowTitle() != QStringLiteral("某人- 对话")); // a friend, by name
    send(aw, QStringLiteral("hello from chenjie"));
    QVERIFY(domShows(aw, QStringLiteral("hello from chenjie")));

    // The peer has no window yet: it waits, hidden, and the tray blinks.
    QTRY_VERIFY_WITH_TIMEOUT(b->windows.hasPending(), kWait);
    QVERIFY(b->trayBlinking);
    QCOMPARE(b->windows.windows().size(), 1);
    TfrmChating* bw = b->windows.windows().first();
    QVERIFY(!bw->isVisible());
    b->windows.openOldestPending();
    QVERIFY(QTest::qWaitForWindowExposed(bw));
    QVERIFY(!b->trayBlinking);
    QVERIFY(domShows(bw, QStringLiteral("hello from chenjie")));

    // And back, with the send key.
    auto* input = bw->findChild<QPlainTextEdit*>(QStringLiteral("MsgInput"));
    input->setFocus();
    UiTestKit::typeInto(input, QStringLiteral("你好，陈杰"));
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier); // the demo default: Ctrl+Enter
    QVERIFY(domShows(aw, QStringLiteral("你好，陈杰")));
    QVERIFY(!a->trayBlinking); // an open window takes it at once
    QVERIFY(boxes.boxes().isEmpty());
}

void ChatSandboxTest::markupAndQuotesArriveLiterally()
{
    QVERIFY(!a->windows.windows().isEmpty() && !b->windows.windows().isEmpty());
    TfrmChating* aw = a->windows.windows().first();
    TfrmChating* bw = b->windows.windows().first();
    const QString img = QStringLiteral("<img src=x onerror=\"window.__owned=1\">");
    const QString link = QStringLiteral("http://x\"onmouseover=\"window.__owned=2");
    send(aw, img + QStringLiteral(" & ") + link + QStringLiteral(" end"));
    QVERIFY(domShows(bw, img + QStringLiteral(" & ") + link + QStringLiteral(" end")));
    QCOMPARE(domText(bw, "String(document.images.length)"), QStringLiteral("0"));
    QCOMPARE(domText(bw, "String(document.querySelectorAll('[onerror],[onmouseover]').length)"),
             QStringLiteral("0"));
    QCOMPARE(domText(bw, "String(typeof window.__owned)"), QStringLiteral("undefined"));
    const QString href =
        domText(bw, "String(document.links[document.links.length - 1].getAttribute('href'))");
    QCOMPARE(href, link);
    QCOMPARE(domText(bw, "String(document.links[document.links.length - 1].innerText)"), link);
}

void ChatSandboxTest::historyIsShownAfterANewLogin()
{
    // The disconnection's clean up closes every window.
    a->session.cleanUp();
    QTRY_VERIFY(a->windows.windows().isEmpty());
    QVERIFY(signIn(*a));
    a->windows.openConversation(b->jid, b->name);
    QCOMPARE(a->windows.windows().size(), 1);
    TfrmChating* aw = a->windows.windows().first();
    QVERIFY(QTest::qWaitForWindowExposed(aw));
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QString h = domText(aw, "document.querySelector('.history') ? "
                                          "document.querySelector('.history').innerText : ''");
            return h.contains(QStringLiteral("hello from chenjie")) &&
                   h.contains(QStringLiteral("你好，陈杰")) && h.contains(QStringLiteral("<img"));
        },
        kWait));
    // New lines come below the separator.
    send(aw, QStringLiteral("after the break"));
    QVERIFY(domShows(aw, QStringLiteral("after the break")));
    const QString order =
        domText(aw, "String(document.body.innerHTML.indexOf('history-end') < "
                    "document.body.innerHTML.lastIndexOf('after&nbsp;the&nbsp;break'))");
    QCOMPARE(order, QStringLiteral("true"));
}

QTEST_MAIN(ChatSandboxTest)
#include "tst_ChatSandbox.moc"
