// The chat window as a user drives it: send keys and the send-mode menu, the send button,
// title and header, the side panel, the edit menu, the splitter and closing.
#include "FakeConversationServices.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/Gbk.h"
#include "im/ChatConversation.h"
#include "im/ConversationBook.h"
#include "im/ConversationKey.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/TfrmChating.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

namespace {

const QString kMe = QStringLiteral("lina@localhost");

// A book on the fake client whose conversations get real chat windows.
struct ChatFixture
{
    explicit ChatFixture(TfrmChating::SendMode mode = TfrmChating::SendMode::Enter)
    {
        ConversationServices s =
            fakeConversationServices(&client, &friends, QStringLiteral("http://127.0.0.1:9"));
        s.createView = [this, mode](ChatConversation* c) -> ConversationView* {
            return new TfrmChating(book.get(), c, mode);
        };
        book = std::make_unique<ConversationBook>(s);
    }
    ~ChatFixture() { book->closeAll(); }

    TfrmChating* open(const QString& user)
    {
        book->openWithUser(user);
        ChatConversation* c =
            book->find(ConversationKey::of(kMe, user + QStringLiteral("@localhost")), false);
        auto* window = c ? dynamic_cast<TfrmChating*>(c->view) : nullptr;
        if (!window || !QTest::qWaitForWindowExposed(window))
            return nullptr;
        // The send keys are window shortcuts: they act only in the active window, which a
        // busy display may make so a little later than it shows it.
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
        return window;
    }

    FakeIMClient client;
    QList<FriendEntry> friends;
    std::unique_ptr<ConversationBook> book;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}

QStringList sentMessages(const FakeIMClient& client)
{
    return client.calls.filter(QStringLiteral("sendMessage:"));
}

QString settingsSendKey()
{
    QFile file(SettingsFile::defaultPath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString text = Gbk::decode(file.readAll());
    const int start = text.indexOf(QStringLiteral("<sendmsg>"));
    const int end = text.indexOf(QStringLiteral("</sendmsg>"));
    if (start < 0 || end < start)
        return QString();
    return text.mid(start + 9, end - start - 9);
}

} // namespace

class ChatWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void layoutAtCreation();
    void enterModeSendsAndCtrlEnterDoesNot();
    void ctrlEnterModeBreaksLinesAndSends();
    void menuWritesTheSettingsFileOnly();
    void emptyInputSendsAnEmptyLineButNotTheButton();
    void titleAndHeaderFollowTheFriend();
    void sidePanelToggles();
    void editMenuActsOnTheInput();
    void splitterKeepsBothAreas();
    void closingLeavesTheBook();
};

void ChatWindowTest::init()
{
    resetSession();
    session().loginIdentity = kMe;
    session().password = QStringLiteral("demo1234");
    session().sendKey = QStringLiteral("Enter");
    QFile::remove(SettingsFile::defaultPath());
}

