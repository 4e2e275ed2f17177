#include "ManualRetryTimer.h"
#include "SessionFixture.h"
#include "im/ReconnectScheduler.h"
#include "im/RosterStanza.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Every change the session reports, as "groupAdded:我的好友", "friendAdded:jid:name:offline",
// "friendChanged:jid:name:offline", "friendRemoved:jid", "friendsCleared", "rosterCleared",
// "shown:1", "status:text" or, for the company's state, "status:text|company".
class SessionChanges : public QObject
{
public:
    explicit SessionChanges(IMSession* im)
    {
        connect(im, &IMSession::groupAdded, this,
                [this](const QString& name) { list << "groupAdded:" + name; });
        connect(im, &IMSession::friendAdded, this,
                [this](const FriendEntry& e) { list << "friendAdded:" + entryText(e); });
        connect(im, &IMSession::friendChanged, this,
                [this](const FriendEntry& e) { list << "friendChanged:" + entryText(e); });
        connect(im, &IMSession::friendRemoved, this,
                [this](const QString& jid) { list << "friendRemoved:" + jid; });
        connect(im, &IMSession::friendsCleared, this, [this] { list << "friendsCleared"; });
        connect(im, &IMSession::rosterCleared, this, [this] { list << "rosterCleared"; });
        connect(im, &IMSession::friendListShownChanged, this,
                [this](bool shown) { list << QStringLiteral("shown:%1").arg(shown); });
        connect(im, &IMSession::statusChanged, this, [this](const SessionStatus& s) {
            list << "status:" + s.text + (s.showsCompany ? "|" + s.company : QString());
        });
    }
    static QString entryText(const FriendEntry& e)
    {
        return QStringLiteral("%1:%2:%3").arg(e.jid, e.displayName).arg(e.offline);
    }
    QStringList list;
};

// Chat windows that also keep each message with its send time.
class StampedChatWindows : public RecordingChatWindows
{
public:
    void receiveMessage(const IncomingChat& message) override
    {
        messages << message;
        ChatWindows::receiveMessage(message);
    }
    QList<IncomingChat> messages;
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
    void theBoundJidBecomesTheLoginIdentity();
    void syncStartsAdvertisementsEvenWithoutGroups();
    void presenceChangesTheFriendAndChatHeader();
    void showStatusConnectedAndDisconnected();
    void cleanUpSequence();
    void logOffAndLogInAgain();
    void addFriendRules();
    void renameSendsEscapedRosterItem();
    void renameFailureKeepsTheName();
    void deleteAsksFirstAndIgnoresStrangers();
    void subscriptionRequestAsksTheUser();
    void subscriptionRequestsAreAskedOneAfterAnother();
    void chatMessagesAcceptedOnlyFromOurClient();
    void openConversationGoesToTheChatWindows();
    void droppedConnectionComesBackByItself();
    void refusedPasswordStopsTheRetries();
    void noReconnectionAfterLogOffConflictOrFailedSignIn();
    void chatMessagesCarryTheirSendTime();

private:
    // Reconnection at the policy's nominal waits, fired by hand.
    ManualRetryTimer* reconnect()
    {
        auto* timer = new ManualRetryTimer;
        scheduler = std::make_unique<ReconnectScheduler>(ReconnectPolicy([] { return 0.5; }),
                                                         std::unique_ptr<RetryTimer>(timer));
        im->setReconnection(scheduler.get());
        return timer;
    }
    void drop(int status, const QString& why = QStringLiteral("Socket error"))
    {
        client->isConnected = false;
        Q_EMIT client->OnDisconnected(status, why);
    }
    std::unique_ptr<ReconnectScheduler> scheduler;

    void connectAndSync(const QList<FakeIMClient::Contact>& roster)
    {
        fixture->connectAndSync(roster);
    }
    QStringList friendJids() const;
    QString nameOf(const QString& jid) const;

    std::unique_ptr<SessionFixture> fixture;
    FakeIMClient* client = nullptr;
    RecordingSessionHost* host = nullptr;
    RecordingChatWindows* chat = nullptr;
    ScriptedSessionDialogs* dialogs = nullptr;
    IMSession* im = nullptr;
    SessionChanges* changes = nullptr;
};

void IMSessionTest::init()
{
    fixture = std::make_unique<SessionFixture>();
    client = &fixture->client;
    host = &fixture->host;
    chat = &fixture->chat;
    dialogs = &fixture->dialogs;
    im = fixture->session.get();
    changes = new SessionChanges(im);
}

