// The update component against a scripted web site: what arrives, what is refused, and what
// happens when the server or the network fails.
#include "FakeExchange.h"
#include "UpgraderEvents.h"

#include "update/TauAutoUpgrader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TauAutoUpgraderTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeExchange> m_site;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TauAutoUpgrader> m_upgrader;
    UpgraderEvents m_events;

    QString programDir() const { return m_dir->filePath(QStringLiteral("program")); }
    QString inProgram(const QString& name) const { return QDir(programDir()).filePath(name); }
    QString url(const QString& path) const { return m_site->site() + path; }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static QByteArray sha256(const QByteArray& data)
    {
        return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
    }
    QStringList leftCopies() const
    {
        return QDir(programDir()).entryList({QStringLiteral("*.uTMP")}, QDir::Files | QDir::Hidden);
    }
    void offer(const QByteArray& entries)
    {
        m_site->setRoute(QStringLiteral("/info"),
                         "#version=2.0.0.10\n" + entries + "#message={新版\n说明}\n");
    }
    void check()
    {
        m_upgrader->checkNow();
        QVERIFY(m_events.waitForEnd());
    }

private Q_SLOTS:
    void init()
    {
        m_site = std::make_unique<FakeExchange>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(programDir()));
        QFile source(m_dir->filePath(QStringLiteral("upgrader-source")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("upgrader program");
        source.close();
        m_upgrader = std::make_unique<TauAutoUpgrader>();
        m_upgrader->setExecutablePath(inProgram(QStringLiteral("tovanta")));
        m_upgrader->setUpgraderPath(m_dir->filePath(QStringLiteral("Upgrader3")));
        m_upgrader->setUpgraderSource(source.fileName());
        m_upgrader->setInfoFileUrl(url(QStringLiteral("/info")));
        m_upgrader->setCurrentVersion(QStringLiteral("2.0.0.9"));
        m_events = UpgraderEvents();
        m_events.attach(*m_upgrader);
    }
    void cleanup()
    {
        m_upgrader.reset();
        m_site.reset();
        m_dir.reset();
    }

    void newerVersionFetchesFilesAndInstalls()
    {
        m_site->setRoute(QStringLiteral("/f/tovanta"), "new program");
        m_site->setRoute(QStringLiteral("/f/note.txt"), "note");
        // A copy left by an earlier attempt is replaced, not appended to.
        QFile stale(inProgram(QStringLiteral("note.txt.uTMP")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale stale stale");
        stale.close();
        offer("#url=" + url("/f/tovanta").toUtf8() + "\n#sha256=" + sha256("new program") +
              "\n#url2=" + url("/f/note.txt").toUtf8() + "\n");
        check();
        QCOMPARE(m_events.events,
                 (QStringList{"begin", "start", "done", "start", "done", "end", "installed"}));
        QCOMPARE(m_events.message, QStringLiteral("新版\n说明"));
        QCOMPARE(m_events.doneFiles,
                 (QStringList{inProgram("tovanta.uTMP"), inProgram("note.txt.uTMP")}));
        QCOMPARE(readAll(inProgram("tovanta.uTMP")), QByteArray("new program"));
        QCOMPARE(readAll(inProgram("note.txt.uTMP")), QByteArray("note"));
        QCOMPARE(m_events.startedProgram, m_upgrader->upgraderPath());
        QCOMPARE(m_events.startedArguments,
                 (QStringList{QDir::toNativeSeparators(inProgram("tovanta")), "+/afterupgrade0"}));
        QCOMPARE(readAll(m_upgrader->upgraderPath()), QByteArray("upgrader program"));
        QVERIFY(QFileInfo(m_upgrader->upgraderPath()).isExecutable());
        QVERIFY(!m_upgrader->busy());
    }

    void declinedOrNotNewerFetchesNothing()
    {
        m_site->setRoute(QStringLiteral("/f/a"), "a");
        offer("#url=" + url("/f/a").toUtf8() + "\n");
        m_events.mayProceed = false;
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "later"}));

        m_events.events.clear();
        m_upgrader->setCurrentVersion(QStringLiteral("2.0.0.10"));
        check();
        QCOMPARE(m_events.events, QStringList{"noupdate"});

        m_events.events.clear();
        m_upgrader->setCurrentVersion(QStringLiteral("1"));
        offer(""); // newer, but no file listed
        check();
        QCOMPARE(m_events.events, QStringList{"noupdate"});
        QVERIFY(leftCopies().isEmpty());
    }

    void missingInformationFile()
    {
        m_upgrader->setInfoFileUrl(url(QStringLiteral("/nothing")));
        check();
        QCOMPARE(m_events.events, QStringList{"noinfo"});
    }

    void checkRefusedWhileRunning()
    {
        m_site->setRoute(QStringLiteral("/info"), "#version=1\n");
        m_site->setRouteFlow(QStringLiteral("/info"), FakeExchange::Flow::Held);
        m_upgrader->checkNow();
        QVERIFY(m_upgrader->busy());
        m_upgrader->checkNow();
        QVERIFY(QTest::qWaitFor([this] { return m_site->heldCount() == 1; }, 5000));
        QTest::qWait(200);
        QCOMPARE(m_site->heldCount(), 1);
        m_site->releaseHeld();
        QVERIFY(m_events.waitForEnd());
        QCOMPARE(m_events.events, QStringList{"noupdate"});
    }

    void hashMismatchInstallsNothing()
    {
        m_site->setRoute(QStringLiteral("/f/a"), "a");
        m_site->setRoute(QStringLiteral("/f/b"), "tampered");
        offer("#url=" + url("/f/a").toUtf8() + "\n#sha256=" + sha256("a") +
              "\n#url2=" + url("/f/b").toUtf8() + "\n#sha2562=" + sha256("original") + "\n");
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "done", "start", "aborted"}));
        QVERIFY(leftCopies().isEmpty());
        QVERIFY(m_events.startedProgram.isEmpty());
    }

    void truncatedTransferIsConnectionLost()
    {
        m_site->setRoute(QStringLiteral("/f/a"), QByteArray(4000, 'a'));
        m_site->setRouteFlow(QStringLiteral("/f/a"), FakeExchange::Flow::Truncated);
        offer("#url=" + url("/f/a").toUtf8() + "\n");
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "connectionlost"}));
        QVERIFY(leftCopies().isEmpty());
        QVERIFY(m_events.startedProgram.isEmpty());
    }

    void unsafeNamesAreLostFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("encoded climb") << "/f/..%2F..%2Fevil";
        QTest::newRow("backslash climb") << "/f/..\\evil";
        QTest::newRow("drive") << "/f/C:evil";
        QTest::newRow("no name") << "/f/";
    }
    void unsafeNamesAreLostFiles()
    {
        QFETCH(QString, path);
        m_site->setRoute(QStringLiteral("/f/ok"), "ok");
        offer("#url=" + url(path).toUtf8() + "\n#url2=" + url("/f/ok").toUtf8() + "\n");
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "lost0", "aborted"}));
        QVERIFY(leftCopies().isEmpty());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"upgrader-source"});
        // Continued, only the plain one is fetched; nothing lands outside the folder.
        m_events.events.clear();
        m_events.continueAfterLost = true;
        check();
        QCOMPARE(m_events.events,
                 (QStringList{"begin", "start", "lost0", "start", "done", "end", "installed"}));
        QCOMPARE(leftCopies(), QStringList{"ok.uTMP"});
    }

    void failedUpgraderStartRemovesCopies()
    {
        m_site->setRoute(QStringLiteral("/f/a"), "a");
        offer("#url=" + url("/f/a").toUtf8() + "\n");
        m_events.starterSucceeds = false;
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "done", "end", "aborted"}));
        QVERIFY(leftCopies().isEmpty());
    }

    void methodTwoOpensTheBrowser()
    {
        offer("#url=www.example.invalid/download\n#method=2\n");
        // The browser takes over: no end event follows.
        m_upgrader->checkNow();
        QVERIFY(QTest::qWaitFor([this] { return !m_events.openedUrls.isEmpty(); }, 15000));
        QTest::qWait(100);
        QCOMPARE(m_events.events, QStringList{"begin"});
        QCOMPARE(m_events.openedUrls,
                 QList<QUrl>{QUrl(QStringLiteral("http://www.example.invalid/download"))});
        QVERIFY(!m_upgrader->busy());
    }

    void automaticCheck()
    {
        // Offline ticks do nothing; the first online tick makes one check and stops the timer.
        m_site->setRoute(QStringLiteral("/info"), "#version=1\n");
        bool online = false;
        m_upgrader->setOnlineCheck([&online] { return online; });
        m_upgrader->setAutoCheckInterval(30);
        m_upgrader->setAutoCheck(true);
        QTest::qWait(200);
        QVERIFY(m_events.events.isEmpty());
        QVERIFY(m_upgrader->autoCheckTimerActive());
        online = true;
        QVERIFY(m_events.waitForEnd());
        QCOMPARE(m_events.events, QStringList{"noupdate"});
        QTest::qWait(200);
        QCOMPARE(m_events.events, QStringList{"noupdate"});
        QVERIFY(!m_upgrader->autoCheckTimerActive());
    }

    void unreachableHostRestartsOnlyTheAutomaticCheck()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        m_upgrader->setInfoFileUrl(QStringLiteral("http://127.0.0.1:%1/info").arg(port));
        m_upgrader->setOnlineCheck([] { return true; });
        m_upgrader->setAutoCheckInterval(30);

        check(); // by hand: no timer afterwards
        QCOMPARE(m_events.events, QStringList{"unreachable"});
        QVERIFY(!m_upgrader->autoCheckTimerActive());

        m_events.events.clear();
        m_upgrader->setAutoCheck(true);
        QVERIFY(QTest::qWaitFor([this] { return m_events.events.size() >= 2; }, 10000));
        QCOMPARE(m_events.events.mid(0, 2), (QStringList{"unreachable", "unreachable"}));
    }

    void restartMarker()
    {
        m_upgrader->noticeRestart({"tovanta"});
        m_upgrader->noticeRestart({"tovanta", "/other"});
        QVERIFY(m_events.events.isEmpty());
        m_upgrader->noticeRestart({"tovanta", "/afterupgrade"});
        QCOMPARE(m_events.events, QStringList{"afterrestart"});
    }
};

QTEST_GUILESS_MAIN(TauAutoUpgraderTest)
#include "tst_TauAutoUpgrader.moc"
