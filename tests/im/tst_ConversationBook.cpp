#include "FakeConversationServices.h"
#include "RecordingConversationView.h"
#include "im/ChatConversation.h"
#include "im/ChatHistory.h"
#include "im/ConversationBook.h"
#include "im/ConversationKey.h"
#include "im/IncomingChat.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString kMe = QStringLiteral("lina@localhost");

// A book on the fake client with recording views, a roster of its own and recorded callbacks.
struct Book
{
    explicit Book(ChatHistory* history = nullptr)
    {
        ConversationServices s = fakeConversationServices(
            &client, &friends, QStringLiteral("http://www.localhost:15280"));
        s.createView = [this](ChatConversation* conversation) {
            auto* view = new RecordingConversationView(book.get(), conversation, &closings);
            created << view;
            return view;
        };
        s.setPending = [this](bool on) { pendingCalls << on; };
        s.openCustomerService = [this] { ++customerService; };
        s.inform = [this](const QString& text) { informed << text; };
        s.historyUnavailable = [this](const QString& reason) { historyFailures << reason; };
        s.history = history;
        s.now = [] { return QDateTime(QDate(2026, 5, 1), QTime(8, 30, 0)); };
        book = std::make_unique<ConversationBook>(s);
    }
    ~Book() { book->closeAll(); }

    RecordingConversationView* viewOf(ChatConversation* conversation) const
    {
        return static_cast<RecordingConversationView*>(conversation->view);
    }
    ChatConversation* with(const QString& peer) const
    {
        return book->find(ConversationKey::of(kMe, peer), false);
    }

    FakeIMClient client;
    QList<FriendEntry> friends;
    QList<RecordingConversationView*> created;
    QStringList closings;
    QList<bool> pendingCalls;
    int customerService = 0;
    QStringList informed;
    QStringList historyFailures;
    std::unique_ptr<ConversationBook> book;
};

} // namespace

class ConversationBookTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyMatchesExactJidsInOrder();
    void registryKeepsCreationOrder();
    void heldFirstMessageShowsAfterTheSecond();
    void keptMessagesShowWhenTheyWereSent();
    void pendingListKeepsArrivalOrder();
    void openingRules();
    void presenceReachesOpenedWindowsOnly();
    void titleFollowsTheFriend();
    void sendTrimsAndIgnoresFailures();
    void closeAllGoesNewestFirst();
    void historyIsShownWhenAConversationOpens();
    void unusableHistoryIsReportedOnceAndChattingGoesOn();
};

void ConversationBookTest::keyMatchesExactJidsInOrder()
{
    Book b;
    ChatConversation* first = b.book->find(ConversationKey::of(kMe, "chenjie@localhost"), true);
    QVERIFY(first);
    QCOMPARE(b.book->find(ConversationKey::of(kMe, "chenjie@localhost"), true), first);
    // Exact texts, same order, same count.
    QVERIFY(!b.book->find(ConversationKey::of(kMe, "ChenJie@localhost"), false));
    QVERIFY(!b.book->find(ConversationKey{{"chenjie@localhost", kMe}}, false));
    QVERIFY(!b.book->find(ConversationKey{{kMe}}, false));
    QVERIFY(!b.book->find(ConversationKey{{kMe, "chenjie@localhost", "x@localhost"}}, false));

    // 16 JIDs make a key, 17 and none do not: nothing is found or created.
    QStringList sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen << QStringLiteral("u%1@localhost").arg(i);
    QVERIFY(b.book->find(ConversationKey{sixteen}, true));
    QStringList seventeen = sixteen;
    seventeen << QStringLiteral("u16@localhost");
    QVERIFY(!b.book->find(ConversationKey{seventeen}, true));
    QVERIFY(!b.book->find(ConversationKey{}, true));
    QCOMPARE(b.book->conversations().size(), 2);
    QCOMPARE(b.created.size(), 2);
}

void ConversationBookTest::registryKeepsCreationOrder()
{
    Book b;
    b.book->openWithUser("chenjie");
    b.book->receive("liuyang", "localhost", "hello");
    b.book->openWithUser("wanglei");
    QStringList peers;
    for (ChatConversation* c : b.book->conversations())
        peers << c->peerJid();
    QCOMPARE(peers, (QStringList{"chenjie@localhost", "liuyang@localhost", "wanglei@localhost"}));
    // Closing one keeps the others' order.
    b.viewOf(b.with("liuyang@localhost"))->closeConversation();
    peers.clear();
    for (ChatConversation* c : b.book->conversations())
        peers << c->peerJid();
    QCOMPARE(peers, (QStringList{"chenjie@localhost", "wanglei@localhost"}));
}

