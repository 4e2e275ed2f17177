#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Keys.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray settingsDocument(const QByteArray& login, const QByteArray& tail)
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<ClientConfig>\r\n  <login>\r\n" +
           login + "\r\n  </login>\r\n" + tail + "\r\n</ClientConfig>";
}

QString key()
{
    return QString::fromLatin1(kConfigurationKey);
}

const char NulPasswordWarning[] =
    "composing the settings file failed: \"Error: the last char is NULL char.\"";
} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void mainWriterMatchesGoldenFile();
    void chatWriterMatchesGoldenFileAndAlwaysEnciphers();
    void rememberOffWritesEmptyPasswordButRememberTrue();
    void chineseUserNameRoundTrips();
    void rememberFlagWordsAndIntegers_data();
    void rememberFlagWordsAndIntegers();
    void missingFileLeavesDefaults();
    void malformedFileRaisesParserErrorAndLoadsNothing();
    void nonHexPasswordStopsTheRestOfTheLoad();
    void notABooleanStopsTheLoad();
    void chatFileLeavesOrderCitiesEmptyOnNextLoad();
    void markupInTextsIsEscapedAndReadBack();
    void foreignRootGivesEmptyValues();
    void failedWriteKeepsOldFileAndReportsFromChatMenu();
    void saveMainLogsTheFailureItSwallows();
    void loginGbkCannotHoldIsLeftOut();
    void fileInAFolderThatRefusesNewFilesIsWrittenInPlace();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void SettingsFileTest::init()
{
    resetSession();
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("config.xml"));
    QFile::remove(m_path);
}

void SettingsFileTest::mainWriterMatchesGoldenFile()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("张三@localhost");
    s.password = QStringLiteral("secret1");
    s.rememberPassword = true;
    QVERIFY(SettingsFile::writeMain(s, QStringLiteral("北京,大连"), m_path));
    QCOMPARE(readBytes(m_path),
             readBytes(QStringLiteral(TOVANTA_TEST_DATA_DIR "/config-main.golden")));
}

void SettingsFileTest::chatWriterMatchesGoldenFileAndAlwaysEnciphers()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("张三@localhost");
    s.password = QStringLiteral("secret1");
    s.rememberPassword = false; // the chat writer stores the password all the same
    s.sendKey = QStringLiteral("CtrlEnter");
    QVERIFY(SettingsFile::writeChat(s, 1, m_path));
    QCOMPARE(readBytes(m_path),
             readBytes(QStringLiteral(TOVANTA_TEST_DATA_DIR "/config-chat.golden")));
    QCOMPARE(s.sendKey, QStringLiteral("CtrlEnter")); // memory is not changed

    QVERIFY(SettingsFile::writeChat(s, 2, m_path));
    QVERIFY(readBytes(m_path).contains("<sendmsg>CtrlEnter</sendmsg>"));
    QCOMPARE(SettingsFile::sendKeyForMenuTag(1), QStringLiteral("Enter"));
    QCOMPARE(SettingsFile::sendKeyForMenuTag(2), QStringLiteral("CtrlEnter"));
}

void SettingsFileTest::rememberOffWritesEmptyPasswordButRememberTrue()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("wang@localhost");
    s.password = QStringLiteral("pw");
    s.rememberPassword = false;
    QVERIFY(SettingsFile::writeMain(s, QString(), m_path));
    const QByteArray bytes = readBytes(m_path);
    QVERIFY(bytes.contains("    <rememberpsw>true</rememberpsw>\r\n"));
    QVERIFY(bytes.contains("    <password></password>\r\n"));
    QVERIFY(bytes.contains("  <ordercity></ordercity>\r\n</ClientConfig>"));
    QVERIFY(!bytes.endsWith("\r\n"));

    // The next start fills in the name and checks the box, but the password stays empty.
    resetSession();
    SettingsFile::LoginFields fields;
    fields.password = QStringLiteral("stale");
    SettingsFile::load(fields, session(), m_path);
    QCOMPARE(fields.userName, QStringLiteral("wang"));
    QVERIFY(fields.password.isEmpty());
    QVERIFY(fields.rememberChecked);
    QVERIFY(session().rememberPassword);
}

