// The update component against the sandbox exchange's update routes.
#include "SandboxEndpoints.h"
#include "SandboxHttp.h"
#include "UpgraderEvents.h"

#include "update/TauAutoUpgrader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class UpdateSandboxTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TauAutoUpgrader> m_upgrader;
    UpgraderEvents m_events;

    QString inProgram(const QString& name) const { return m_dir->filePath(name); }
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList copies() const
    {
        return QDir(m_dir->path())
            .entryList({QStringLiteral("*.uTMP")}, QDir::Files | QDir::Hidden);
    }
    static void sandbox(const QString& path)
    {
        const auto reply = SandboxHttp::get(path);
        QVERIFY2(reply.status == 200, qPrintable(path + ": " + reply.error));
    }
    void check()
    {
        m_upgrader->checkNow();
        QVERIFY(m_events.waitForEnd());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QFile source(m_dir->filePath(QStringLiteral("upgrader-source")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("upgrader");
        source.close();
        m_upgrader = std::make_unique<TauAutoUpgrader>();
        m_upgrader->setExecutablePath(inProgram(QStringLiteral("tovanta")));
        m_upgrader->setUpgraderPath(inProgram(QStringLiteral("Upgrader3")));
        m_upgrader->setUpgraderSource(source.fileName());
        m_upgrader->setInfoFileUrl(QStringLiteral("http://www.localhost:%1/update/update.inf")
                                       .arg(SandboxEndpoints::httpPort()));
        m_upgrader->setCurrentVersion(QStringLiteral("2.0.0.1"));
        m_events = UpgraderEvents();
        m_events.attach(*m_upgrader);
    }
    void cleanup()
    {
        sandbox(QStringLiteral("/sandbox/update/reset"));
        m_upgrader.reset();
        m_dir.reset();
    }

    void equalVersionIsNoUpdate()
    {
        check();
        QCOMPARE(m_events.events, QStringList{"noupdate"});
        QVERIFY(copies().isEmpty());
    }

    void newerVersionArrivesAsCopies()
    {
        sandbox(QStringLiteral("/sandbox/update/offer/2.0.0.10"));
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "done", "end", "installed"}));
        QVERIFY(m_events.message.startsWith(QStringLiteral("发现新版Tovanta 2.0.0.10")));
        QCOMPARE(copies(), QStringList{"update-note.txt.uTMP"});
        QFile original(
            QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/site/update/files/update-note.txt"));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(readAll(inProgram("update-note.txt.uTMP")), original.readAll());
        QCOMPARE(m_events.startedArguments.value(1), QStringLiteral("+/afterupgrade0"));
    }

    void missingFileAbortsUnlessContinued()
    {
        sandbox(QStringLiteral("/sandbox/update/offer/2.0.0.10"));
        sandbox(QStringLiteral("/sandbox/update/fault/missing"));
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "lost404", "aborted"}));
        QVERIFY(
            m_events.lostUrls.value(0).endsWith(QLatin1String("/update/files/missing-part.bin")));
        QVERIFY(copies().isEmpty());
        QVERIFY(m_events.startedProgram.isEmpty());

        m_events.events.clear();
        m_events.continueAfterLost = true;
        check();
        QCOMPARE(m_events.events,
                 (QStringList{"begin", "start", "lost404", "start", "done", "end", "installed"}));
        QCOMPARE(copies(), QStringList{"update-note.txt.uTMP"});
    }

    void hashMismatchAborts()
    {
        sandbox(QStringLiteral("/sandbox/update/offer/2.0.0.10"));
        sandbox(QStringLiteral("/sandbox/update/fault/badhash"));
        check();
        QCOMPARE(m_events.events, (QStringList{"begin", "start", "aborted"}));
        QVERIFY(copies().isEmpty());
        QVERIFY(m_events.startedProgram.isEmpty());
    }

    void methodTwoOpensTheBrowser()
    {
        sandbox(QStringLiteral("/sandbox/update/offer/2.0.0.10/2"));
        // The browser takes over: no end event follows.
        m_upgrader->checkNow();
        QVERIFY(QTest::qWaitFor([this] { return !m_events.openedUrls.isEmpty(); }, 15000));
        QTest::qWait(100);
        QCOMPARE(m_events.events, QStringList{"begin"});
        QCOMPARE(m_events.openedUrls.size(), 1);
        QVERIFY(m_events.openedUrls.first().path().endsWith(QLatin1String("/update-note.txt")));
        QVERIFY(copies().isEmpty());
    }
};

QTEST_GUILESS_MAIN(UpdateSandboxTest)
#include "tst_UpdateSandbox.moc"