void IMSessionTest::cleanup()
{
    delete changes;
    fixture.reset();
    scheduler.reset();
}

QStringList IMSessionTest::friendJids() const
{
    QStringList jids;
    for (const FriendEntry& entry : im->roster().friends())
        jids << entry.jid;
    return jids;
}

QString IMSessionTest::nameOf(const QString& jid) const
{
    return im->friendByJid(jid).value_or(FriendEntry{}).displayName;
}

void IMSessionTest::signInSetsTheClientUpAndConnects()
{
    QVERIFY(im->status().text.isEmpty());    // nothing shown before signing in
    host->connTone = IMSessionHost::Failure; // as a failed attempt left it
    im->signIn();
    QCOMPARE(client->server, QStringLiteral("localhost"));
    QCOMPARE(client->port, 15222);
    QCOMPARE(client->resource, QStringLiteral("haulway"));
    QCOMPARE(client->authMethods, QStringLiteral("*"));
    QCOMPARE(client->timeout, 5000);
    QCOMPARE(client->calls, QStringList{"connectToServer"});
    QCOMPARE(client->connectedUser, QStringLiteral("lina@localhost"));
    QCOMPARE(client->connectedPassword, QStringLiteral("demo1234"));
    QCOMPARE(im->status().text, QStringLiteral("正在登录..."));
    QVERIFY(!im->status().showsCompany);
    QCOMPARE(changes->list, QStringList{"status:正在登录..."});
    QCOMPARE(host->connTone, IMSessionHost::Normal);
}

void IMSessionTest::signInFailureIsShown()
{
    client->failNext = true;
    im->signIn();
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(host->connTone, IMSessionHost::Failure);
    QVERIFY(!client->connected());
}

void IMSessionTest::refusedConnectionIsAFailedSignIn()
{
    im->signIn(); // accepted by the client, refused later by the server
    Q_EMIT client->OnDisconnected(1, QStringLiteral("Socket error"));
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(host->connTone, IMSessionHost::Failure);
    QVERIFY(!im->friendListShown());

    // A connection that was up ends as a plain disconnection.
    im->signIn();
    client->raiseConnected();
    client->isConnected = false;
    Q_EMIT client->OnDisconnected(0, QString());
    QCOMPARE(host->connText, QStringLiteral("断开"));
    QCOMPARE(host->connTone, IMSessionHost::Normal);

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
    QCOMPARE(im->status().text, QStringLiteral("正在获取联系人..."));
    QCOMPARE(host->connText, QStringLiteral("已连接"));
    QVERIFY(im->friendListShown());
    QCOMPARE(im->roster().groups(), (QStringList{"我的好友", "货运联盟"}));
    QVERIFY(im->roster().friends().isEmpty());
    QCOMPARE(changes->list, (QStringList{"status:正在获取联系人...", "shown:1",
                                         "groupAdded:我的好友", "groupAdded:货运联盟"}));
    QCOMPARE(host->menus.value(IMSessionHost::MenuAddFriend), true);
}

void IMSessionTest::connectedWithErrorStatusDoesNothing()
{
    Q_EMIT client->OnConnected(401, QStringLiteral("not authorised"));
    QVERIFY(host->steps.isEmpty());
    QVERIFY(im->roster().groups().isEmpty());
    QVERIFY(changes->list.isEmpty());
    QVERIFY(!host->menus.contains(IMSessionHost::MenuAddFriend));
}

void IMSessionTest::groupsAreNotDuplicated()
{
    client->raiseConnected();
    client->raiseConnected();
    QCOMPARE(im->roster().groups().size(), 2);
    QCOMPARE(changes->list.filter("groupAdded:").size(), 2);
}