void SettingsFileTest::chineseUserNameRoundTrips()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("张三@localhost");
    s.password = QStringLiteral("密码 with spaces");
    s.rememberPassword = true;
    s.sendKey = QStringLiteral("Enter");
    QVERIFY(SettingsFile::writeMain(s, QStringLiteral("北京, 大连 ,上海"), m_path));
    // GBK bytes of the name, unescaped.
    QVERIFY(readBytes(m_path).contains("<username>\xD5\xC5\xC8\xFD</username>"));

    resetSession();
    SettingsFile::LoginFields fields;
    SettingsFile::load(fields, session(), m_path);
    QCOMPARE(fields.userName, QStringLiteral("张三"));
    QCOMPARE(fields.password, QStringLiteral("密码 with spaces"));
    QVERIFY(fields.rememberChecked);
    QCOMPARE(session().sendKey, QStringLiteral("Enter"));
    QCOMPARE(session().orderCities,
             QStringList({QStringLiteral("北京"), QStringLiteral("大连"), QStringLiteral("上海")}));
}

void SettingsFileTest::rememberFlagWordsAndIntegers_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<bool>("remembered");
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("TRUE") << QByteArray("TRUE") << true;
    QTest::newRow("False") << QByteArray("False") << false;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("-7") << QByteArray("-7") << true;
}

void SettingsFileTest::rememberFlagWordsAndIntegers()
{
    QFETCH(QByteArray, word);
    QFETCH(bool, remembered);
    const QByteArray hex = DesEncryptHex(QStringLiteral("pw"), key()).toLatin1();
    writeBytes(m_path, settingsDocument("    <rememberpsw>" + word +
                                            "</rememberpsw>\r\n    <username> li </username>\r\n"
                                            "    <password>" +
                                            hex + "</password>",
                                        "  <sendmsg>Enter</sendmsg>"));
    session().rememberPassword = !remembered;
    SettingsFile::LoginFields fields;
    SettingsFile::load(fields, session(), m_path);
    QCOMPARE(fields.rememberChecked, remembered);
    QCOMPARE(session().rememberPassword, remembered);
    QCOMPARE(fields.userName, remembered ? QStringLiteral("li") : QString());
    QCOMPARE(fields.password, remembered ? QStringLiteral("pw") : QString());
    QCOMPARE(session().sendKey, QStringLiteral("Enter"));
}

void SettingsFileTest::missingFileLeavesDefaults()
{
    SettingsFile::LoginFields fields;
    fields.rememberChecked = true;
    SettingsFile::load(fields, session(), m_path);
    QVERIFY(!fields.rememberChecked);
    QVERIFY(fields.userName.isEmpty());
    QVERIFY(!session().rememberPassword);
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
    QVERIFY(session().orderCities.isEmpty());
}

