// Two sessions against the sandbox exchange: presence, friend requests both ways, rename,
// and each of the four publications arriving live at the other session.
#include "RecordingBroadcastSink.h"
#include "RecordingSessionHost.h"
#include "SandboxEndpoints.h"
#include "ScriptedSessionDialogs.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "im/BroadcastHandler.h"
#include "im/IMSession.h"
#include "im/XmppIMClient.h"
#include "publish/PublishRequests.h"
#include "service/ShellState.h"
#include "ui/im/FriendTree.h"
#include "ui/im/ImPanel.h"
#include "ui/im/ImSessionBinding.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QXmppClient.h>
#include <QXmppRosterManager.h>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

constexpr int kWait = 20000; // generous: the machine may be busy

// One signed-in user: real client, session shown in a panel, and broadcast handling. Every
// friend request is accepted ("通过并加对方").
struct User
{
    explicit User(const QString& name)
        : name(name), jid(name + QStringLiteral("@localhost")), session(&client, &host, &dialogs),
          broadcasts(&sink, &shell)
    {
        host.loginAgainResult = false;
        new ImSessionBinding(&session, &panel);
        session.setAccountSource([this] {
            return IMSession::Account{jid, QStringLiteral("demo1234"), QStringLiteral("localhost"),
                                      SandboxEndpoints::c2sPort()};
        });
        session.setBroadcastHandler(&broadcasts);
        shell.reset();
    }
    FriendEntry friendEntry(const QString& otherJid) const
    {
        return session.friendByJid(otherJid).value_or(FriendEntry{});
    }

    QStringList& askedBy() { return dialogs.subscriptionsFrom; }

    QString name, jid;
    XmppIMClient client;
    ImPanel panel;
    RecordingSessionHost host;
    ScriptedSessionDialogs dialogs;
    IMSession session;
    ShellState shell;
    RecordingBroadcastSink sink;
    BroadcastHandler broadcasts;
};

} // namespace

#define SIGN_IN(user)                                                                              \
    do {                                                                                           \
        signIn(user);                                                                              \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

class ImSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void friendRequestAcceptedBothWays();
    void presenceChangesTheIcon();
    void renameChangesTheRosterName();
    void wrongPasswordIsAFailedSignIn();
    void landPublicationArrivesLive();
    void airPublicationArrivesLive();
    void seaPublicationArrivesLive();
    void railPublicationArrivesLive();
    void forgedBroadcastInAChatMessageIsNotShown();
    void controlCharactersInPublishedTextsKeepTheSession();
    void capitalisedLoginGetsItsBroadcasts();
    void openFriendRequestKeepsTheSessionReading();
    void delayedChatKeepsItsSendTime();

private:
    void signIn(User& user);
    bool forget(User& user, const QString& otherJid);
    std::unique_ptr<User> a, b;
};

void ImSandboxTest::signIn(User& user)
{
    const int syncsBefore = user.host.syncs;
    user.session.signIn();
    QTRY_VERIFY_WITH_TIMEOUT(user.client.connected(), kWait);
    QTRY_VERIFY_WITH_TIMEOUT(user.host.syncs > syncsBefore, kWait);
}

// Removes the other from the user's roster (if there); true when something was removed.
bool ImSandboxTest::forget(User& user, const QString& otherJid)
{
    for (int i = 0; i < user.client.contactCount(); ++i) {
        if (user.client.contactId(i) == otherJid) {
            user.client.removeContact(otherJid, QString(), QString());
            return true;
        }
    }
    return false;
}