void IMSessionTest::syncBuildsTheFriendList()
{
    connectAndSync({{"lina@localhost", "我自己"},
                    {"zhangwei@localhost", "张伟"},
                    {"chenjie@localhost", ""},
                    {"zhangwei@localhost", "again"}});
    // Own JID never shown, each friend once, in roster order, offline until presence says.
    QCOMPARE(friendJids(), (QStringList{"zhangwei@localhost", "chenjie@localhost"}));
    QVERIFY(!im->friendByJid("lina@localhost"));
    QCOMPARE(nameOf("zhangwei@localhost"), QStringLiteral("张伟"));
    QCOMPARE(nameOf("chenjie@localhost"), QStringLiteral("chenjie"));
    QCOMPARE(im->friendByJid("chenjie@localhost")->offline, 1);
    QCOMPARE(changes->list.mid(4),
             (QStringList{"friendsCleared", "friendAdded:zhangwei@localhost:张伟:1",
                          "friendAdded:chenjie@localhost:chenjie:1"}));
    QCOMPARE(host->steps.count("startAdvertisementFetch"), 1);

    // A second sync rebuilds rather than appends; the groups stay.
    changes->list.clear();
    client->roster = {{"sunli@localhost", "孙丽"}};
    Q_EMIT client->OnSync();
    QCOMPARE(friendJids(), QStringList{"sunli@localhost"});
    QVERIFY(!im->friendByJid("zhangwei@localhost"));
    QCOMPARE(im->friendByJid("sunli@localhost")->displayName, QStringLiteral("孙丽"));
    QCOMPARE(im->roster().groups().size(), 2);
    QCOMPARE(changes->list, (QStringList{"friendsCleared", "friendAdded:sunli@localhost:孙丽:1"}));
}

void IMSessionTest::theBoundJidBecomesTheLoginIdentity()
{
    // "LiNa" logs in; the server binds the account's own spelling.
    ::session().loginIdentity = QStringLiteral("LiNa@localhost");
    im->signIn();
    QCOMPARE(client->connectedUser, QStringLiteral("LiNa@localhost"));
    client->bound = QStringLiteral("lina@localhost/haulway");
    connectAndSync({{"lina@localhost", "我自己"}, {"zhangwei@localhost", "张伟"}});
    QCOMPARE(::session().loginIdentity, QStringLiteral("lina@localhost"));
    QCOMPARE(im->account().loginIdentity, QStringLiteral("lina@localhost"));
    // The own JID in the roster is still no friend.
    QCOMPARE(friendJids(), QStringList{"zhangwei@localhost"});
    // Adding oneself is still refused.
    im->addFriend(QStringLiteral("lina"), QStringLiteral("我"));
    QVERIFY(dialogs->told.isEmpty());
}

void IMSessionTest::syncStartsAdvertisementsEvenWithoutGroups()
{
    client->roster = {{"zhangwei@localhost", "张伟"}};
    Q_EMIT client->OnSync(); // not connected yet: no groups, nothing added
    QVERIFY(im->roster().groups().isEmpty());
    QVERIFY(im->roster().friends().isEmpty());
    QVERIFY(changes->list.isEmpty());
    QCOMPARE(host->steps, QStringList{"startAdvertisementFetch"});
}

void IMSessionTest::presenceChangesTheFriendAndChatHeader()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    changes->list.clear();
    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 1, QString());
    QCOMPARE(im->friendByJid("zhangwei@localhost")->offline, 0);
    QCOMPARE(changes->list, QStringList{"friendChanged:zhangwei@localhost:张伟:0"});
    QCOMPARE(chat->calls.last(), QStringLiteral("presence:zhangwei@localhost:张伟:1"));

    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 5, QString());
    QCOMPARE(im->friendByJid("zhangwei@localhost")->offline, 0); // unknown availability
    QCOMPARE(changes->list.size(), 1);
    QCOMPARE(chat->calls.size(), 1);

    Q_EMIT client->OnPresence("zhangwei", "localhost", "haulway", 0, QString());
    QCOMPARE(im->friendByJid("zhangwei@localhost")->offline, 1);
    QCOMPARE(changes->list.last(), QStringLiteral("friendChanged:zhangwei@localhost:张伟:1"));
    QCOMPARE(chat->calls.last(), QStringLiteral("presence:zhangwei@localhost:张伟:0"));

    Q_EMIT client->OnPresence("stranger", "localhost", "haulway", 1, QString());
    Q_EMIT client->OnPresence("", "localhost", "", 1, QString());
    QCOMPARE(chat->calls.size(), 2);
    QCOMPARE(changes->list.size(), 2);
}

