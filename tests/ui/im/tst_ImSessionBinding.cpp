// The IM panel showing a session as a user drives it: the session's roster, list and status
// appear in the friend tree and LblMyState; double-click and the friend menu's items reach
// the session.
#include "SessionFixture.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"
#include "ui/im/ImSessionBinding.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

class ImSessionBindingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void connectingShowsTheGroupsAndTheStatus();
    void rosterChangesAppearInTheTree();
    void disconnectionEmptiesAndHidesTheTree();
    void companyStatusIsFittedWithTheCompanyAsHint();
    void doubleClickAndOpenItemOpenTheConversation();
    void renameAndDeleteItemsReachTheSession();
    void groupsSendNothingToTheSession();
    void menuCaptionFollowsPresence();
    void aLateBindingShowsWhatTheSessionHolds();
    void treeActionsAfterTheSessionEndedDoNothing();

private:
    void connectAndSync(const QList<FakeIMClient::Contact>& roster)
    {
        fixture->connectAndSync(roster);
    }
    void showPanelWithFriendsExpanded();
    QTreeWidgetItem* node(const QString& jid) const { return tree()->findFriend(jid); }
    FriendTree* tree() const { return panel->friendTree(); }
    QAction* menuItem(const char* name) const
    {
        return panel->findChild<QAction*>(QLatin1String(name));
    }
    QIcon icon(FriendTree::Icon which) const { return tree()->iconFor(which); }

    std::unique_ptr<SessionFixture> fixture;
    FakeIMClient* client = nullptr;
    RecordingChatWindows* chat = nullptr;
    ScriptedSessionDialogs* dialogs = nullptr;
    IMSession* im = nullptr;
    ImPanel* panel = nullptr;
};

void ImSessionBindingTest::init()
{
    fixture = std::make_unique<SessionFixture>();
    client = &fixture->client;
    chat = &fixture->chat;
    dialogs = &fixture->dialogs;
    im = fixture->session.get();
    panel = new ImPanel;
    new ImSessionBinding(im, panel);
}

void ImSessionBindingTest::cleanup()
{
    delete panel;
    fixture.reset();
}

void ImSessionBindingTest::showPanelWithFriendsExpanded()
{
    panel->resize(200, ImPanel::ExpandedHeight);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    tree()->firstGroup()->setExpanded(true);
}

void ImSessionBindingTest::connectingShowsTheGroupsAndTheStatus()
{
    QVERIFY(tree()->isHidden());
    panel->statusLabel()->setText(QStringLiteral("x"));
    im->signIn();
    QCOMPARE(panel->statusLabel()->text(), QStringLiteral("正在登录..."));
    client->raiseConnected();
    QCOMPARE(panel->statusLabel()->text(), QStringLiteral("正在获取联系人..."));
    QVERIFY(!tree()->isHidden());
    QCOMPARE(tree()->topLevelItemCount(), 2);
    QCOMPARE(tree()->topLevelItem(0)->text(0), QStringLiteral("我的好友"));
    QCOMPARE(tree()->topLevelItem(1)->text(0), QStringLiteral("货运联盟"));
    QVERIFY(FriendTree::isGroup(tree()->topLevelItem(0)));
    QVERIFY(!tree()->topLevelItem(0)->isExpanded());
    client->raiseConnected();
    QCOMPARE(tree()->topLevelItemCount(), 2);
}

void ImSessionBindingTest::rosterChangesAppearInTheTree()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}, {"chenjie@localhost", ""}});
    QTreeWidgetItem* group = tree()->firstGroup();
    QCOMPARE(group->childCount(), 2);
    QCOMPARE(group->child(0)->text(0), QStringLiteral("张伟"));
    QCOMPARE(group->child(1)->text(0), QStringLiteral("chenjie"));
    QCOMPARE(tree()->topLevelItem(1)->childCount(), 0);
    QCOMPARE(node("zhangwei@localhost")->icon(0).cacheKey(),
             icon(FriendTree::IconOffline).cacheKey());

    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 1, QString());
    QCOMPARE(FriendTree::entryOf(node("zhangwei@localhost")).offline, 0);
    QCOMPARE(node("zhangwei@localhost")->icon(0).cacheKey(),
             icon(FriendTree::IconPresent).cacheKey());
    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 0, QString());
    QCOMPARE(node("zhangwei@localhost")->icon(0).cacheKey(),
             icon(FriendTree::IconOffline).cacheKey());

    // A group the user opened stays open when the roster is read again.
    group->setExpanded(true);
    client->roster = {{"sunli@localhost", "孙丽"}};
    Q_EMIT client->OnSync();
    QCOMPARE(group->childCount(), 1);
    QCOMPARE(group->child(0)->text(0), QStringLiteral("孙丽"));
    QVERIFY(group->isExpanded());

    im->addFriend(QStringLiteral("zhaoqiang"), QString());
    QCOMPARE(group->child(1)->text(0), QStringLiteral("zhaoqiang"));
    QCOMPARE(FriendTree::entryOf(group->child(1)).jid, QStringLiteral("zhaoqiang@localhost"));
}

