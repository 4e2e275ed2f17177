#include "FakeIMClient.h"
#include "app/SessionState.h"
#include "im/ChatWindows.h"
#include "im/IMSession.h"
#include "im/IMSessionHost.h"
#include "im/RosterStanza.h"
#include "ui/common/MessageBoxes.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"
#include "ui/im/StatusTextFitter.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

namespace {

class FakeHost : public IMSessionHost
{
public:
    void writeMainSettings() override { steps << "writeMainSettings"; }
    void startProfileFetch() override { steps << "startProfileFetch"; }
    void startAdvertisementFetch() override { steps << "startAdvertisementFetch"; }
    void setConnectionText(const QString& text, const QColor& color) override
    {
        if (!text.isEmpty())
            connText = text;
        connColor = color;
    }
    void setEndDateText(const QString& text) override { endDate = text; }
    void setTrayHint(const QString& text) override { trayHint = text; }
    QString applicationTitle() const override { return QStringLiteral("Tovanta"); }
    void setMenuEnabled(SessionMenu item, bool enabled) override { menus[item] = enabled; }
    bool runLoginAgain() override
    {
        steps << "runLoginAgain";
        return loginAgainResult;
    }

    QStringList steps;
    QString connText, endDate, trayHint;
    QColor connColor;
    QMap<int, bool> menus;
    bool loginAgainResult = true;
};

class FakeChat : public ChatWindows
{
public:
    void receive(const QString& from, const QString& domain, const QString& text) override
    {
        calls << QStringLiteral("receive:%1:%2:%3").arg(from, domain, text);
    }
    void openFromFriend(const FriendEntry& entry) override { calls << "open:" + entry.jid; }
    void peerPresenceChanged(const QString& jid, const QString& name, bool present) override
    {
        calls << QStringLiteral("presence:%1:%2:%3").arg(jid, name).arg(present);
    }
    void clearPending() override { calls << "clearPending"; }
    void closeAll() override { calls << "closeAll"; }
    QStringList calls;
};

} // namespace

class IMSessionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void signInSetsTheClientUpAndConnects();
    void signInFailureIsShown();
    void refusedConnectionIsAFailedSignIn();
    void connectedRunsItsStepsInOrder();
    void connectedWithErrorStatusDoesNothing();
    void groupsAreNotDuplicated();
    void syncBuildsTheFriendList();
    void syncStartsAdvertisementsEvenWithoutTree();
    void presenceChangesIconsAndChatHeader();
    void showStatusConnectedAndDisconnected();
    void longCompanyIsShortenedToWholeCharacters();
    void cleanUpSequence();
    void logOffAndLogInAgain();
    void addFriendRules();
    void renameSendsEscapedRosterItem();
    void renameFailureKeepsTheName();
    void deleteAsksFirstAndRefusesGroups();
    void subscriptionRequestAsksTheUser();
    void chatMessagesAcceptedOnlyFromOurClient();
    void friendTreeHintsAndMenuCaption();

private:
    void connectAndSync(const QList<FakeIMClient::Contact>& roster);
    QTreeWidgetItem* friendNode(const QString& jid) const;

    FakeIMClient* client = nullptr;
    ImPanel* panel = nullptr;
    FakeHost* host = nullptr;
    FakeChat* chat = nullptr;
    IMSession* im = nullptr;
};

void IMSessionTest::init()
{
    resetSession();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().password = QStringLiteral("demo1234");
    session().HostName = QStringLiteral("localhost");
    session().ServerPort = 15222;
    session().profile.company = QStringLiteral("北京远航物流");
    session().profile.endate = QStringLiteral("2027-12-31");
    client = new FakeIMClient;
    panel = new ImPanel;
    host = new FakeHost;
    chat = new FakeChat;
    im = new IMSession(client, panel, host);
    im->setChatWindows(chat);
}

void IMSessionTest::cleanup()
{
    delete im;
    delete chat;
    delete host;
    delete panel;
    delete client;
}

void IMSessionTest::connectAndSync(const QList<FakeIMClient::Contact>& roster)
{
    client->roster = roster;
    client->raiseConnected();
    Q_EMIT client->OnSync();
}