void IMSessionTest::showStatusConnectedAndDisconnected()
{
    client->isConnected = true;
    im->showStatus(QStringLiteral("远航"));
    QCOMPARE(im->status().text, QStringLiteral("远航(联机)"));
    QCOMPARE(im->status().company, QStringLiteral("远航"));
    QVERIFY(im->status().showsCompany);
    QCOMPARE(changes->list, QStringList{"status:远航(联机)|远航"});
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
    QCOMPARE(im->status().text, QStringLiteral("远航(断开)"));
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

void IMSessionTest::cleanUpSequence()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    chat->calls.clear();
    host->menus.clear();
    client->calls.clear();
    changes->list.clear();
    client->isConnected = false; // the connection is gone when the event arrives
    Q_EMIT client->OnDisconnected(0, QString());
    QVERIFY(client->calls.isEmpty()); // not connected any more: no disconnect call
    QCOMPARE(chat->calls, (QStringList{"clearPending", "closeAll"}));
    QVERIFY(!im->friendListShown());
    QVERIFY(im->roster().groups().isEmpty());
    QVERIFY(im->roster().friends().isEmpty());
    QVERIFY(!im->friendByJid("zhangwei@localhost"));
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogOff), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuLogIn), true);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAddFriend), false);
    QCOMPARE(host->menus.value(IMSessionHost::MenuAccountLogIn), true);
    QCOMPARE(im->status().company, QStringLiteral("北京远航物流"));
    QCOMPARE(host->connText, QStringLiteral("断开"));
    // The list is hidden first; the roster goes last, after the company's state.
    QCOMPARE(changes->list,
             (QStringList{"shown:0", "status:北京远航物流(断开)|北京远航物流", "rosterCleared"}));
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
    // Not connected: the request goes out, but there is no group to show the friend in.
    im->addFriend(QStringLiteral("zhangwei"), QStringLiteral("张伟"));
    QCOMPARE(dialogs->told.size(), 1);
    QVERIFY(!im->friendByJid("zhangwei@localhost"));

    connectAndSync({});
    dialogs->told.clear();
    client->calls.clear();
    changes->list.clear();
    im->addFriend(QString(), QStringLiteral("无名"));
    im->addFriend(QStringLiteral("lina"), QStringLiteral("我"));
    im->addFriend(QStringLiteral("LiNa"), QStringLiteral("我"));
    QVERIFY(client->calls.isEmpty());
    QVERIFY(dialogs->told.isEmpty());

    im->addFriend(QStringLiteral("zhangwei"), QStringLiteral("张伟"));
    QCOMPARE(client->calls, (QStringList{"addContact:zhangwei@localhost:张伟:",
                                         "subscribeTo:zhangwei@localhost"}));
    QCOMPARE(dialogs->told, QStringList{"已向 zhangwei 发送请求，请等待对方确认"});
    QCOMPARE(friendJids(), QStringList{"zhangwei@localhost"});
    QCOMPARE(nameOf("zhangwei@localhost"), QStringLiteral("zhangwei"));
    QCOMPARE(im->friendByJid("zhangwei@localhost")->offline, 1);
    QCOMPARE(changes->list, QStringList{"friendAdded:zhangwei@localhost:zhangwei:1"});

    // Asking again does not add the friend a second time.
    im->addFriend(QStringLiteral("zhangwei"), QStringLiteral("张伟"));
    QCOMPARE(im->roster().friends().size(), 1);
    QCOMPARE(changes->list.size(), 1);

    // A failing client: no notice, no friend.
    client->failNext = true;
    im->addFriend(QStringLiteral("sunli"), QString());
    QCOMPARE(dialogs->told.size(), 2);
    QVERIFY(!im->friendByJid("sunli@localhost"));
}

