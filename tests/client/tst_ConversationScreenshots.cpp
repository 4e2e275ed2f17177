// Pictures of a chat window with lines both ways and of the four detail windows, written to
// the build folder's artifacts (conversations/).
#include "FakeIMClient.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "client/DetailWindows.h"
#include "core/FieldScrambler.h"
#include "im/ChatConversation.h"
#include "im/ConversationBook.h"
#include "im/ConversationKey.h"
#include "ui/im/TfrmChating.h"
#include "ui/main/DetailWindow.h"

#include <QPlainTextEdit>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

class ConversationScreenshotsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chatWindow();
    void detailWindows();
};

void ConversationScreenshotsTest::chatWindow()
{
    resetSession();
    FakeIMClient client;
    std::unique_ptr<ConversationBook> book;
    ConversationServices s;
    s.client = &client;
    s.loginIdentity = [] { return QStringLiteral("lina@localhost"); };
    s.hostName = [] { return QStringLiteral("localhost"); };
    s.findFriend = [](const QString& jid) -> std::optional<FriendEntry> {
        if (jid == QLatin1String("chenjie@localhost"))
            return FriendEntry{jid, QStringLiteral("陈杰"), 0};
        return std::nullopt;
    };
    s.createView = [&book](ChatConversation* c) -> ConversationView* {
        return new TfrmChating(book.get(), c, TfrmChating::SendMode::CtrlEnter);
    };
    book = std::make_unique<ConversationBook>(s);
    book->openFromFriend(FriendEntry{"chenjie@localhost", QStringLiteral("陈杰"), 0});
    ChatConversation* c =
        book->find(ConversationKey::of("lina@localhost", "chenjie@localhost"), false);
    auto* window = dynamic_cast<TfrmChating*>(c->view);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->showPeerPresent(QStringLiteral("陈杰"));
    book->receive("chenjie", "localhost", QStringLiteral("你好，明天有去北京的车吗？"));
    book->send(c, QStringLiteral("有的，10吨厢式车，详情见 http://www.localhost/cargo/1 "));
    book->receive("chenjie", "localhost", QStringLiteral("<b>好的</b> & 谢谢"));
    window->findChild<QPlainTextEdit*>(QStringLiteral("MsgInput"))
        ->setPlainText(QStringLiteral("正在输入……"));
    // Wait until the document shows the three lines.
    QVERIFY(QTest::qWaitFor(
        [window] {
            bool done = false;
            int count = 0;
            qobject_cast<QWebEngineView*>(window->conversationView())
                ->page()
                ->runJavaScript(QStringLiteral("document.querySelectorAll('div').length"),
                                [&](const QVariant& v) {
                                    count = v.toInt();
                                    done = true;
                                });
            return QTest::qWaitFor([&done] { return done; }, 2000) && count >= 6;
        },
        15000));
    QTest::qWait(300);
    UiTestKit::saveScreenshot(window, QStringLiteral("chat-window.png"),
                              QStringLiteral("conversations"));
    book->closeAll();
}

void ConversationScreenshotsTest::detailWindows()
{
    resetSession();
    session().loginIdentity = QStringLiteral("lina@localhost");
    DetailWindows windows({});
    ListingDetailRequest land;
    land.family = ListingFamily::Land;
    land.caption = QStringLiteral("10086");
    land.richText =
        QStringLiteral("上海到北京 10吨厢式车 求货 <span style=\"color:#939291\">05-01</span>");
    land.fields.insert(QStringLiteral("lblPosition"), QStringLiteral("上海"));
    land.contact = QStringLiteral("张先生 13800000000 上海远航物流");
    land.sender = QStringLiteral("chenjie");
    land.canBefriend = true;

    ListingDetailRequest air = land;
    air.family = ListingFamily::Air;
    air.fields = {{"lblArea", "上海--东京"},   {"lblCompany", "东航"}, {"lblCycle", "每天"},
                  {"lblDirect", "直达"},       {"lblDays", "7天"},     {"lblPrice", "30/28/26/25"},
                  {"lblMem", "不含燃油附加费"}};
    ListingDetailRequest sea = land;
    sea.family = ListingFamily::Sea;
    sea.fields = {
        {"company", "中远"},    {"startport", "上海"},  {"toport", "鹿特丹"},
        {"passoption", "中转"}, {"passport", "新加坡"}, {"duty", "周三"},
        {"days", "28"},         {"line", "亚欧线"},     {"lblseasqu", "上海-新加坡-鹿特丹"}};
    ListingDetailRequest rail = land;
    rail.family = ListingFamily::Rail;
    rail.canBefriend = false; // the user's own listing
    rail.fields = {{"triannum", "X101"},    {"startcity", "上海局"}, {"tocity", "乌鲁木齐局"},
                   {"fromport1", "杨浦"},   {"fromport2", "南翔"},   {"toport2", "阿拉山口"},
                   {"toport1", "霍尔果斯"}, {"cycle", "3"},          {"starttime", "08:00"},
                   {"totime", "20:00"},     {"hours", "18.5 小时"}};
    const QList<QPair<ListingDetailRequest, QString>> all{{land, "detail-land.png"},
                                                          {air, "detail-air.png"},
                                                          {sea, "detail-sea.png"},
                                                          {rail, "detail-rail.png"}};
    for (const auto& item : all) {
        windows.open(item.first, nullptr);
        DetailWindow* w = windows.window(item.first.family);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(100);
        UiTestKit::saveScreenshot(w, item.second, QStringLiteral("conversations"));
    }
}

QTEST_MAIN(ConversationScreenshotsTest)
#include "tst_ConversationScreenshots.moc"