QTreeWidgetItem* IMSessionTest::friendNode(const QString& jid) const
{
    return panel->friendTree()->findFriend(jid);
}

void IMSessionTest::signInSetsTheClientUpAndConnects()
{
    panel->statusLabel()->setText("x");
    im->signIn();
    QCOMPARE(client->server, QStringLiteral("localhost"));
    QCOMPARE(client->port, 15222);
    QCOMPARE(client->resource, QStringLiteral("haulway"));
    QCOMPARE(client->authMethods, QStringLiteral("*"));
    QCOMPARE(client->timeout, 5000);
    QCOMPARE(client->calls, QStringList{"connectToServer"});
    QCOMPARE(client->connectedUser, QStringLiteral("lina@localhost"));
    QCOMPARE(client->connectedPassword, QStringLiteral("demo1234"));
    QCOMPARE(panel->statusLabel()->text(), QStringLiteral("正在登录..."));
    QCOMPARE(host->connColor, QColor(Qt::black));
}

void IMSessionTest::signInFailureIsShown()
{
    client->failNext = true;
    im->signIn();
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(host->connColor, QColor(Qt::red));
    QVERIFY(!client->connected());
}

void IMSessionTest::refusedConnectionIsAFailedSignIn()
{
    im->signIn(); // accepted by the client, refused later by the server
    Q_EMIT client->OnDisconnected(1, QStringLiteral("Socket error"));
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(host->connColor, QColor(Qt::red));
    QVERIFY(panel->friendTree()->isHidden());

    // A connection that was up ends as a plain disconnection.
    im->signIn();
    client->raiseConnected();
    client->isConnected = false;
    Q_EMIT client->OnDisconnected(0, QString());
    QCOMPARE(host->connText, QStringLiteral("断开"));
    QCOMPARE(host->connColor, QColor(Qt::black));

    // Logging off while still connecting stops the attempt.
    im->signIn();
    client->calls.clear();
    im->cleanUp();
    QCOMPARE(client->calls, QStringList{"disconnectFromServer"});
}

void IMSessionTest::connectedRunsItsStepsInOrder()
{
    client->raiseConnected();
    QCOMPARE(host->steps, (QStringList{"writeMainSettings", "startProfileFetch"}));
    QCOMPARE(panel->statusLabel()->text(), QStringLiteral("正在获取联系人..."));
    QCOMPARE(host->connText, QStringLiteral("已连接"));
    QVERIFY(!panel->friendTree()->isHidden());
    FriendTree* tree = panel->friendTree();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("我的好友"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("货运联盟"));
    QVERIFY(FriendTree::isGroup(tree->topLevelItem(0)));
    QVERIFY(!tree->topLevelItem(0)->isExpanded());
    QCOMPARE(host->menus.value(IMSessionHost::MenuAddFriend), true);
}

void IMSessionTest::connectedWithErrorStatusDoesNothing()
{
    Q_EMIT client->OnConnected(401, QStringLiteral("not authorised"));
    QVERIFY(host->steps.isEmpty());
    QCOMPARE(panel->friendTree()->topLevelItemCount(), 0);
    QVERIFY(!host->menus.contains(IMSessionHost::MenuAddFriend));
}

void IMSessionTest::groupsAreNotDuplicated()
{
    client->raiseConnected();
    client->raiseConnected();
    QCOMPARE(panel->friendTree()->topLevelItemCount(), 2);
}

