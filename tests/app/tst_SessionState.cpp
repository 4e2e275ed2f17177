#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "app/UserProfile.h"
#include "core/Gbk.h"

#include <QDir>
#include <QtTest>

class SessionStateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void profileTextsAreCutToByteWidth_data();
    void profileTextsAreCutToByteWidth();
    void profileFieldsByKey();
    void addressesAndUserName();
    void resetRestoresInitialValues();
    void dataDirectoryIsCreatedBesideExecutable();
};

void SessionStateTest::profileTextsAreCutToByteWidth_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const QString sixtyChinese = QString(60, QChar(0x4E2D));
    QTest::newRow("mobile 11 bytes")
        << QStringLiteral("mobile") << QStringLiteral("138001380001234")
        << QStringLiteral("13800138000");
    QTest::newRow("address 100 bytes")
        << QStringLiteral("address") << sixtyChinese << QString(50, QChar(0x4E2D));
    QTest::newRow("odd cut keeps whole characters")
        << QStringLiteral("address") << (QStringLiteral("a") + sixtyChinese)
        << (QStringLiteral("a") + QString(49, QChar(0x4E2D)));
    QTest::newRow("id card 18 bytes")
        << QStringLiteral("idcardnumber") << QStringLiteral("11010519491231002X99")
        << QStringLiteral("11010519491231002X");
    QTest::newRow("short text unchanged")
        << QStringLiteral("usercity") << QStringLiteral("大连") << QStringLiteral("大连");
    QTest::newRow("32 bytes, ASCII then Chinese")
        << QStringLiteral("company") << (QString(31, QLatin1Char('x')) + QStringLiteral("公司"))
        << QString(31, QLatin1Char('x'));
}

void SessionStateTest::profileTextsAreCutToByteWidth()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, stored);
    UserProfile profile;
    QVERIFY(profile.setText(key, value));
    QCOMPARE(profile.value(key), stored);
    QVERIFY(Gbk::byteLength(profile.value(key)) <= UserProfile::byteWidth(key));
}

void SessionStateTest::profileFieldsByKey()
{
    UserProfile profile;
    QCOMPARE(UserProfile::keys().size(), 16);
    QVERIFY(!profile.setText(QStringLiteral("id"), QStringLiteral("5")));
    QVERIFY(!profile.setText(QStringLiteral("unknown"), QStringLiteral("5")));
    QVERIFY(profile.setInteger(QStringLiteral("id"), 42));
    QVERIFY(profile.setInteger(QStringLiteral("userlevel"), 3));
    QVERIFY(!profile.setInteger(QStringLiteral("sex"), 1));
    QCOMPARE(profile.id, 42);
    QCOMPARE(profile.value(QStringLiteral("userlevel")), QStringLiteral("3"));

    // Every text key lands in its own field.
    for (const QString& key : UserProfile::keys()) {
        if (!UserProfile::isIntegerKey(key))
            QVERIFY(profile.setText(key, key.left(8)));
    }
    for (const QString& key : UserProfile::keys()) {
        if (!UserProfile::isIntegerKey(key))
            QCOMPARE(profile.value(key), key.left(8));
    }
    QCOMPARE(profile.usercountry, QStringLiteral("usercoun"));
    QCOMPARE(profile.telephone2, QStringLiteral("telephon"));
}

void SessionStateTest::addressesAndUserName()
{
    SessionState s;
    QCOMPARE(s.siteAddress(), QStringLiteral("http://www.localhost:15280"));
    QCOMPARE(s.adminAddress(), QStringLiteral("http://admin.localhost"));
    s.HostName = QStringLiteral("example.com");
    s.baseurl.clear();
    QCOMPARE(s.siteAddress(), QStringLiteral("http://www.example.com"));
    s.loginIdentity = QStringLiteral("张三@example.com@x");
    QCOMPARE(s.userName(), QStringLiteral("张三"));
    s.loginIdentity = QStringLiteral("plain");
    QCOMPARE(s.userName(), QStringLiteral("plain"));
}

void SessionStateTest::resetRestoresInitialValues()
{
    session().loginIdentity = QStringLiteral("a@b");
    session().sendKey = QStringLiteral("Enter");
    session().loginWindowAvailable = false;
    session().profile.setInteger(QStringLiteral("id"), 9);
    resetSession();
    QVERIFY(session().loginIdentity.isEmpty());
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
    QVERIFY(session().loginWindowAvailable);
    QVERIFY(!session().rememberPassword);
    QCOMPARE(session().profile.id, 0);
    QCOMPARE(session().AppName, QStringLiteral("Tovanta"));
    QCOMPARE(session().authmobile, QStringLiteral("true"));
}

void SessionStateTest::dataDirectoryIsCreatedBesideExecutable()
{
    const QString data = SessionState::dataDirectory();
    QCOMPARE(data, QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    QDir(data).removeRecursively();
    QVERIFY(SessionState::ensureDataDirectory());
    QVERIFY(QDir(data).exists());
    QVERIFY(SessionState::ensureDataDirectory()); // already there
}

QTEST_GUILESS_MAIN(SessionStateTest)
#include "tst_SessionState.moc"