void ImSessionBindingTest::disconnectionEmptiesAndHidesTheTree()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    client->isConnected = false;
    Q_EMIT client->OnDisconnected(0, QString());
    QVERIFY(tree()->isHidden());
    QCOMPARE(tree()->topLevelItemCount(), 0);
    QCOMPARE(panel->statusLabel()->toolTip(), QStringLiteral("北京远航物流"));
}

void ImSessionBindingTest::companyStatusIsFittedWithTheCompanyAsHint()
{
    const QString company = QStringLiteral("上海远洋国际货运代理有限公司第一分公司华东大区");
    panel->resize(160, ImPanel::ExpandedHeight);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    client->isConnected = true;
    im->showStatus(company);
    QVERIFY(panel->statusLabel()->text().endsWith(QStringLiteral(" ...")));
    QCOMPARE(panel->statusLabel()->toolTip(), company);
    panel->resize(1200, ImPanel::ExpandedHeight);
    QTRY_COMPARE(panel->statusLabel()->text(), company + QStringLiteral("(联机)"));
}

void ImSessionBindingTest::doubleClickAndOpenItemOpenTheConversation()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    showPanelWithFriendsExpanded();
    chat->calls.clear();
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {},
                       tree()->visualItemRect(node("zhangwei@localhost")).center());
    QCOMPARE(chat->calls, QStringList{"open:zhangwei@localhost"});

    tree()->setCurrentItem(node("zhangwei@localhost"));
    menuItem("NR1")->trigger();
    QCOMPARE(chat->calls.count("open:zhangwei@localhost"), 2);
}

void ImSessionBindingTest::renameAndDeleteItemsReachTheSession()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    tree()->setCurrentItem(node("zhangwei@localhost"));
    dialogs->newName = QStringLiteral("老张");
    menuItem("NR4")->trigger();
    QCOMPARE(dialogs->namePrompts, QStringList{"修改名称|请输入新的名称"});
    QCOMPARE(client->commands.size(), 1);
    QCOMPARE(node("zhangwei@localhost")->text(0), QStringLiteral("老张"));

    client->calls.clear();
    dialogs->confirmAnswers = {true};
    menuItem("N2")->trigger();
    QCOMPARE(dialogs->questions, QStringList{"确定要删除:老张 吗?"});
    QCOMPARE(client->calls, QStringList{"removeContact:zhangwei@localhost::"});
    QVERIFY(!node("zhangwei@localhost"));
    QCOMPARE(tree()->firstGroup()->childCount(), 0);
}

void ImSessionBindingTest::groupsSendNothingToTheSession()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    chat->calls.clear();
    tree()->setCurrentItem(tree()->firstGroup());
    dialogs->confirmAnswers = {true};
    for (const char* item : {"NR1", "NR4", "N2"})
        menuItem(item)->trigger();
    QVERIFY(chat->calls.isEmpty());
    QVERIFY(dialogs->namePrompts.isEmpty());
    QVERIFY(dialogs->questions.isEmpty());
    QCOMPARE(tree()->topLevelItemCount(), 2);
}

void ImSessionBindingTest::menuCaptionFollowsPresence()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    showPanelWithFriendsExpanded();
    const QPoint at = tree()->visualItemRect(node("zhangwei@localhost")).center();
    // Right button on an offline friend: "给他留言"; present: "开始对话".
    QTest::mousePress(tree()->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(menuItem("NR1")->text(), QStringLiteral("给他留言"));
    tree()->friendMenu()->hide();
    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 1, QString());
    QTest::mousePress(tree()->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(menuItem("NR1")->text(), QStringLiteral("开始对话"));
    tree()->friendMenu()->hide();
}

void ImSessionBindingTest::aLateBindingShowsWhatTheSessionHolds()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    ImPanel late;
    new ImSessionBinding(im, &late);
    FriendTree* lateTree = late.friendTree();
    QVERIFY(!lateTree->isHidden());
    QCOMPARE(lateTree->topLevelItemCount(), 2);
    QCOMPARE(lateTree->firstGroup()->child(0)->text(0), QStringLiteral("张伟"));
    QCOMPARE(late.statusLabel()->text(), QStringLiteral("正在获取联系人..."));
}

void ImSessionBindingTest::treeActionsAfterTheSessionEndedDoNothing()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    tree()->setCurrentItem(node("zhangwei@localhost"));
    chat->calls.clear();
    fixture->session.reset();
    im = nullptr;
    menuItem("NR1")->trigger();
    menuItem("NR4")->trigger();
    QVERIFY(chat->calls.isEmpty());
    QVERIFY(dialogs->namePrompts.isEmpty());
}

QTEST_MAIN(ImSessionBindingTest)
#include "tst_ImSessionBinding.moc"