void ConversationBookTest::keptMessagesShowWhenTheyWereSent()
{
    Book b;
    const QDateTime sent(QDate(2026, 4, 30), QTime(22, 15, 7), Qt::UTC);
    auto shown = [](const QDateTime& time) {
        return time.toLocalTime()
            .toString(QStringLiteral("MM-dd HH:mm:ss"))
            .replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    };
    // Held first message and a second one, both kept by the server while the user was away.
    b.book->receiveMessage(IncomingChat{"chenjie", "localhost", "first", sent});
    b.book->receiveMessage(IncomingChat{"chenjie", "localhost", "second", sent.addSecs(60)});
    ChatConversation* c = b.with("chenjie@localhost");
    RecordingConversationView* view = b.viewOf(c);
    QVERIFY(view->content.contains(shown(sent.addSecs(60))));
    b.book->openOldestPending();
    QVERIFY(view->content.contains(QStringLiteral("某人&nbsp;") + shown(sent)));
    // A live message shows its arrival.
    b.book->receiveMessage(IncomingChat{"chenjie", "localhost", "third", QDateTime()});
    QVERIFY(view->content.indexOf(QStringLiteral("05-01&nbsp;08:30:00")) >
            view->content.indexOf(QStringLiteral("first")));
}

void ConversationBookTest::heldFirstMessageShowsAfterTheSecond()
{
    Book b;
    b.book->receive("chenjie", "localhost", "first");
    ChatConversation* c = b.with("chenjie@localhost");
    QVERIFY(c);
    RecordingConversationView* view = b.viewOf(c);
    QVERIFY(!view->shown);
    QCOMPARE(c->heldMessage, QStringLiteral("first"));
    QVERIFY(view->content.isEmpty());
    QCOMPARE(b.pendingCalls, QList<bool>{true});

    // The second is rendered at once into the hidden window, under the user part.
    b.book->receive("chenjie", "localhost", "second");
    QVERIFY(view->content.contains("second"));
    QVERIFY(view->content.contains("chenjie&nbsp;05-01&nbsp;08:30:00"));
    QVERIFY(!view->content.contains("first"));

    // Opened from the tray: the held one comes after, from "某人" (not a friend).
    b.book->openOldestPending();
    QVERIFY(view->shown);
    QCOMPARE(view->broughtForward, 1);
    QVERIFY(view->content.indexOf("second") < view->content.indexOf("first"));
    QVERIFY(view->content.contains(QStringLiteral("某人&nbsp;05-01")));
    QVERIFY(c->heldMessage.isEmpty());
    QCOMPARE(view->card, QUrl("http://www.localhost:15280/index.php/User/getUserCard/id/chenjie"));
    QCOMPARE(b.pendingCalls, (QList<bool>{true, false}));
    QVERIFY(!b.book->hasPending());

    // Opened windows render what comes in.
    b.book->receive("chenjie", "localhost", "third");
    QVERIFY(view->content.indexOf("first") < view->content.indexOf("third"));
}

void ConversationBookTest::pendingListKeepsArrivalOrder()
{
    Book b;
    b.friends << FriendEntry{"wanglei@localhost", QStringLiteral("王磊"), 0};
    b.book->openWithUser("zhoujun"); // created first, but opened: never pending
    b.book->receive("wanglei", "localhost", "w1");
    b.book->receive("chenjie", "localhost", "c1");
    b.book->receive("zhoujun", "localhost", "z1");
    b.book->receive("wanglei", "localhost", "w2");
    QCOMPARE(b.book->pending().size(), 2);
    QCOMPARE(b.book->pending().at(0)->peerJid(), QStringLiteral("wanglei@localhost"));
    QCOMPARE(b.book->pending().at(1)->peerJid(), QStringLiteral("chenjie@localhost"));

    b.book->openOldestPending();
    // A friend's held line carries the display name.
    QVERIFY(b.viewOf(b.with("wanglei@localhost"))->content.contains(QStringLiteral("王磊&nbsp;")));
    QCOMPARE(b.book->pending().size(), 1);
    QVERIFY(b.book->hasPending());
    QCOMPARE(b.pendingCalls.last(), true);

    // Any way of opening takes it off the list.
    b.book->openWithUser("chenjie");
    QVERIFY(!b.book->hasPending());
    QCOMPARE(b.pendingCalls.last(), false);
    QVERIFY(b.viewOf(b.with("chenjie@localhost"))->content.contains("c1"));

    // The clean up empties the list and stops the blinking.
    b.book->receive("sunli", "localhost", "s1");
    QVERIFY(b.book->hasPending());
    b.book->clearPending();
    QVERIFY(!b.book->hasPending());
    QCOMPARE(b.pendingCalls.last(), false);
}

