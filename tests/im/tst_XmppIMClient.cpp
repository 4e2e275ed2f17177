#include "im/IMClientError.h"
#include "im/InternetCheck.h"
#include "im/XmppIMClient.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

// What the XMPP client layer promises without a server: errors for operations that need a
// connection, the roster index errors, and a refused connection reported as a disconnection.
class XmppIMClientTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void operationsNeedAConnection();
    void rosterIndexErrorsHaveTheirTexts();
    void connectNeedsServerAndBareJid();
    void refusedConnectionRaisesOnDisconnectedOnce();
    void loopbackServersAreReachable();
    void silentServerEndsTheLogIn();
};

namespace {
QString errorOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const IMClientError& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}
} // namespace

void XmppIMClientTest::operationsNeedAConnection()
{
    XmppIMClient client;
    QVERIFY(!client.connected());
    QVERIFY(!errorOf([&] { client.sendCommand("<iq/>"); }).isEmpty());
    QVERIFY(!errorOf([&] { client.sendMessage("a@localhost", 1, "x"); }).isEmpty());
    QVERIFY(!errorOf([&] { client.addContact("a@localhost", "A", QString()); }).isEmpty());
    QVERIFY(!errorOf([&] { client.subscribeTo("a@localhost"); }).isEmpty());
    QVERIFY(!errorOf([&] { client.removeContact("a@localhost", {}, {}); }).isEmpty());
    client.disconnectFromServer(); // nothing to close: no error, no event
}

void XmppIMClientTest::rosterIndexErrorsHaveTheirTexts()
{
    XmppIMClient client;
    QCOMPARE(client.contactCount(), 0);
    QCOMPARE(errorOf([&] { client.contactId(0); }),
             QStringLiteral("Invalid array index value for BuddyId"));
    QCOMPARE(errorOf([&] { client.contactId(-1); }),
             QStringLiteral("Invalid array index value for BuddyId"));
    QCOMPARE(errorOf([&] { client.contactRealName(0); }),
             QStringLiteral("Invalid array index value for BuddyRealName"));
}

void XmppIMClientTest::connectNeedsServerAndBareJid()
{
    XmppIMClient client;
    QVERIFY(!errorOf([&] { client.connectToServer("a@localhost", "pw"); }).isEmpty());
    client.setIMServer("localhost");
    QVERIFY(!errorOf([&] { client.connectToServer("nobody", "pw"); }).isEmpty());
}

void XmppIMClientTest::refusedConnectionRaisesOnDisconnectedOnce()
{
    // A port that was just free: nothing listens there any more.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const int port = probe.serverPort();
    probe.close();

    XmppIMClient client;
    QSignalSpy connectedSpy(&client, &IMClient::OnConnected);
    QSignalSpy disconnectedSpy(&client, &IMClient::OnDisconnected);
    client.setIMServer("127.0.0.1");
    client.setIMPort(port);
    client.setResource("haulway");
    client.connectToServer("a@localhost", "pw");
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.count(), 1, 20000);
    QVERIFY(disconnectedSpy.at(0).at(0).toInt() != 0);
    QVERIFY(!disconnectedSpy.at(0).at(1).toString().isEmpty());
    QTest::qWait(100);
    QCOMPARE(disconnectedSpy.count(), 1);
    QCOMPARE(connectedSpy.count(), 0);
    QVERIFY(!client.connected());
    // A new attempt is allowed after the failure.
    QVERIFY(errorOf([&] { client.connectToServer("a@localhost", "pw"); }).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.count(), 2, 20000);
}

void XmppIMClientTest::loopbackServersAreReachable()
{
    // The sandbox exchange must be usable on a machine without any network.
    for (const char* host : {"localhost", "www.localhost", "127.0.0.1", "127.8.9.1", "::1"})
        QVERIFY2(InternetCheck::canReach(QString::fromLatin1(host)), host);
}

void XmppIMClientTest::silentServerEndsTheLogIn()
{
    // Accepts the connection and never answers.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    XmppIMClient client;
    QSignalSpy disconnectedSpy(&client, &IMClient::OnDisconnected);
    client.setIMServer("127.0.0.1");
    client.setIMPort(silent.serverPort());
    client.setTimeout(300);
    client.connectToServer("a@localhost", "pw");
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.count(), 1, 20000);
    QVERIFY(disconnectedSpy.at(0).at(1).toString().startsWith(QStringLiteral("Timeout")));
    QVERIFY(!client.connected());
    QTest::qWait(100);
    QCOMPARE(disconnectedSpy.count(), 1);
}

QTEST_GUILESS_MAIN(XmppIMClientTest)
#include "tst_XmppIMClient.moc"