void ImSandboxTest::initTestCase()
{
    a = std::make_unique<User>(QStringLiteral("zhaoqiang"));
    b = std::make_unique<User>(QStringLiteral("zhoujun"));
    SIGN_IN(*a);
    SIGN_IN(*b);
    QCOMPARE(a->host.connText, QStringLiteral("已连接"));
    // Start from strangers, whatever an earlier run on a reused exchange left behind.
    bool forgotten = false;
    for (User* u : {a.get(), b.get()}) {
        const QString other = u == a.get() ? b->jid : a->jid;
        for (int i = 0; i < u->client.contactCount(); ++i) {
            if (u->client.contactId(i) == other) {
                u->client.removeContact(other, QString(), QString());
                forgotten = true;
            }
        }
    }
    if (forgotten) {
        QTRY_VERIFY_WITH_TIMEOUT(
            a->client.contactCount() == 0 || !a->session.friendByJid(b->jid).has_value(), kWait);
        a->session.cleanUp();
        b->session.cleanUp();
        SIGN_IN(*a);
        SIGN_IN(*b);
    }
    QVERIFY(!a->session.friendByJid(b->jid));
    QVERIFY(!b->session.friendByJid(a->jid));
    // Requests an aborted earlier run left pending were answered at sign-in; forget them.
    a->askedBy().clear();
    b->askedBy().clear();
}

void ImSandboxTest::cleanupTestCase()
{
    if (a)
        a->session.cleanUp();
    if (b)
        b->session.cleanUp();
    QTest::qWait(200); // let the closing stanzas leave
}

void ImSandboxTest::friendRequestAcceptedBothWays()
{
    a->session.addFriend(b->name, QStringLiteral("周军"));
    QCOMPARE(a->dialogs.told.last(), QStringLiteral("已向 zhoujun 发送请求，请等待对方确认"));
    QVERIFY(a->session.friendByJid(b->jid));

    // b is asked and accepts ("通过并加对方"), which asks a in turn; a accepts too.
    QTRY_VERIFY_WITH_TIMEOUT(b->askedBy().contains(a->name), kWait);
    QTRY_VERIFY_WITH_TIMEOUT(a->askedBy().contains(b->name), kWait);

    // After a fresh sign-in both rosters hold the other, named by the user part when the
    // roster has no name.
    b->session.cleanUp();
    SIGN_IN(*b);
    QTRY_VERIFY_WITH_TIMEOUT(b->session.friendByJid(a->jid).has_value(), kWait);
    QCOMPARE(b->friendEntry(a->jid).displayName, a->name);
}

void ImSandboxTest::presenceChangesTheIcon()
{
    QVERIFY(a->session.friendByJid(b->jid));
    QTRY_COMPARE_WITH_TIMEOUT(a->friendEntry(b->jid).offline, 0, kWait);
    QTreeWidgetItem* node = a->panel.friendTree()->findFriend(b->jid);
    QCOMPARE(node->icon(0).cacheKey(),
             a->panel.friendTree()->iconFor(FriendTree::IconPresent).cacheKey());

    b->session.cleanUp();
    QTRY_COMPARE_WITH_TIMEOUT(a->friendEntry(b->jid).offline, 1, kWait);
    node = a->panel.friendTree()->findFriend(b->jid);
    QCOMPARE(node->icon(0).cacheKey(),
             a->panel.friendTree()->iconFor(FriendTree::IconOffline).cacheKey());

    SIGN_IN(*b);
    QTRY_COMPARE_WITH_TIMEOUT(a->friendEntry(b->jid).offline, 0, kWait);
    // b sees a present as well.
    QTRY_COMPARE_WITH_TIMEOUT(b->friendEntry(a->jid).offline, 0, kWait);
}

void ImSandboxTest::renameChangesTheRosterName()
{
    a->dialogs.newName = QStringLiteral("老周 & <伙伴>");
    a->session.renameFriend(b->jid);
    QCOMPARE(a->friendEntry(b->jid).displayName, QStringLiteral("老周 & <伙伴>"));
    QCOMPARE(a->panel.friendTree()->findFriend(b->jid)->text(0), QStringLiteral("老周 & <伙伴>"));
    // The server took the escaped stanza: a fresh sign-in shows the stored name.
    a->session.cleanUp();
    SIGN_IN(*a);
    QTRY_COMPARE_WITH_TIMEOUT(a->friendEntry(b->jid).displayName, QStringLiteral("老周 & <伙伴>"),
                              kWait);
}