void IMSessionTest::renameSendsEscapedRosterItem()
{
    QCOMPARE(RosterStanza::rename(QStringLiteral("a@localhost"), QStringLiteral("O'Neil <&> \"x\""),
                                  QStringLiteral("r1")),
             QStringLiteral("<iq type='set' id='r1'><query xmlns='jabber:iq:roster'><item "
                            "jid='a@localhost' name='O&apos;Neil &lt;&amp;&gt; &quot;x&quot;'/>"
                            "</query></iq>"));

    connectAndSync({{"zhangwei@localhost", "张伟"}});
    changes->list.clear();
    dialogs->newName = QStringLiteral("老张's");
    im->renameFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(dialogs->namePrompts, QStringList{"修改名称|请输入新的名称"});
    QCOMPARE(client->commands.size(), 1);
    const QRegularExpression renameIq(
        QStringLiteral("^<iq type='set' id='([^']+)'><query xmlns='jabber:iq:roster'><item "
                       "jid='zhangwei@localhost' name='老张&apos;s'/></query></iq>$"));
    QVERIFY2(renameIq.match(client->commands[0]).hasMatch(), qPrintable(client->commands[0]));
    QVERIFY(RosterStanza::nextId() != RosterStanza::nextId());
    // Characters XML does not allow are dropped rather than sent.
    QCOMPARE(RosterStanza::rename(QStringLiteral("a@localhost"), QStringLiteral("老\v张\x01"),
                                  QStringLiteral("r1")),
             QStringLiteral("<iq type='set' id='r1'><query xmlns='jabber:iq:roster'>"
                            "<item jid='a@localhost' name='老张'/></query></iq>"));
    QCOMPARE(nameOf("zhangwei@localhost"), QStringLiteral("老张's"));
    QCOMPARE(changes->list, QStringList{"friendChanged:zhangwei@localhost:老张's:1"});

    dialogs->newName.clear(); // empty text: nothing
    im->renameFriend(QStringLiteral("zhangwei@localhost"));
    dialogs->newName = QStringLiteral("新名");
    dialogs->nameEntered = false; // cancelled
    im->renameFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(dialogs->namePrompts.size(), 3);
    // Only friends are renamed, and nobody is asked for a stranger.
    dialogs->nameEntered = true;
    im->renameFriend(QStringLiteral("我的好友"));
    im->renameFriend(QString());
    QCOMPARE(dialogs->namePrompts.size(), 3);
    QCOMPARE(client->commands.size(), 1);
    QCOMPARE(nameOf("zhangwei@localhost"), QStringLiteral("老张's"));
    QCOMPARE(changes->list.size(), 1);

    // The connection drops while the box is open: the roster is emptied, nothing is sent.
    dialogs->newName = QStringLiteral("太迟了");
    dialogs->whileAskingName = [this] {
        client->isConnected = false;
        Q_EMIT client->OnDisconnected(0, QString());
    };
    im->renameFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(client->commands.size(), 1);
    QVERIFY(im->roster().groups().isEmpty());
    QVERIFY(!im->friendByJid("zhangwei@localhost"));
}

void IMSessionTest::renameFailureKeepsTheName()
{
    connectAndSync({{"zhangwei@localhost", "老张's"}});
    changes->list.clear();
    dialogs->newName = QStringLiteral("新名");
    client->failNext = true; // send failed: the roster keeps the old name
    im->renameFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(nameOf("zhangwei@localhost"), QStringLiteral("老张's"));
    QVERIFY(changes->list.isEmpty());
}

void IMSessionTest::deleteAsksFirstAndIgnoresStrangers()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    changes->list.clear();
    client->calls.clear();
    im->deleteFriend(QStringLiteral("我的好友"));
    im->deleteFriend(QString());
    QVERIFY(dialogs->questions.isEmpty());

    dialogs->confirmAnswers = {false};
    im->deleteFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(dialogs->questions, QStringList{"确定要删除:张伟 吗?"});
    QVERIFY(client->calls.isEmpty());
    QVERIFY(im->friendByJid("zhangwei@localhost"));

    dialogs->confirmAnswers = {true};
    im->deleteFriend(QStringLiteral("zhangwei@localhost"));
    QCOMPARE(client->calls, QStringList{"removeContact:zhangwei@localhost::"});
    QVERIFY(!im->friendByJid("zhangwei@localhost"));
    QCOMPARE(changes->list, QStringList{"friendRemoved:zhangwei@localhost"});

    // A failing client keeps the friend.
    connectAndSync({{"sunli@localhost", "孙丽"}});
    dialogs->confirmAnswers = {true};
    client->failNext = true;
    im->deleteFriend(QStringLiteral("sunli@localhost"));
    QVERIFY(im->friendByJid("sunli@localhost"));
}

void IMSessionTest::subscriptionRequestAsksTheUser()
{
    connectAndSync({});
    client->calls.clear();
    Q_EMIT client->OnSubscriptionRequest("zhangwei", "localhost");
    // Not asked inside the network event: the question comes once the event has returned.
    QVERIFY(dialogs->subscriptionsFrom.isEmpty());
    QTRY_COMPARE(dialogs->subscriptionsFrom, QStringList{"zhangwei"});
    QCOMPARE(client->calls, QStringList{"answerSubscription:zhangwei@localhost:1"});
    dialogs->acceptsSubscriptions = false;
    Q_EMIT client->OnSubscriptionRequest("chenjie", "localhost");
    QTRY_COMPARE(dialogs->subscriptionsFrom, (QStringList{"zhangwei", "chenjie"}));
    QCOMPARE(client->calls, (QStringList{"answerSubscription:zhangwei@localhost:1",
                                         "answerSubscription:chenjie@localhost:0"}));
}