void ConversationBookTest::openingRules()
{
    Book b;
    b.book->openWithUser("  ");
    b.book->openWithUser("lina");
    b.book->openWithUser("LiNa");
    QCOMPARE(b.informed,
             (QStringList{QStringLiteral("不能与自已对话! "), QStringLiteral("不能与自已对话! ")}));
    b.book->openWithUser("-1");
    QCOMPARE(b.customerService, 1);
    QVERIFY(b.book->conversations().isEmpty());

    b.book->openWithUser(" chenjie ");
    ChatConversation* c = b.with("chenjie@localhost");
    QVERIFY(c && c->opened && c->friendJid.isEmpty());
    QCOMPARE(b.viewOf(c)->presented, 1);
    QCOMPARE(b.viewOf(c)->card,
             QUrl("http://www.localhost:15280/index.php/User/getUserCard/id/chenjie"));

    b.book->openFromFriend(FriendEntry{"wanglei@localhost", QStringLiteral("王磊"), 1});
    ChatConversation* w = b.with("wanglei@localhost");
    QCOMPARE(w->friendJid, QStringLiteral("wanglei@localhost"));
    QCOMPARE(b.viewOf(w)->card,
             QUrl("http://www.localhost:15280/index.php/User/getUserCard/id/wanglei"));
    // The same conversation again: the same window.
    b.book->openWithUser("wanglei");
    QCOMPARE(b.book->conversations().size(), 2);
    QCOMPARE(b.viewOf(w)->presented, 2);
}

void ConversationBookTest::presenceReachesOpenedWindowsOnly()
{
    Book b;
    b.book->peerPresenceChanged("chenjie@localhost", "陈杰", true);
    QVERIFY(b.book->conversations().isEmpty()); // nothing created
    b.book->find(ConversationKey::of(kMe, "chenjie@localhost"), true);
    b.book->peerPresenceChanged("chenjie@localhost", "陈杰", true);
    QVERIFY(b.viewOf(b.with("chenjie@localhost"))->header.isEmpty()); // not opened
    b.book->openWithUser("chenjie");
    b.book->peerPresenceChanged("chenjie@localhost", "陈杰", false);
    QCOMPARE(b.viewOf(b.with("chenjie@localhost"))->header, QStringLiteral("offline:陈杰"));
    b.book->peerPresenceChanged("chenjie@localhost", "陈杰", true);
    QCOMPARE(b.viewOf(b.with("chenjie@localhost"))->header, QStringLiteral("陈杰"));
}

void ConversationBookTest::titleFollowsTheFriend()
{
    Book b;
    b.book->openWithUser("chenjie");
    ChatConversation* c = b.with("chenjie@localhost");
    ConversationBook::Title t = b.book->titleOf(c);
    QCOMPARE(t.caption, QStringLiteral("某人- 对话"));
    QVERIFY(t.friendName.isEmpty());
    b.friends << FriendEntry{"chenjie@localhost", QStringLiteral("陈杰"), 1};
    t = b.book->titleOf(c);
    QCOMPARE(t.caption, QStringLiteral("陈杰- 对话"));
    QVERIFY(t.friendOffline);
    b.friends[0].offline = 0;
    QVERIFY(!b.book->titleOf(c).friendOffline);
}