void ImSandboxTest::wrongPasswordIsAFailedSignIn()
{
    User intruder(QStringLiteral("zhaoqiang"));
    intruder.session.setAccountSource([] {
        return IMSession::Account{QStringLiteral("zhaoqiang@localhost"), QStringLiteral("wrong"),
                                  QStringLiteral("localhost"), SandboxEndpoints::c2sPort()};
    });
    QSignalSpy disconnected(&intruder.client, &IMClient::OnDisconnected);
    intruder.session.signIn();
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.count(), 1, kWait);
    QVERIFY(!intruder.client.connected());
    QCOMPARE(intruder.host.connText, QStringLiteral("连接服务器失败"));
    QCOMPARE(intruder.host.syncs, 0);
    // The account's real session is untouched.
    QVERIFY(a->client.connected());
}

void ImSandboxTest::landPublicationArrivesLive()
{
    QStringList units;
    const auto recorder = QObject::connect(&b->client, &IMClient::OnPITrail,
                                           [&units](int direction, const QString& unit) {
                                               if (direction == IMClient::TrailIn)
                                                   units << unit;
                                           });
    b->sink.shownPage = ShellPage::InfoLand;
    b->shell.currentCity = QStringLiteral("武汉");
    b->shell.landViewKind = 5; // departing from the current city
    const int countBefore = b->shell.nationalCount;
    const QString title = QStringLiteral("钢材20吨 求9.6米车 ") +
                          QString::number(QDateTime::currentMSecsSinceEpoch());
    PublishCargo(a->client, QStringLiteral("localhost"), title, QStringLiteral("武汉"),
                 QStringLiteral("郑州"), QStringLiteral("武汉"), a->name, QStringLiteral("1"),
                 QStringLiteral("1"), QStringLiteral("赵先生 13900000000"));
    QTRY_VERIFY_WITH_TIMEOUT(!b->sink.landRows.isEmpty(), kWait);
    const LandRow& row = b->sink.landRows.last().second;
    QCOMPARE(b->sink.landRows.last().first, ListingGrid::InfoGrd);
    QCOMPARE(row.title, title);
    QCOMPARE(row.senderId, a->name);
    QCOMPARE(row.typeIcon, CargoImage);
    QCOMPARE(row.position, QStringLiteral("武汉"));
    QVERIFY(!row.id.isEmpty());
    QCOMPARE(row.shortTime.size(), 11);
    QCOMPARE(DesDecryptHex(row.contact, QString::fromLatin1(kConfigurationKey)),
             QStringLiteral("赵先生 13900000000"));
    QCOMPARE(b->shell.nationalCount, countBefore + 1);
    QCOMPARE(b->sink.nationalCountText, QStringLiteral("全国:") + QString::number(countBefore + 1));
    QObject::disconnect(recorder);
    // The trail held the broadcast as one unit of its own, exactly as the server wrote it.
    const QString prefix =
        QStringLiteral("<message from='localhost' to='zhoujun@localhost/haulway'>"
                       "<broadcastcargo><tag>robot</tag>");
    int broadcasts = 0;
    for (const QString& unit : units) {
        if (!unit.startsWith(prefix))
            continue;
        ++broadcasts;
        QVERIFY(unit.endsWith(QStringLiteral("</broadcastcargo></message>")));
        QCOMPARE(unit.count(QStringLiteral("<message")), 1);
    }
    QCOMPARE(broadcasts, 1);
}