void IMSessionTest::subscriptionRequestsAreAskedOneAfterAnother()
{
    connectAndSync({});
    client->calls.clear();
    dialogs->holdSubscriptions = true; // each question stays open until answered here
    const auto request = [this](const char* user) {
        Q_EMIT client->OnSubscriptionRequest(QString::fromUtf8(user), "localhost");
    };
    request("zhangwei");
    request("chenjie");
    request("zhangwei"); // offered again while waiting
    QTRY_COMPARE(dialogs->subscriptionsFrom, QStringList{"zhangwei"});
    request("zhangwei"); // offered again while its question is open
    request("chenjie");
    QTest::qWait(50);
    QCOMPARE(dialogs->subscriptionsFrom, QStringList{"zhangwei"});
    QVERIFY(client->calls.isEmpty());

    dialogs->answerHeld(true);
    QCOMPARE(client->calls, QStringList{"answerSubscription:zhangwei@localhost:1"});
    QTRY_COMPARE(dialogs->subscriptionsFrom, (QStringList{"zhangwei", "chenjie"}));
    request("sunli");

    // The connection drops while chenjie's question is open: the answer given afterwards is
    // not sent, not even once connected again, and sunli's waiting request is forgotten.
    client->isConnected = false;
    Q_EMIT client->OnDisconnected(0, QString());
    client->raiseConnected();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Dropping the answer to the friend request of "
                                            "\"chenjie@localhost\""));
    dialogs->answerHeld(true);
    QTest::qWait(50);
    QCOMPARE(client->calls, QStringList{"answerSubscription:zhangwei@localhost:1"});
    QCOMPARE(dialogs->subscriptionsFrom.size(), 2);

    // The server offers the open requests again on the new connection.
    request("sunli");
    QTRY_COMPARE(dialogs->subscriptionsFrom.size(), 3);
    dialogs->answerHeld(false);
    QCOMPARE(client->calls.last(), QStringLiteral("answerSubscription:sunli@localhost:0"));
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

void IMSessionTest::openConversationGoesToTheChatWindows()
{
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    chat->calls.clear();
    im->openConversation(QStringLiteral("zhangwei@localhost"));
    im->openConversation(QStringLiteral("stranger@localhost"));
    im->openConversation(QString());
    QCOMPARE(chat->calls, QStringList{"open:zhangwei@localhost"});
}

void IMSessionTest::droppedConnectionComesBackByItself()
{
    ManualRetryTimer* timer = reconnect();
    const QString waiting = QString::fromUtf8(IMSession::ReconnectingText);
    im->signIn();
    connectAndSync({{"zhangwei@localhost", "张伟"}});
    host->steps.clear();
    client->calls.clear();
    chat->calls.clear();

    drop(IMClient::DisconnectFailed, QStringLiteral("Keep-alive timeout"));
    // The clean-up of any disconnection ran; lblConn tells the wait instead of the failure.
    QVERIFY(!im->friendListShown());
    QVERIFY(im->roster().friends().isEmpty());
    QVERIFY(chat->calls.contains(QStringLiteral("closeAll")));
    QCOMPARE(host->connText, waiting);
    QCOMPARE(host->connTone, IMSessionHost::Normal);
    QCOMPARE(timer->delays, QList<int>{1000});
    QVERIFY(!client->calls.contains(QStringLiteral("connectToServer")));

    // The wait ends: the same account signs in again; the server is still away.
    QVERIFY(timer->fire());
    QCOMPARE(client->calls.count(QStringLiteral("connectToServer")), 1);
    QCOMPARE(client->connectedUser, QStringLiteral("lina@localhost"));
    QCOMPARE(client->connectedPassword, QStringLiteral("demo1234"));
    drop(IMClient::DisconnectFailed);
    QCOMPARE(host->connText, waiting);
    QCOMPARE(timer->delays, (QList<int>{1000, 2000}));

    // Back: the connected handler runs as after a sign-in.
    QVERIFY(timer->fire());
    QCOMPARE(client->calls.count(QStringLiteral("connectToServer")), 2);
    client->raiseConnected();
    QVERIFY(im->resumed());
    QVERIFY(!scheduler->active());
    QCOMPARE(host->steps, (QStringList{"writeMainSettings", "startProfileFetch"}));
    QCOMPARE(host->connText, QStringLiteral("已连接"));
    QVERIFY(im->friendListShown());
    Q_EMIT client->OnSync();
    QCOMPARE(friendJids(), QStringList{"zhangwei@localhost"});

    // The next drop starts the backoff over.
    drop(IMClient::DisconnectFailed);
    QCOMPARE(timer->delays, (QList<int>{1000, 2000, 1000}));
    // A sign-in from the menu is no resumption.
    im->logOffAndLogIn();
    client->raiseConnected();
    QVERIFY(!im->resumed());
}