void IMSessionTest::syncBuildsTheFriendList()
{
    connectAndSync({{"lina@localhost", "我自己"},
                    {"zhangwei@localhost", "张伟"},
                    {"chenjie@localhost", ""},
                    {"zhangwei@localhost", "again"}});
    FriendTree* tree = panel->friendTree();
    QTreeWidgetItem* group = tree->firstGroup();
    QCOMPARE(group->childCount(), 2);
    QVERIFY(!friendNode("lina@localhost")); // own JID never shown
    QCOMPARE(friendNode("zhangwei@localhost")->text(0), QStringLiteral("张伟"));
    QCOMPARE(friendNode("chenjie@localhost")->text(0), QStringLiteral("chenjie"));
    QCOMPARE(FriendTree::entryOf(friendNode("chenjie@localhost")).offline, 1);
    QCOMPARE(tree->topLevelItem(1)->childCount(), 0);
    QCOMPARE(host->steps.count("startAdvertisementFetch"), 1);

    // A second sync rebuilds rather than appends.
    client->roster = {{"sunli@localhost", "孙丽"}};
    Q_EMIT client->OnSync();
    QCOMPARE(group->childCount(), 1);
    QVERIFY(friendNode("sunli@localhost"));
    QVERIFY(!friendNode("zhangwei@localhost"));
    QCOMPARE(im->friendByJid("sunli@localhost")->displayName, QStringLiteral("孙丽"));
    QVERIFY(!im->friendByJid("zhangwei@localhost"));
}

void IMSessionTest::syncStartsAdvertisementsEvenWithoutTree()
{
    client->roster = {{"zhangwei@localhost", "张伟"}};
    Q_EMIT client->OnSync(); // not connected yet: no groups, nothing added
    QCOMPARE(panel->friendTree()->topLevelItemCount(), 0);
    QCOMPARE(host->steps, QStringList{"startAdvertisementFetch"});
}

void IMSessionTest::presenceChangesIconsAndChatHeader()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 1, QString());
    QCOMPARE(FriendTree::entryOf(node).offline, 0);
    QCOMPARE(chat->calls.last(), QStringLiteral("presence:zhangwei@localhost:张伟:1"));
    const qint64 presentIcon = node->icon(0).cacheKey();

    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 5, QString());
    QCOMPARE(FriendTree::entryOf(node).offline, 0); // unknown availability: unchanged
    QCOMPARE(node->icon(0).cacheKey(), presentIcon);
    QCOMPARE(chat->calls.size(), 1);

    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 0, QString());
    QCOMPARE(FriendTree::entryOf(node).offline, 1);
    QVERIFY(node->icon(0).cacheKey() != presentIcon);
    QCOMPARE(chat->calls.last(), QStringLiteral("presence:zhangwei@localhost:张伟:0"));

    Q_EMIT client->OnPresence("stranger", "localhost", "haulway", 1, QString());
    Q_EMIT client->OnPresence("", "localhost", "", 1, QString());
    QCOMPARE(chat->calls.size(), 2);
}

void IMSessionTest::showStatusConnectedAndDisconnected()
{
    client->isConnected = true;
    im->showStatus(QStringLiteral("远航"));
    QCOMPARE(panel->statusLabel()->toolTip(), QStringLiteral("远航"));
    QCOMPARE(host->trayHint, QStringLiteral("远航(联机)"));
    QCOMPARE(host->connText, QStringLiteral("联机"));
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogOff), true);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogOff), true);
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogIn), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogIn), false);
    QCOMPARE(host->endDate, QStringLiteral("有效期:2027-12-31"));

    host->menus.clear();
    client->isConnected = false;
    im->showStatus(QStringLiteral("远航"));
    QCOMPARE(host->trayHint, QStringLiteral("Tovanta"));
    QCOMPARE(host->connText, QStringLiteral("断开"));
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogOff), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogIn), true);
    QVERIFY(!host->menus.contains(IMSessionHost::MenuLogOff));

    // lblEndate holds at most 39 bytes, never half a character.
    session().profile.endate = QString(40, QChar(0x5E74)); // "年", two bytes each
    im->showStatus(QStringLiteral("远航"));
    QCOMPARE(host->endDate, QStringLiteral("有效期:") + QString(16, QChar(0x5E74)));
}