void ChatWindowTest::layoutAtCreation()
{
    ChatFixture f;
    TfrmChating* w = f.open("chenjie");
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(492, 327));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(0xCE, 0xDC, 0xEF));
    for (const char* name :
         {"PnlLeftTop", "pnltop", "PnlSpplit", "PnlLeftBottom", "pnlYourPicture"})
        QVERIFY2(child<QWidget>(w, name) && child<QWidget>(w, name)->isVisible(), name);
    QVERIFY(child<QWebEngineView>(w, "MsgContent"));
    QVERIFY(child<QWebEngineView>(w, "wbCard"));
    QVERIFY(!child<QWidget>(w, "ImgFont")->isVisible());
    QVERIFY(!child<QWidget>(w, "ImgSelFace")->isVisible());
    QCOMPARE(child<QToolButton>(w, "ImgFont")->toolTip(), QStringLiteral("字体"));
    QCOMPARE(child<QToolButton>(w, "ImgSelFace")->toolTip(), QStringLiteral("表情"));
    QCOMPARE(child<QPushButton>(w, "btnSend")->text(), QStringLiteral("发送(&S)"));
    QCOMPARE(child<QPushButton>(w, "btnClose")->text(), QStringLiteral("关闭(&X)"));
    QCOMPARE(child<QToolButton>(w, "sendType")->toolTip(), QStringLiteral("选择发送方式"));
    QCOMPARE(child<QLabel>(w, "imgArrow")->toolTip(), QStringLiteral("收起侧边"));
    QCOMPARE(child<QWebEngineView>(w, "MsgContent")->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(child<QWebEngineView>(w, "wbCard")->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(w->cardAddress(), QUrl("http://127.0.0.1:9/index.php/User/getUserCard/id/chenjie"));
    // The buttons sit at the input area's right edge, sendType between send and close.
    auto* input = child<QWidget>(w, "PnlLeftBottom");
    auto* send = child<QWidget>(w, "btnSend");
    auto* type = child<QWidget>(w, "sendType");
    auto* close = child<QWidget>(w, "btnClose");
    QCOMPARE(close->geometry().right(), input->geometry().right() - 1);
    QCOMPARE(send->geometry().right() + 13 + 1, close->x());
    QCOMPARE(type->x(), send->geometry().right() + 1);
    QVERIFY(input->mapTo(w, QPoint(0, 0)).y() + input->height() <= send->y());
}

void ChatWindowTest::enterModeSendsAndCtrlEnterDoesNot()
{
    ChatFixture f(TfrmChating::SendMode::Enter);
    TfrmChating* w = f.open("chenjie");
    auto* input = child<QPlainTextEdit>(w, "MsgInput");
    QVERIFY(child<QAction>(w, "X2")->isChecked());
    QVERIFY(child<QAction>(w, "TMEnter")->isChecked());
    input->setFocus();
    QTest::keyClicks(input, "  hello  ");
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(sentMessages(f.client).isEmpty());
    QCOMPARE(input->toPlainText(), QStringLiteral("  hello  "));
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(sentMessages(f.client), QStringList{"sendMessage:chenjie@localhost:1:hello"});
    QVERIFY(input->toPlainText().isEmpty());
    QCOMPARE(w->focusWidget(), input);
    QVERIFY(w->contentHtml().contains(QStringLiteral("lina@localhost&nbsp;")));
    // The keypad's Enter too, and the shortcut acts with the focus on a button.
    QTest::keyClicks(input, "two");
    child<QPushButton>(w, "btnClose")->setFocus();
    QTest::keyClick(child<QPushButton>(w, "btnClose"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(sentMessages(f.client).size(), 2);
    QCOMPARE(sentMessages(f.client).last(), QStringLiteral("sendMessage:chenjie@localhost:1:two"));
}

void ChatWindowTest::ctrlEnterModeBreaksLinesAndSends()
{
    ChatFixture f(TfrmChating::SendMode::CtrlEnter);
    TfrmChating* w = f.open("chenjie");
    auto* input = child<QPlainTextEdit>(w, "MsgInput");
    QVERIFY(child<QAction>(w, "X1")->isChecked());
    QVERIFY(child<QAction>(w, "TMCtrlEnter")->isChecked());
    input->setFocus();
    QTest::keyClicks(input, "ab");
    QTest::keyClick(input, Qt::Key_Left);
    QTest::keyClick(input, Qt::Key_Return); // a line break at the caret
    QTest::keyClicks(input, "X");
    QCOMPARE(input->toPlainText(), QStringLiteral("a\nXb"));
    QVERIFY(sentMessages(f.client).isEmpty());
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(sentMessages(f.client), QStringList{"sendMessage:chenjie@localhost:1:a\r\nXb"});
    QVERIFY(w->contentHtml().contains(QStringLiteral("a&nbsp;<br>\nXb")));
}

void ChatWindowTest::menuWritesTheSettingsFileOnly()
{
    ChatFixture f(TfrmChating::SendMode::Enter);
    TfrmChating* w = f.open("chenjie");
    QTest::mouseClick(child<QToolButton>(w, "sendType"), Qt::LeftButton);
    auto* popup = child<QMenu>(w, "SendTypePopupMenu");
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->actions().at(0)->text(), QStringLiteral("按 Enter 键发送消息"));
    QCOMPARE(popup->actions().at(1)->text(), QStringLiteral("按 Ctrl+Enter 键发送消息"));
    // Near the send-type button.
    const QPoint typeAt = child<QWidget>(w, "sendType")->mapToGlobal(QPoint(0, 0));
    QVERIFY(qAbs(popup->pos().y() - (typeAt.y() + 3)) <= 40);
    child<QAction>(w, "TMCtrlEnter")->trigger();
    popup->hide();
    QCOMPARE(w->sendMode(), TfrmChating::SendMode::CtrlEnter);
    QVERIFY(child<QAction>(w, "TMCtrlEnter")->isChecked());
    QVERIFY(!child<QAction>(w, "TMEnter")->isChecked());
    QCOMPARE(settingsSendKey(), QStringLiteral("CtrlEnter"));
    QCOMPARE(session().sendKey, QStringLiteral("Enter")); // unchanged in memory
    child<QAction>(w, "TMEnter")->trigger();
    QCOMPARE(settingsSendKey(), QStringLiteral("Enter"));
    QCOMPARE(w->sendMode(), TfrmChating::SendMode::Enter);
}

void ChatWindowTest::emptyInputSendsAnEmptyLineButNotTheButton()
{
    ChatFixture f(TfrmChating::SendMode::Enter);
    TfrmChating* w = f.open("chenjie");
    auto* input = child<QPlainTextEdit>(w, "MsgInput");
    auto* send = child<QPushButton>(w, "btnSend");
    QVERIFY(!send->isEnabled());
    QTest::mouseClick(send, Qt::LeftButton);
    QVERIFY(sentMessages(f.client).isEmpty());
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(sentMessages(f.client), QStringList{"sendMessage:chenjie@localhost:1:"});
    QVERIFY(w->contentHtml().contains(QStringLiteral("lina@localhost&nbsp;")));
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(input, " ");
    QVERIFY(send->isEnabled()); // a blank is text
    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(sentMessages(f.client).size(), 2);
    QVERIFY(!send->isEnabled());
    QCOMPARE(w->focusWidget(), input);
}

void ChatWindowTest::titleAndHeaderFollowTheFriend()
{
    ChatFixture f;
    TfrmChating* stranger = f.open("zhoujun");
    QCOMPARE(stranger->windowTitle(), QStringLiteral("某人- 对话"));
    QVERIFY(!child<QLabel>(stranger, "HeaderLabel"));

    f.friends << FriendEntry{"chenjie@localhost", QStringLiteral("陈<b>杰</b>"), 1};
    f.book->openFromFriend(f.friends.first());
    auto* w = dynamic_cast<TfrmChating*>(
        f.book->find(ConversationKey::of(kMe, "chenjie@localhost"), false)->view);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("陈<b>杰</b>- 对话"));
    auto* header = child<QLabel>(w, "HeaderLabel");
    QVERIFY(header);
    QCOMPARE(header->text(), QStringLiteral("因为没有联机，陈<b>杰</b> 可能无法收到您的消息！"));
    QCOMPARE(header->textFormat(), Qt::PlainText);
    QCOMPARE(child<QLabel>(w, "HeaderIcon")->pos(), QPoint(4, 4));
    f.friends[0].offline = 0;
    f.book->peerPresenceChanged("chenjie@localhost", f.friends[0].displayName, true);
    QCOMPARE(header->text(), QStringLiteral("陈<b>杰</b>"));
    // The header icon takes the theme colour's hue.
    const QImage icon = child<QLabel>(w, "HeaderIcon")->pixmap(Qt::ReturnByValue).toImage();
    const QColor sample = icon.pixelColor(8, 4);
    QVERIFY(sample.blue() > sample.red());
}

void ChatWindowTest::sidePanelToggles()
{
    ChatFixture f;
    TfrmChating* w = f.open("chenjie");
    auto* arrow = child<QLabel>(w, "imgArrow");
    auto* panel = child<QWidget>(w, "pnlYourPicture");
    auto* input = child<QWidget>(w, "MsgInput");
    const int narrow = input->width();
    QTest::mouseClick(arrow, Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(arrow->toolTip(), QStringLiteral("展开侧边"));
    QVERIFY(input->width() > narrow + 100);
    QCOMPARE(child<QWidget>(w, "btnClose")->geometry().right(),
             child<QWidget>(w, "PnlLeftBottom")->geometry().right() - 1);
    QTest::mouseClick(arrow, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(arrow->toolTip(), QStringLiteral("收起侧边"));
    QCOMPARE(input->width(), narrow);
}

void ChatWindowTest::editMenuActsOnTheInput()
{
    ChatFixture f;
    TfrmChating* w = f.open("chenjie");
    auto* input = child<QPlainTextEdit>(w, "MsgInput");
    QTest::keyClicks(input, "hello");
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(10, 10),
                            input->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(input->viewport(), &right);
    auto* menu = child<QMenu>(w, "PopupMenuEdit");
    QTRY_VERIFY(menu->isVisible());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, (QStringList{"撤消", "-", "剪切", "复制", "粘贴", "删除", "-", "选择全部"}));
    QVERIFY(!menu->actions().at(3)->isEnabled()); // nothing selected: no copy
    menu->hide();
    menu->actions().at(7)->trigger(); // select all
    QCOMPARE(input->textCursor().selectedText(), QStringLiteral("hello"));
    menu->actions().at(5)->trigger(); // delete
    QVERIFY(input->toPlainText().isEmpty());
    menu->actions().at(0)->trigger(); // undo
    QCOMPARE(input->toPlainText(), QStringLiteral("hello"));
}

void ChatWindowTest::splitterKeepsBothAreas()
{
    ChatFixture f;
    TfrmChating* w = f.open("chenjie");
    auto* bar = child<QWidget>(w, "PnlSpplit");
    auto* top = child<QWidget>(w, "PnlLeftTop");
    auto* bottom = child<QWidget>(w, "PnlLeftBottom");
    const int total = top->height() + bottom->height();
    auto drag = [&](int dy) {
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(20, 1));
        QMouseEvent move(QEvent::MouseMove, QPoint(20, 1 + dy),
                         bar->mapToGlobal(QPoint(20, 1 + dy)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(20, 1 + dy));
    };
    drag(-30);
    QCOMPARE(top->height() + bottom->height(), total);
    QVERIFY(top->height() >= 145);
    const int afterUp = bottom->height();
    drag(200); // would leave the input area too low: refused
    QCOMPARE(bottom->height(), afterUp);
    drag(-300); // the conversation area would fall under 145: refused
    QVERIFY(top->height() >= 145);
    QCOMPARE(bar->y(), top->y() + top->height());
    QCOMPARE(bottom->y(), bar->y() + bar->height());
    // Shrinking the window keeps the conversation area at 145 at least.
    w->resize(492, w->minimumHeight());
    QVERIFY(top->height() >= 145);
    QVERIFY(bottom->height() >= 90);
}

void ChatWindowTest::closingLeavesTheBook()
{
    ChatFixture f;
    QPointer<TfrmChating> w = f.open("chenjie");
    QTest::mouseClick(child<QPushButton>(w, "btnClose"), Qt::LeftButton);
    QTRY_VERIFY(w.isNull());
    QVERIFY(f.book->conversations().isEmpty());
    // Opening again makes a new window.
    QVERIFY(f.open("chenjie"));
    QCOMPARE(f.book->conversations().size(), 1);
}

QTEST_MAIN(ChatWindowTest)
#include "tst_ChatWindow.moc"