void ImSandboxTest::airPublicationArrivesLive()
{
    b->sink.shownPage = ShellPage::InfoAir;
    b->shell.airSelectionKind = 3;
    b->shell.airSelectionText = QStringLiteral("CA 中国国际航空股份有限公司");
    PublishAirPrice(a->client, QStringLiteral("localhost"), QStringLiteral("天河"),
                    QStringLiteral("WUH"), QStringLiteral("成田"), QStringLiteral("NRT"),
                    QStringLiteral("日本"), QStringLiteral("1,3,5"), QStringLiteral("100/300/500"),
                    QStringLiteral("2"), QStringLiteral("CA 中国国际航空股份有限公司"),
                    QStringLiteral("直达"), a->name, QStringLiteral("赵 027-8888"),
                    QStringLiteral("R&D 样品"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.airRows.size(), 1, kWait);
    const AirRow& row = b->sink.airRows[0];
    QCOMPARE(row.departure, QStringLiteral("天河(WUH)"));
    QCOMPARE(row.destination, QStringLiteral("成田(NRT)"));
    QCOMPARE(row.info, QStringLiteral("运价:100/300/500,航空公司:CA 中国国际航空股份有限公司,"
                                      "航运周期:1,3,5,航运时间:2,直达"));
    QCOMPARE(row.sender, a->name);
    QCOMPARE(row.remark, QStringLiteral("R&D 样品"));
    QCOMPARE(UnscrambleField(row.contact), QStringLiteral("赵 027-8888"));
}

void ImSandboxTest::seaPublicationArrivesLive()
{
    b->sink.shownPage = ShellPage::InfoSea;
    PublishSeaLine(a->client, QStringLiteral("localhost"), QStringLiteral("武汉"),
                   QStringLiteral("鹿特丹"), QStringLiteral("上海"), QStringLiteral("周三"),
                   QStringLiteral("35"), QStringLiteral("海运中转"), QStringLiteral("中远"),
                   QStringLiteral("欧洲线"), QStringLiteral("武汉-上海-鹿特丹"), a->name,
                   QStringLiteral("赵 027-8888"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.seaRows.size(), 1, kWait);
    const SeaRow& row = b->sink.seaRows[0];
    QCOMPARE(row.departurePort, QStringLiteral("武汉"));
    QCOMPARE(row.destinationPort, QStringLiteral("鹿特丹"));
    QCOMPARE(row.transshipmentPort, QStringLiteral("上海"));
    QCOMPARE(row.transshipmentOption, QStringLiteral("海运中转"));
    QCOMPARE(row.carrier, QStringLiteral("中远"));
    QCOMPARE(row.portSequence, QStringLiteral("武汉-上海-鹿特丹"));
    QCOMPARE(row.sender, a->name);
    QCOMPARE(UnscrambleField(row.contact), QStringLiteral("赵 027-8888"));
}

void ImSandboxTest::railPublicationArrivesLive()
{
    b->sink.shownPage = ShellPage::InfoRail;
    PublishTrianInfo(a->client, QStringLiteral("localhost"), QStringLiteral("X9527"),
                     QStringLiteral("武汉局"), QStringLiteral("吴家山"), QStringLiteral("江岸西"),
                     QStringLiteral("圃田"), QStringLiteral("郑州北"), QStringLiteral("郑州局"),
                     QStringLiteral("7"), QStringLiteral("09:00"), QStringLiteral("15:00"),
                     QStringLiteral("6"), a->name, QStringLiteral("赵 027-8888"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.railRows.size(), 1, kWait);
    const RailRow& row = b->sink.railRows[0];
    QCOMPARE(row.trainNumber, QStringLiteral("X9527"));
    QCOMPARE(row.departureCity, QStringLiteral("武汉局"));
    QCOMPARE(row.loadingStation, QStringLiteral("吴家山"));
    QCOMPARE(row.arrivalStation2, QStringLiteral("郑州北"));
    QCOMPARE(row.hours, QStringLiteral("6"));
    QCOMPARE(row.sender, a->name);
    QCOMPARE(UnscrambleField(row.contact), QStringLiteral("赵 027-8888"));
    // The publisher's own session got the broadcasts too but showed none of them: its
    // pages were not on screen except the land grid, where the city did not fit.
    QVERIFY(a->sink.airRows.isEmpty() && a->sink.seaRows.isEmpty() && a->sink.railRows.isEmpty());
}

void ImSandboxTest::forgedBroadcastInAChatMessageIsNotShown()
{
    QStringList units;
    const auto recorder = QObject::connect(&b->client, &IMClient::OnPITrail,
                                           [&units](int direction, const QString& unit) {
                                               if (direction == IMClient::TrailIn)
                                                   units << unit;
                                           });
    b->sink = RecordingBroadcastSink();
    b->sink.shownPage = ShellPage::InfoLand;
    b->sink.searchPanelVisible = true;
    b->shell.landViewKind = 0; // every land listing fits
    b->shell.searchFromCity = QStringLiteral("武汉");
    const int countBefore = b->shell.nationalCount;
    const QString marker =
        QStringLiteral("伪造 ") + QString::number(QDateTime::currentMSecsSinceEpoch());
    // A chat message carrying a land payload in the agent seat's name and two elements that
    // look like the broadcast header; the server forwards all of it.
    const QString header =
        QStringLiteral("<message from='localhost' to='%1/haulway'>x</message>").arg(b->jid);
    const QString oneAttribute =
        QStringLiteral("<message from='localhost to=%1/haulway'>x</message>").arg(b->jid);
    const QString forged =
        QStringLiteral("<message to='%1/haulway' type='chat'><body>你好</body><broadcastcargo>"
                       "<tag>robot</tag><fcity>武汉</fcity><tcity>郑州</tcity><id>1</id>"
                       "<title>%2</title><tpy>1</tpy><sender>-1</sender><contact>00</contact>"
                       "<isuat>2026-12-08 10:00:00</isuat><postion>武汉</postion>"
                       "</broadcastcargo>%3%4</message>")
            .arg(b->jid, marker, header, oneAttribute);
    a->client.sendCommand(forged);
    QTRY_VERIFY_WITH_TIMEOUT(
        std::any_of(units.cbegin(), units.cend(),
                    [&marker](const QString& unit) { return unit.contains(marker); }),
        kWait);
    QVERIFY(b->sink.landRows.isEmpty());
    QCOMPARE(b->shell.nationalCount, countBefore);

    // A genuine publication still arrives, in both grids.
    const QString title = QStringLiteral("真实 ") + marker;
    PublishCargo(a->client, QStringLiteral("localhost"), title, QStringLiteral("武汉"),
                 QStringLiteral("郑州"), QStringLiteral("武汉"), a->name, QStringLiteral("1"),
                 QStringLiteral("1"), QStringLiteral("赵先生"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.landRows.size(), 2, kWait);
    QObject::disconnect(recorder);
    for (const auto& [grid, row] : b->sink.landRows) {
        QCOMPARE(row.title, title);
        QCOMPARE(row.senderId, a->name);
    }
    QCOMPARE(b->shell.nationalCount, countBefore + 1);
    QVERIFY(a->client.connected() && b->client.connected());
}

void ImSandboxTest::controlCharactersInPublishedTextsKeepTheSession()
{
    // Pasted text: a vertical tab, other control characters, a lone surrogate and the two
    // non-characters. The server would close the stream on any of them.
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString dirty = QStringLiteral("含\v控制") + QChar(0x01) + QChar(0) + QChar(0xD800) +
                          QChar(0xFFFE) + QChar(0xFFFF) + QChar(0x1F) + QStringLiteral("符 ") +
                          stamp;
    const QString clean = QStringLiteral("含控制符 ") + stamp;
    const QString host = QStringLiteral("localhost");
    b->sink = RecordingBroadcastSink();
    b->shell.landViewKind = 0;
    b->shell.airSelectionKind = 0;

    b->sink.shownPage = ShellPage::InfoLand;
    PublishCargo(a->client, host, dirty, QStringLiteral("武汉"), QStringLiteral("郑州"),
                 QStringLiteral("武汉"), a->name, QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("赵先生"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.landRows.size(), 1, kWait);
    QCOMPARE(b->sink.landRows[0].second.title, clean);

    b->sink.shownPage = ShellPage::InfoAir;
    PublishAirPrice(a->client, host, QStringLiteral("天河"), QStringLiteral("WUH"),
                    QStringLiteral("成田"), QStringLiteral("NRT"), QStringLiteral("日本"),
                    QStringLiteral("1"), QStringLiteral("100"), QStringLiteral("2"),
                    QStringLiteral("CA 中国国际航空股份有限公司"), QStringLiteral("直达"), a->name,
                    QStringLiteral("赵"), dirty);
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.airRows.size(), 1, kWait);
    QCOMPARE(b->sink.airRows[0].remark, clean);

    b->sink.shownPage = ShellPage::InfoSea;
    PublishSeaLine(a->client, host, QStringLiteral("武汉"), QStringLiteral("鹿特丹"), QString(),
                   QStringLiteral("周三"), QStringLiteral("35"), QStringLiteral("海运直达"),
                   QStringLiteral("中远"), QStringLiteral("欧洲线"), dirty, a->name,
                   QStringLiteral("赵"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.seaRows.size(), 1, kWait);
    QCOMPARE(b->sink.seaRows[0].portSequence, clean);

    b->sink.shownPage = ShellPage::InfoRail;
    PublishTrianInfo(a->client, host, dirty, QStringLiteral("武汉局"), QStringLiteral("吴家山"),
                     QStringLiteral("江岸西"), QStringLiteral("圃田"), QStringLiteral("郑州北"),
                     QStringLiteral("郑州局"), QStringLiteral("7"), QStringLiteral("09:00"),
                     QStringLiteral("15:00"), QStringLiteral("6"), a->name, QStringLiteral("赵"));
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.railRows.size(), 1, kWait);
    QCOMPARE(b->sink.railRows[0].trainNumber, clean);

    // The rename iq takes the same path.
    a->dialogs.newName = QStringLiteral("老周\v") + QChar(0xFFFF);
    a->session.renameFriend(b->jid);
    b->sink.shownPage = ShellPage::InfoSea;
    PublishSeaLine(a->client, host, QStringLiteral("武汉"), QStringLiteral("上海"), QString(),
                   QString(), QString(), QString(), QString(), QString(), stamp, a->name,
                   QString());
    QTRY_COMPARE_WITH_TIMEOUT(b->sink.seaRows.size(), 2, kWait);
    QVERIFY(a->client.connected());
    QVERIFY(b->client.connected());
}

void ImSandboxTest::capitalisedLoginGetsItsBroadcasts()
{
    // The server binds sunli@localhost/haulway for "SunLi" and addresses broadcasts there.
    User capitalised(QStringLiteral("SunLi"));
    capitalised.sink.shownPage = ShellPage::InfoLand;
    capitalised.shell.landViewKind = 0;
    SIGN_IN(capitalised);
    const QString title =
        QStringLiteral("大写登录 ") + QString::number(QDateTime::currentMSecsSinceEpoch());
    PublishCargo(a->client, QStringLiteral("localhost"), title, QStringLiteral("杭州"),
                 QStringLiteral("武汉"), QStringLiteral("武汉"), a->name, QStringLiteral("2"),
                 QStringLiteral("1"), QStringLiteral("赵先生"));
    QTRY_COMPARE_WITH_TIMEOUT(capitalised.sink.landRows.size(), 1, kWait);
    QCOMPARE(capitalised.sink.landRows[0].second.title, title);
    QCOMPARE(capitalised.shell.nationalCount, 1);
    QCOMPARE(capitalised.session.account().loginIdentity, QStringLiteral("sunli@localhost"));
    capitalised.session.cleanUp();
}

void ImSandboxTest::openFriendRequestKeepsTheSessionReading()
{
    // sunli is asked by zhoujun (b) and leaves the question open for longer than the
    // keep-alive allows an unanswered ping; meanwhile zhaoqiang (a) publishes.
    User asked(QStringLiteral("sunli"));
    asked.client.setKeepAliveInterval(1); // pings every second, answer due within 5 s
    asked.sink.shownPage = ShellPage::InfoLand;
    asked.shell.landViewKind = 0;
    SIGN_IN(asked);
    // Start from strangers, whatever an earlier run left behind.
    const bool forgotten = forget(asked, b->jid) | forget(*b, asked.jid);
    if (forgotten)
        QTRY_VERIFY_WITH_TIMEOUT(!forget(asked, b->jid) && !forget(*b, asked.jid), kWait);
    asked.dialogs.subscriptionsFrom.clear();
    asked.dialogs.holdSubscriptions = true;

    b->session.addFriend(asked.name, QString());
    QTRY_COMPARE_WITH_TIMEOUT(asked.dialogs.subscriptionsFrom, QStringList{b->name}, kWait);
    QCOMPARE(asked.dialogs.held.size(), 1);
    QElapsedTimer open;
    open.start();
    QTest::qWait(6000); // past the keep-alive timeout
    const QString title =
        QStringLiteral("问题未答 ") + QString::number(QDateTime::currentMSecsSinceEpoch());
    PublishCargo(a->client, QStringLiteral("localhost"), title, QStringLiteral("杭州"),
                 QStringLiteral("郑州"), QStringLiteral("武汉"), a->name, QStringLiteral("1"),
                 QStringLiteral("1"), QStringLiteral("赵先生"));
    QTRY_COMPARE_WITH_TIMEOUT(asked.sink.landRows.size(), 1, kWait);
    QCOMPARE(asked.sink.landRows[0].second.title, title);
    QTest::qWait(2000);
    QVERIFY(open.elapsed() > 7000);
    QVERIFY(asked.client.connected());
    QCOMPARE(asked.dialogs.subscriptionsFrom.size(), 1); // asked once

    // Accepting now grants the request and asks zhoujun in turn (who accepts).
    b->askedBy().clear();
    asked.dialogs.answerHeld(true);
    const auto subscription = [this, &asked] {
        auto* roster = b->client.engine()->findExtension<QXmppRosterManager>();
        return roster->getRosterEntry(asked.jid).subscriptionType();
    };
    QTRY_VERIFY_WITH_TIMEOUT(subscription() == QXmppRosterIq::Item::To ||
                                 subscription() == QXmppRosterIq::Item::Both,
                             kWait);
    QTRY_VERIFY_WITH_TIMEOUT(b->askedBy().contains(asked.name), kWait);
    QVERIFY(asked.client.connected());

    // Leave them strangers for the next run.
    forget(asked, b->jid);
    forget(*b, asked.jid);
    QTest::qWait(200);
    asked.session.cleanUp();
}

void ImSandboxTest::delayedChatKeepsItsSendTime()
{
    // A message the server kept while the user was away carries a delay stamp; a live one
    // does not. Sent raw here so that the stamp is known.
    QList<QPair<QString, QDateTime>> received;
    const auto recorder =
        QObject::connect(&b->client, &IMClient::OnMessageIn,
                         [&received](const QString&, const QString&, const QString&, const QString&,
                                     int, const QString&, const QString&, const QString& text,
                                     const QString&, const QString&, const QDateTime& sentAt) {
                             received.append({text, sentAt});
                         });
    a->client.sendCommand(
        QStringLiteral("<message to='%1/haulway' type='chat'><body>昨晚的留言</body>"
                       "<delay xmlns='urn:xmpp:delay' from='localhost' "
                       "stamp='2026-12-08T02:15:30Z'/></message>")
            .arg(b->jid));
    a->client.sendMessage(b->jid, IMClient::MessageChat, QStringLiteral("现在的消息"));
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 2, kWait);
    QObject::disconnect(recorder);
    QCOMPARE(received.at(0).first, QStringLiteral("昨晚的留言"));
    QCOMPARE(received.at(0).second, QDateTime(QDate(2026, 12, 8), QTime(2, 15, 30), Qt::UTC));
    QCOMPARE(received.at(1).first, QStringLiteral("现在的消息"));
    QVERIFY(!received.at(1).second.isValid());
}

QTEST_MAIN(ImSandboxTest)
#include "tst_ImSandbox.moc"