void SettingsFileTest::malformedFileRaisesParserErrorAndLoadsNothing()
{
    writeBytes(m_path, "<ClientConfig><login><rememberpsw>true</rememberpsw>");
    session().sendKey = QStringLiteral("CtrlEnter");
    SettingsFile::LoginFields fields;
    try {
        SettingsFile::load(fields, session(), m_path);
        QFAIL("a malformed file must raise the parser's error");
    } catch (const CoreError& e) {
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(fields.userName.isEmpty());
    QVERIFY(!fields.rememberChecked);
    QVERIFY(!session().rememberPassword);
}

void SettingsFileTest::nonHexPasswordStopsTheRestOfTheLoad()
{
    writeBytes(m_path, settingsDocument("    <rememberpsw>true</rememberpsw>\r\n"
                                        "    <username>zhao</username>\r\n"
                                        "    <password>XYZ1</password>",
                                        "  <sendmsg>Enter</sendmsg>\r\n"
                                        "  <ordercity>北京</ordercity>"));
    SettingsFile::LoginFields fields;
    try {
        SettingsFile::load(fields, session(), m_path);
        QFAIL("a non-hex password must raise");
    } catch (const CoreError& e) {
        QCOMPARE(e.message(), QStringLiteral("Error: not a Hex String"));
    }
    QCOMPARE(fields.userName, QStringLiteral("zhao")); // filled before the password
    QVERIFY(!fields.rememberChecked);
    QVERIFY(!session().rememberPassword);
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
    QVERIFY(session().orderCities.isEmpty());
}

void SettingsFileTest::notABooleanStopsTheLoad()
{
    writeBytes(m_path, settingsDocument("    <rememberpsw>yes</rememberpsw>\r\n"
                                        "    <username>zhao</username>\r\n"
                                        "    <password></password>",
                                        "  <sendmsg>Enter</sendmsg>"));
    SettingsFile::LoginFields fields;
    QVERIFY_EXCEPTION_THROWN(SettingsFile::load(fields, session(), m_path), CoreError);
    QVERIFY(fields.userName.isEmpty());
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
}

void SettingsFileTest::chatFileLeavesOrderCitiesEmptyOnNextLoad()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("zhao@localhost");
    s.password = QStringLiteral("pw");
    QVERIFY(SettingsFile::writeChat(s, 2, m_path));
    QVERIFY(!readBytes(m_path).contains("ordercity"));

    resetSession();
    session().orderCities = QStringList{QStringLiteral("stale")};
    session().sendKey = QStringLiteral("Enter");
    SettingsFile::LoginFields fields;
    SettingsFile::load(fields, session(), m_path);
    QVERIFY(session().orderCities.isEmpty());
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
    QCOMPARE(fields.password, QStringLiteral("pw"));
}

void SettingsFileTest::markupInTextsIsEscapedAndReadBack()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("a<b>&c@localhost");
    s.rememberPassword = false;
    QVERIFY(SettingsFile::writeMain(s, QStringLiteral("x&y"), m_path));
    const QByteArray bytes = readBytes(m_path);
    QVERIFY(bytes.contains("<username>a&lt;b&gt;&amp;c</username>"));
    QVERIFY(bytes.contains("<ordercity>x&amp;y</ordercity>"));

    resetSession();
    SettingsFile::LoginFields fields;
    SettingsFile::load(fields, session(), m_path);
    QCOMPARE(fields.userName, QStringLiteral("a<b>&c"));
    QCOMPARE(session().orderCities, QStringList{QStringLiteral("x&y")});
}

void SettingsFileTest::foreignRootGivesEmptyValues()
{
    writeBytes(m_path, "<?xml version=\"1.0\"?><Other><sendmsg>Enter</sendmsg></Other>");
    SettingsFile::LoginFields fields;
    // rememberpsw reads as empty, which is no boolean: the load stops with an error, no crash.
    QVERIFY_EXCEPTION_THROWN(SettingsFile::load(fields, session(), m_path), CoreError);
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));

    // A missing sendmsg keeps the setting instead of taking the surrounding white space.
    writeBytes(m_path, settingsDocument("    <rememberpsw>false</rememberpsw>", ""));
    SettingsFile::load(fields, session(), m_path);
    QCOMPARE(session().sendKey, QStringLiteral("CtrlEnter"));
    QVERIFY(session().orderCities.isEmpty());
}

void SettingsFileTest::failedWriteKeepsOldFileAndReportsFromChatMenu()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("zhao@localhost");
    const QString unwritable = m_dir.filePath(QStringLiteral("missing/dir/config.xml"));
    QString error;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^writing the settings file failed: "
                                                          "\"Cannot create file .*config.xml"));
    QVERIFY(!SettingsFile::writeMain(s, QString(), unwritable, &error));
    QVERIFY(error.contains(QStringLiteral("config.xml")));

    // A password ending in NUL cannot be enciphered: the old file stays as it was.
    writeBytes(m_path, "old");
    s.password = QStringLiteral("pw") + QChar(0);
    error.clear();
    QTest::ignoreMessage(QtWarningMsg, NulPasswordWarning);
    QVERIFY(!SettingsFile::writeChat(s, 1, m_path, &error));
    QCOMPARE(error, QStringLiteral("Error: the last char is NULL char."));
    QCOMPARE(readBytes(m_path), QByteArray("old"));

    // From the chat menu the failure is reported; the chosen key is still returned.
    error.clear();
    QTest::ignoreMessage(QtWarningMsg, NulPasswordWarning);
    QCOMPARE(SettingsFile::saveFromChatMenu(1, &error), QStringLiteral("Enter"));
    QCOMPARE(error, QStringLiteral("Error: the last char is NULL char."));
}

