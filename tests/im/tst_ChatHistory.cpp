#include "im/ChatHistory.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class ChatHistoryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linesComeBackPerOwnerAndPeer();
    void survivesAKilledWriter();
    void unreadableFileMakesItUnavailable();
};

void ChatHistoryTest::linesComeBackPerOwnerAndPeer()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nested/data/chat-history.db"); // folders are made
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(1767225600123);
    {
        ChatHistory history(path);
        QVERIFY(history.append("Lina@localhost", "chenjie@localhost", {"lina", "a'\"; DROP", at}));
        QVERIFY(history.append("lina@localhost", "wanglei@localhost", {"lina", "other peer", at}));
        QVERIFY(history.append("zhangwei@localhost", "chenjie@localhost", {"zw", "other me", at}));
        QVERIFY(history.append("lina@localhost", "CHENJIE@localhost", {"陈杰", "b\r\nc", at}));
    }
    ChatHistory reopened(path);
    const QVector<ChatLine> lines = reopened.last("lina@localhost", "chenjie@localhost", 50);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).text, QStringLiteral("a'\"; DROP"));
    QCOMPARE(lines.at(1).name, QStringLiteral("陈杰"));
    QCOMPARE(lines.at(1).text, QStringLiteral("b\r\nc"));
    QCOMPARE(lines.at(1).time, at);
    QCOMPARE(reopened.last("lina@localhost", "chenjie@localhost", 1).at(0).text,
             QStringLiteral("b\r\nc"));
    QVERIFY(reopened.last("lina@localhost", "chenjie@localhost", 0).isEmpty());
    QVERIFY(reopened.available());
}

void ChatHistoryTest::survivesAKilledWriter()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chat-history.db");
    QProcess writer;
    writer.start(QStringLiteral(TOVANTA_HISTORY_WRITER), {path});
    QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
    QByteArray printed;
    QTRY_VERIFY_WITH_TIMEOUT((printed += writer.readAllStandardOutput()).count('\n') >= 300, 30000);
    writer.kill(); // SIGKILL: no clean shutdown, the write-ahead log stays behind
    QVERIFY(writer.waitForFinished());
    printed += writer.readAllStandardOutput();
    const QList<QByteArray> numbers = printed.trimmed().split('\n');
    const int lastReported = numbers.last().toInt();

    ChatHistory history(path);
    const QVector<ChatLine> lines = history.last("lina@localhost", "chenjie@localhost", 100000);
    QVERIFY(history.available());
    // Every line it reported stored is there, in order, none torn.
    QVERIFY2(lines.size() >= lastReported + 1,
             qPrintable(QString("%1 lines, %2 reported").arg(lines.size()).arg(lastReported)));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i).text, QStringLiteral("line %1").arg(i));
    // And it goes on being written.
    QVERIFY(history.append("lina@localhost", "chenjie@localhost", {"lina", "after", {}}));
    QCOMPARE(history.last("lina@localhost", "chenjie@localhost", 1).at(0).text,
             QStringLiteral("after"));

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
    db.setDatabaseName(path);
    QVERIFY(db.open());
    {
        QSqlQuery check(db);
        QVERIFY(check.exec("PRAGMA integrity_check") && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("check");
}

void ChatHistoryTest::unreadableFileMakesItUnavailable()
{
    QTemporaryDir dir;
    // A folder where the file should be, and a file that is no database.
    QVERIFY(QDir(dir.path()).mkpath("folder.db"));
    QFile junk(dir.filePath("junk.db"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("SQLite format 3") + QByteArray(4096, '\x7f'));
    junk.close();
    for (const QString& name : {QStringLiteral("folder.db"), QStringLiteral("junk.db")}) {
        ChatHistory history(dir.filePath(name));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("chat history .* unavailable"));
        QVERIFY(!history.append("lina@localhost", "chenjie@localhost", {"lina", "x", {}}));
        QVERIFY(!history.available());
        QVERIFY(!history.error().isEmpty());
        // Once failed it stays quiet and empty.
        QVERIFY(history.last("lina@localhost", "chenjie@localhost", 5).isEmpty());
        QVERIFY(!history.append("lina@localhost", "chenjie@localhost", {"lina", "y", {}}));
    }
    QCOMPARE(junk.size(), qint64(15 + 4096)); // left as it was
}

QTEST_GUILESS_MAIN(ChatHistoryTest)
#include "tst_ChatHistory.moc"