void IMSessionTest::refusedPasswordStopsTheRetries()
{
    ManualRetryTimer* timer = reconnect();
    im->signIn();
    client->raiseConnected();
    drop(IMClient::DisconnectFailed);
    QVERIFY(timer->fire());
    // The password was changed on the site meanwhile.
    Q_EMIT client->OnDisconnected(IMClient::DisconnectRefused, QStringLiteral("XMPP stream error"));
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(host->connTone, IMSessionHost::Failure);
    QVERIFY(!timer->isActive());
    QVERIFY(!scheduler->active());
    QCOMPARE(client->calls.count(QStringLiteral("connectToServer")), 2);
}

void IMSessionTest::noReconnectionAfterLogOffConflictOrFailedSignIn()
{
    ManualRetryTimer* timer = reconnect();
    // A first sign-in that fails stays a failed sign-in.
    im->signIn();
    Q_EMIT client->OnDisconnected(IMClient::DisconnectFailed, QStringLiteral("Socket error"));
    QCOMPARE(host->connText, QStringLiteral("连接服务器失败"));
    QVERIFY(timer->delays.isEmpty());

    // Another log-in of the same account took the session over.
    im->signIn();
    client->raiseConnected();
    drop(IMClient::DisconnectConflict, QStringLiteral("XMPP stream error"));
    QCOMPARE(host->connText, QStringLiteral("断开"));
    QVERIFY(timer->delays.isEmpty());

    // The user's own log-off: the client reports the disconnection it was asked for.
    im->signIn();
    client->raiseConnected();
    im->cleanUp();
    QVERIFY(client->calls.contains(QStringLiteral("disconnectFromServer")));
    QVERIFY(timer->delays.isEmpty());

    // The menu's log-in ends a wait.
    im->signIn();
    client->raiseConnected();
    drop(IMClient::DisconnectFailed);
    QVERIFY(timer->isActive());
    im->logOffAndLogIn();
    QVERIFY(!timer->isActive());
    QVERIFY(!scheduler->active());
    QCOMPARE(client->calls.last(), QStringLiteral("connectToServer"));
    QCOMPARE(host->steps.count(QStringLiteral("runLoginAgain")), 1);
}

void IMSessionTest::chatMessagesCarryTheirSendTime()
{
    StampedChatWindows stamped;
    im->setChatWindows(&stamped);
    const QDateTime sent(QDate(2026, 12, 8), QTime(2, 15, 30), Qt::UTC);
    Q_EMIT client->OnMessageIn("m1", "zhangwei", "localhost", "haulway", 1, QString(), QString(),
                               QStringLiteral("昨晚的留言"), QString(), QString(), sent);
    Q_EMIT client->OnMessageIn("m2", "zhangwei", "localhost", "haulway", 1, QString(), QString(),
                               QStringLiteral("现在"), QString(), QString());
    // Refused messages keep no time either.
    Q_EMIT client->OnMessageIn("m3", "zhangwei", "localhost", "phone", 1, QString(), QString(),
                               QStringLiteral("别处"), QString(), QString(), sent);
    QCOMPARE(stamped.messages.size(), 2);
    QCOMPARE(stamped.messages.at(0).text, QStringLiteral("昨晚的留言"));
    QCOMPARE(stamped.messages.at(0).sentAt, sent);
    QCOMPARE(stamped.messages.at(0).from, QStringLiteral("zhangwei"));
    QVERIFY(!stamped.messages.at(1).sentAt.isValid());
    // Chat windows that read no time still get the text.
    QCOMPARE(stamped.calls, (QStringList{"receive:zhangwei:localhost:昨晚的留言",
                                         "receive:zhangwei:localhost:现在"}));
}

QTEST_GUILESS_MAIN(IMSessionTest)
#include "tst_IMSession.moc"