void ConversationBookTest::sendTrimsAndIgnoresFailures()
{
    Book b;
    b.book->openWithUser("chenjie");
    ChatConversation* c = b.with("chenjie@localhost");
    b.book->send(c, "  two\nlines  ");
    QCOMPARE(b.client.calls.last(), QStringLiteral("sendMessage:chenjie@localhost:1:two\r\nlines"));
    QVERIFY(b.viewOf(c)->content.contains(QStringLiteral("lina@localhost&nbsp;05-01")));
    QVERIFY(b.viewOf(c)->content.contains(QStringLiteral("two&nbsp;<br>\nlines")));

    // A blank input sends and shows an empty line.
    const int before = b.viewOf(c)->content.size();
    b.book->send(c, "   ");
    QCOMPARE(b.client.calls.last(), QStringLiteral("sendMessage:chenjie@localhost:1:"));
    QVERIFY(b.viewOf(c)->content.size() > before);

    // A failure of the client leaves the line shown and raises nothing.
    b.client.failNext = true;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("sending a chat message to .* failed"));
    b.book->send(c, "lost?");
    QVERIFY(b.viewOf(c)->content.contains("lost?"));
}

void ConversationBookTest::closeAllGoesNewestFirst()
{
    Book b;
    b.book->openWithUser("chenjie");
    b.book->receive("liuyang", "localhost", "x");
    b.book->openWithUser("wanglei");
    b.book->closeAll();
    QCOMPARE(b.closings,
             (QStringList{"wanglei@localhost", "liuyang@localhost", "chenjie@localhost"}));
    QVERIFY(b.book->conversations().isEmpty());
    QVERIFY(!b.book->hasPending());
}

void ConversationBookTest::historyIsShownWhenAConversationOpens()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ChatHistory history(dir.filePath("data/chat-history.db"));
    {
        Book b(&history);
        b.book->receive("chenjie", "localhost", "held <b>"); // stored on arrival
        b.book->closeAll();                                  // before it was ever opened
        b.book->openWithUser("chenjie");
        b.book->send(b.with("chenjie@localhost"), "reply");
        b.book->closeAll();
    }
    Book b(&history);
    b.book->openWithUser("ChenJie"); // another spelling of the same peer
    const QString content = b.viewOf(b.with("ChenJie@localhost"))->content;
    QVERIFY2(content.contains("held&nbsp;&lt;b&gt;"), qPrintable(content));
    QVERIFY(content.indexOf("held") < content.indexOf("reply"));
    QVERIFY(content.contains("<HR"));
    // The earlier lines come before anything new.
    b.book->receive("ChenJie", "localhost", "new one");
    QVERIFY(content.size() < b.viewOf(b.with("ChenJie@localhost"))->content.size());
    const QString now = b.viewOf(b.with("ChenJie@localhost"))->content;
    QVERIFY(now.indexOf("<HR") < now.indexOf("new&nbsp;one"));

    // Only the last 50 lines, and other peers' lines never.
    for (int i = 0; i < 60; ++i)
        history.append(kMe, "wanglei@localhost", ChatLine{"lina", QString("n%1;").arg(i), {}});
    b.book->openWithUser("wanglei");
    const QString w = b.viewOf(b.with("wanglei@localhost"))->content;
    QVERIFY(!w.contains("n9;"));
    QVERIFY(w.contains("n10;") && w.contains("n59;"));
    QVERIFY(!w.contains("held"));
    QVERIFY(b.historyFailures.isEmpty());
}

void ConversationBookTest::unusableHistoryIsReportedOnceAndChattingGoesOn()
{
    QTemporaryDir dir;
    QFile junk(dir.filePath("chat-history.db"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    ChatHistory history(junk.fileName());
    Book b(&history);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("chat history .* unavailable"));
    b.book->openWithUser("chenjie");
    b.book->send(b.with("chenjie@localhost"), "still works");
    b.book->receive("chenjie", "localhost", "and back");
    QCOMPARE(b.historyFailures.size(), 1);
    QVERIFY(!history.available());
    const QString content = b.viewOf(b.with("chenjie@localhost"))->content;
    QVERIFY(content.contains("still&nbsp;works") && content.contains("and&nbsp;back"));
    QCOMPARE(b.client.calls.last(), QStringLiteral("sendMessage:chenjie@localhost:1:still works"));
}

QTEST_GUILESS_MAIN(ConversationBookTest)
#include "tst_ConversationBook.moc"