void IMSessionTest::longCompanyIsShortenedToWholeCharacters()
{
    const QString company = QStringLiteral("上海远洋国际货运代理有限公司第一分公司华东大区");
    const QFontMetrics metrics(panel->statusLabel()->font());
    const int width = metrics.horizontalAdvance(QStringLiteral("上海远洋国际 ..."));
    const QString shown =
        StatusTextFitter::fit(company + QStringLiteral("(联机)"), company, metrics, width);
    QVERIFY(shown.endsWith(QStringLiteral(" ...")));
    QVERIFY(company.startsWith(shown.chopped(4)));
    QVERIFY(metrics.horizontalAdvance(shown) <= width);
    QCOMPARE(shown, QStringLiteral("上海远洋国际 ..."));
    // A text that fits stays whole.
    QCOMPARE(
        StatusTextFitter::fit(QStringLiteral("远航(联机)"), QStringLiteral("远航"), metrics, 1000),
        QStringLiteral("远航(联机)"));
    // Through the panel: the hint keeps the full company.
    panel->resize(160, ImPanel::ExpandedHeight);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    client->isConnected = true;
    im->showStatus(company);
    QVERIFY(panel->statusLabel()->text().endsWith(QStringLiteral(" ...")));
    QCOMPARE(panel->statusLabel()->toolTip(), company);
    // Given room, the label shows the whole text again.
    panel->resize(1200, ImPanel::ExpandedHeight);
    QTRY_COMPARE(panel->statusLabel()->text(), company + QStringLiteral("(联机)"));
}

void IMSessionTest::cleanUpSequence()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    chat->calls.clear();
    host->menus.clear();
    client->calls.clear();
    client->isConnected = false; // the connection is gone when the event arrives
    Q_EMIT client->OnDisconnected(0, QString());
    QVERIFY(client->calls.isEmpty()); // not connected any more: no disconnect call
    QCOMPARE(chat->calls, (QStringList{"clearPending", "closeAll"}));
    QVERIFY(panel->friendTree()->isHidden());
    QCOMPARE(panel->friendTree()->topLevelItemCount(), 0);
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogOff), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogIn), true);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAddFriend), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogIn), true);
    QCOMPARE(panel->statusLabel()->toolTip(), QStringLiteral("北京远航物流"));
    QCOMPARE(host->connText, QStringLiteral("断开"));
}

void IMSessionTest::logOffAndLogInAgain()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    client->calls.clear();
    im->logOffAndLogIn();
    // Disconnects while connected (its own OnDisconnected re-enters clean up harmlessly),
    // then logs in again and signs in.
    QCOMPARE(client->calls, (QStringList{"disconnectFromServer", "connectToServer"}));
    QCOMPARE(host->steps.last(), QStringLiteral("runLoginAgain"));
    QCOMPARE(chat->calls.count("closeAll"), 1);

    client->calls.clear();
    host->loginAgainResult = false;
    im->logOffAndLogIn();
    QVERIFY(!client->calls.contains("connectToServer"));
}

void IMSessionTest::addFriendRules()
{
    connectAndSync({});
    MessageBoxes::Recorder boxes;
    client->calls.clear();
    im->addFriend(QString(), QStringLiteral("无名"));
    im->addFriend(QStringLiteral("lina"), QStringLiteral("我"));
    QVERIFY(client->calls.isEmpty());
    QCOMPARE(boxes.count(), 0);

    im->addFriend(QStringLiteral("zhangwei"), QStringLiteral("张伟"));
    QCOMPARE(client->calls, (QStringList{"addContact:zhangwei@localhost:张伟:",
                                         "subscribeTo:zhangwei@localhost"}));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().caption, QStringLiteral("信息"));
    QCOMPARE(boxes.last().text, QStringLiteral("已向 zhangwei 发送请求，请等待对方确认"));
    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    QVERIFY(node);
    QCOMPARE(node->parent(), panel->friendTree()->firstGroup());
    QCOMPARE(node->text(0), QStringLiteral("zhangwei"));
    QCOMPARE(FriendTree::entryOf(node).offline, 1);

    // Asking again does not give the friend a second node.
    im->addFriend(QStringLiteral("zhangwei"), QStringLiteral("张伟"));
    QCOMPARE(panel->friendTree()->firstGroup()->childCount(), 1);

    // A failing client: no box, no node.
    client->failNext = true;
    im->addFriend(QStringLiteral("sunli"), QString());
    QCOMPARE(boxes.count(), 2);
    QVERIFY(!friendNode("sunli@localhost"));
}