void SettingsFileTest::saveMainLogsTheFailureItSwallows()
{
    SessionState& s = session();
    s.loginIdentity = QStringLiteral("zhao@localhost");
    s.password = QStringLiteral("pw") + QChar(0);
    s.rememberPassword = true;
    QTest::ignoreMessage(QtWarningMsg, NulPasswordWarning);
    SettingsFile::saveMain(QStringLiteral("北京"));
}

// GBK has no emoji: written as "?", the remembered login would come back wrong. The login is
// left out instead, and the rest of the file is still written.
void SettingsFileTest::loginGbkCannotHoldIsLeftOut()
{
    SessionState& s = session();
    s.rememberPassword = true;
    s.sendKey = QStringLiteral("Enter");
    for (const auto& login :
         {std::make_pair(QStringLiteral("li\U0001F600"), QStringLiteral("pw")),
          std::make_pair(QStringLiteral("li"), QStringLiteral("p\U0001F600"))}) {
        s.loginIdentity = login.first + QStringLiteral("@localhost");
        s.password = login.second;
        QTest::ignoreMessage(QtWarningMsg,
                             "the login holds characters GBK lacks; it is not remembered");
        QVERIFY(SettingsFile::writeMain(s, QStringLiteral("北京"), m_path));
        const QByteArray bytes = readBytes(m_path);
        QVERIFY(!bytes.contains('?' + QByteArray("</")));
        QVERIFY(bytes.contains("<username></username>"));
        QVERIFY(bytes.contains("<password></password>"));

        resetSession();
        SettingsFile::LoginFields fields;
        SettingsFile::load(fields, session(), m_path);
        QVERIFY(fields.userName.isEmpty());
        QVERIFY(fields.password.isEmpty());
        QCOMPARE(session().sendKey, QStringLiteral("Enter"));
        QCOMPARE(session().orderCities, QStringList{QStringLiteral("北京")});
        s.rememberPassword = true;
        s.sendKey = QStringLiteral("Enter");
    }
    QVERIFY(SettingsFile::canRemember(QStringLiteral("张三"), QStringLiteral("密码 x")));
}

// Where the program may change config.xml but not create files beside it, the file is written
// in place. Root creates files anywhere, so the folder is made immutable for root.
void SettingsFileTest::fileInAFolderThatRefusesNewFilesIsWrittenInPlace()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.xml"));
    writeBytes(path, "old");
#ifdef Q_OS_UNIX
    const bool root = ::geteuid() == 0;
#else
    QSKIP("folder locking is only set up on Unix");
    const bool root = false;
#endif
    const bool locked =
        root ? QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir.path()}) == 0
             : QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    auto unlock = qScopeGuard([&] {
        if (root)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir.path()});
        else
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (!locked)
        QSKIP("this file system cannot refuse new files in a folder");
    QFile probe(dir.filePath(QStringLiteral("probe")));
    QVERIFY2(!probe.open(QIODevice::WriteOnly), "the folder still takes new files");

    SessionState& s = session();
    s.loginIdentity = QStringLiteral("wang@localhost");
    s.password = QStringLiteral("pw");
    s.rememberPassword = true;
    QString error;
    QVERIFY2(SettingsFile::writeMain(s, QStringLiteral("上海"), path, &error), qPrintable(error));
    QCOMPARE(readBytes(path), SettingsFile::composeMain(s, QStringLiteral("上海")));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_SettingsFile.moc"