void IMSessionTest::renameSendsEscapedRosterItem()
{
    QCOMPARE(RosterStanza::rename(QStringLiteral("a@localhost"), QStringLiteral("O'Neil <&> \"x\""),
                                  QStringLiteral("r1")),
             QStringLiteral("<iq type='set' id='r1'><query xmlns='jabber:iq:roster'><item "
                            "jid='a@localhost' name='O&apos;Neil &lt;&amp;&gt; &quot;x&quot;'/>"
                            "</query></iq>"));

    connectAndSync({{"zhangwei@localhost", "张伟"}});
    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    QString answer;
    bool ok = true;
    QStringList prompts;
    im->setInputBox([&](const QString& caption, const QString& prompt, QString* text) {
        prompts << caption + "|" + prompt;
        *text = answer;
        return ok;
    });
    answer = QStringLiteral("老张's");
    im->renameFriend(node);
    QCOMPARE(prompts, QStringList{"修改名称|请输入新的名称"});
    QCOMPARE(client->commands.size(), 1);
    const QRegularExpression renameIq(
        QStringLiteral("^<iq type='set' id='([^']+)'><query xmlns='jabber:iq:roster'><item "
                       "jid='zhangwei@localhost' name='老张&apos;s'/></query></iq>$"));
    QVERIFY2(renameIq.match(client->commands[0]).hasMatch(), qPrintable(client->commands[0]));
    QVERIFY(RosterStanza::nextId() != RosterStanza::nextId());
    QCOMPARE(node->text(0), QStringLiteral("老张's"));

    answer.clear(); // empty text: nothing
    im->renameFriend(node);
    answer = QStringLiteral("新名");
    ok = false; // cancelled
    im->renameFriend(node);
    im->renameFriend(panel->friendTree()->firstGroup()); // groups are not renamed
    QCOMPARE(client->commands.size(), 1);
    QCOMPARE(node->text(0), QStringLiteral("老张's"));

    // The connection drops while the box is open: the tree is emptied, nothing is sent.
    im->setInputBox([&](const QString&, const QString&, QString* text) {
        client->isConnected = false;
        Q_EMIT client->OnDisconnected(0, QString());
        *text = QStringLiteral("太迟了");
        return true;
    });
    im->renameFriend(node);
    QCOMPARE(client->commands.size(), 1);
    QCOMPARE(panel->friendTree()->topLevelItemCount(), 0);
}

void IMSessionTest::renameFailureKeepsTheName()
{
    connectAndSync({{"zhangwei@localhost", "老张's"}});
    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    im->setInputBox([](const QString&, const QString&, QString* text) {
        *text = QStringLiteral("新名");
        return true;
    });
    client->failNext = true; // send failed: the tree keeps the old name
    im->renameFriend(node);
    QCOMPARE(node->text(0), QStringLiteral("老张's"));
}

void IMSessionTest::deleteAsksFirstAndRefusesGroups()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    MessageBoxes::Recorder boxes;
    client->calls.clear();
    im->deleteFriend(panel->friendTree()->firstGroup());
    QCOMPARE(boxes.count(), 0);

    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    boxes.queueAnswer(MessageBoxes::Answer::No);
    im->deleteFriend(node);
    QCOMPARE(boxes.last().caption, QStringLiteral("确认信息"));
    QCOMPARE(boxes.last().text, QStringLiteral("确定要删除:张伟 吗?"));
    QCOMPARE(boxes.last().buttons, MessageBoxes::Buttons::YesNo);
    QVERIFY(client->calls.isEmpty());
    QVERIFY(friendNode("zhangwei@localhost"));

    boxes.queueAnswer(MessageBoxes::Answer::Yes);
    im->deleteFriend(node);
    QCOMPARE(client->calls, QStringList{"removeContact:zhangwei@localhost::"});
    QVERIFY(!friendNode("zhangwei@localhost"));
}

void IMSessionTest::subscriptionRequestAsksTheUser()
{
    QStringList asked;
    bool answer = true;
    im->setAuditDialog([&](const QString& from) {
        asked << from;
        return answer;
    });
    bool accept = false;
    Q_EMIT client->OnSubscriptionRequest("zhangwei", "localhost", &accept);
    QVERIFY(accept);
    answer = false;
    Q_EMIT client->OnSubscriptionRequest("chenjie", "localhost", &accept);
    QVERIFY(!accept);
    QCOMPARE(asked, (QStringList{"zhangwei", "chenjie"}));
}

void IMSessionTest::chatMessagesAcceptedOnlyFromOurClient()
{
    auto send = [&](const QString& domain, const QString& resource, int type) {
        Q_EMIT client->OnMessageIn("m1", "zhangwei", domain, resource, type, QString(), QString(),
                                   QStringLiteral("你好"), QString(), QString());
    };
    send("localhost", "haulway", 1);
    send("localhost", "haulway", 2);
    send("localhost", "phone", 1);
    send("elsewhere", "haulway", 1);
    send("localhost", "haulway", 0);
    send("localhost", "haulway", 3);
    QCOMPARE(chat->calls,
             (QStringList{"receive:zhangwei:localhost:你好", "receive:zhangwei:localhost:你好"}));
}

void IMSessionTest::friendTreeHintsAndMenuCaption()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    FriendTree* tree = panel->friendTree();
    QCOMPARE(FriendTree::groupHint(tree->topLevelItem(0)), QStringLiteral("我的好友(1)"));
    QCOMPARE(FriendTree::groupHint(tree->topLevelItem(1)),
             QStringLiteral("你还没有添加好友哦 ！ "));
    QCOMPARE(tree->friendMenu()->objectName(), QStringLiteral("PpMenuRight"));
    QCOMPARE(tree->renameAction()->text(), QStringLiteral("好友改名(&V)"));
    QCOMPARE(tree->deleteAction()->text(), QStringLiteral("删除好友(&D)"));

    // The menu's first item and a double-click open the conversation through the chat layer.
    tree->setCurrentItem(friendNode("zhangwei@localhost"));
    tree->openAction()->trigger();
    QCOMPARE(chat->calls.last(), QStringLiteral("open:zhangwei@localhost"));

    panel->resize(200, ImPanel::ExpandedHeight);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    QTreeWidgetItem* group = tree->topLevelItem(0);
    // Click on a group toggles it and its icon.
    const QRect groupRect = tree->visualItemRect(group);
    const QIcon expandedIcon = tree->iconFor(FriendTree::IconGroupExpanded);
    const QIcon collapsedIcon = tree->iconFor(FriendTree::IconGroupCollapsed);
    group->setExpanded(false);
    QCOMPARE(group->icon(0).cacheKey(), collapsedIcon.cacheKey());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, groupRect.center());
    QVERIFY(group->isExpanded());
    QCOMPARE(group->icon(0).cacheKey(), expandedIcon.cacheKey());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, groupRect.center());
    QVERIFY(!group->isExpanded());
    QCOMPARE(group->icon(0).cacheKey(), collapsedIcon.cacheKey());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, groupRect.center());
    QTreeWidgetItem* node = friendNode("zhangwei@localhost");
    const QRect nodeRect = tree->visualItemRect(node);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, nodeRect.center());
    QCOMPARE(chat->calls.count("open:zhangwei@localhost"), 2);

    // The selected friend's row is painted in the theme colour, other rows white.
    tree->setCurrentItem(node);
    const QImage shot = tree->viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(tree->viewport()->width() - 3, nodeRect.center().y())),
             QColor(0xCE, 0xDC, 0xEF));
    QCOMPARE(QColor(shot.pixel(tree->viewport()->width() - 3, groupRect.center().y())),
             QColor(Qt::white));

    // Right button on an offline friend: "给他留言"; present: "开始对话".
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, nodeRect.center());
    QCOMPARE(tree->openAction()->text(), QStringLiteral("给他留言"));
    tree->friendMenu()->hide();
    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 1, QString());
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, nodeRect.center());
    QCOMPARE(tree->openAction()->text(), QStringLiteral("开始对话"));
    tree->friendMenu()->hide();
}

QTEST_MAIN(IMSessionTest)
#include "tst_IMSession.moc"
