// The upgrader: every file in place or none, the copies gone, the program started again;
// and the program itself with its command line.
#include "update/upgrader/UpgradeJob.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class UpgradeJobTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_started;
    QStringList m_startedArgs;

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    void write(const QString& name, const QByteArray& data,
               QFileDevice::Permissions permissions = {})
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        if (permissions)
            QVERIFY(file.setPermissions(permissions));
    }
    static QByteArray read(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
    QStringList leftovers() const
    {
        return QDir(m_dir.path()).entryList({"*.uTMP", "*.uOLD"}, QDir::Files | QDir::Hidden);
    }
    UpgradeJob::Options options()
    {
        UpgradeJob::Options options;
        options.executablePath = path(QStringLiteral("tovanta"));
        options.restartArguments = QStringList{"/afterupgrade"};
        options.waitForExitMs = 300;
        options.replaceRetryMs = 300;
        options.logPath = path(QStringLiteral("data/upgrader.log"));
        options.startProgram = [this](const QString& program, const QStringList& args,
                                      const QString&) {
            m_started = program;
            m_startedArgs = args;
            return true;
        };
        return options;
    }

private Q_SLOTS:
    void init()
    {
        QDir dir(m_dir.path());
        const auto entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& entry : entries) {
            QFileInfo info(dir.filePath(entry));
            if (info.isDir())
                QDir(info.filePath()).removeRecursively();
            else
                QFile::remove(info.filePath());
        }
        m_started.clear();
        m_startedArgs.clear();
        const auto exe = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        write(QStringLiteral("tovanta"), "old program", exe);
        write(QStringLiteral("tovanta.uTMP"), "new program");
        write(QStringLiteral("note.txt.uTMP"), "new note");
    }

    void replacesEveryFileAndRestarts()
    {
        UpgradeJob job(options());
        QCOMPARE(job.run(), UpgradeJob::Outcome::Updated);
        QCOMPARE(read(path("tovanta")), QByteArray("new program"));
        QCOMPARE(read(path("note.txt")), QByteArray("new note"));
        // The replaced program keeps its permissions, so it still starts.
        QVERIFY(QFileInfo(path("tovanta")).isExecutable());
        QVERIFY(leftovers().isEmpty());
        QCOMPARE(m_started, path("tovanta"));
        QCOMPARE(m_startedArgs, QStringList{"/afterupgrade"});
        const QByteArray log = read(path("data/upgrader.log"));
        QVERIFY2(log.contains("replaced " + path("tovanta").toUtf8()), log.constData());
        QVERIFY(log.contains("update complete"));
    }

    void failedReplacementRestoresEverything_data()
    {
        QTest::addColumn<bool>("renameFails");
        QTest::newRow("rename refused") << true;
        QTest::newRow("target is a folder") << false;
    }
    void failedReplacementRestoresEverything()
    {
        QFETCH(bool, renameFails);
        write(QStringLiteral("zz.dat.uTMP"), "new data"); // sorted last: after the others
        UpgradeJob::Options opts = options();
        if (renameFails) {
            write(QStringLiteral("zz.dat"), "old data");
            opts.renameOver = [](const QString& from, const QString& to) {
                return !to.endsWith(QLatin1String("zz.dat")) &&
                       UpgradeJob::renameOverDefault(from, to);
            };
        } else {
            QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("zz.dat")));
        }
        UpgradeJob job(opts);
        QCOMPARE(job.run(), UpgradeJob::Outcome::Restored);
        QCOMPARE(read(path("tovanta")), QByteArray("old program"));
        QVERIFY(QFileInfo(path("tovanta")).isExecutable());
        QVERIFY(!QFile::exists(path("note.txt")));
        if (renameFails)
            QCOMPARE(read(path("zz.dat")), QByteArray("old data"));
        QVERIFY(leftovers().isEmpty());
        // The old program starts, without the marker of a completed update.
        QCOMPARE(m_started, path("tovanta"));
        QCOMPARE(m_startedArgs, QStringList());
        QVERIFY(read(path("data/upgrader.log")).contains("the old files are back"));
    }

    void waitsWhileTheProgramRuns()
    {
        QFile::remove(path("tovanta"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), path("tovanta")));
        QProcess running;
        running.start(path("tovanta"), {"30"});
        QVERIFY(running.waitForStarted());
        QVERIFY(UpgradeJob::executableInUse(path("tovanta")));
        running.kill();
        running.waitForFinished();
        QVERIFY(!UpgradeJob::executableInUse(path("tovanta")));

        // The job replaces nothing before the program has ended.
        running.start(path("tovanta"), {"1"});
        QVERIFY(running.waitForStarted());
        UpgradeJob::Options opts = options();
        opts.waitForExitMs = 20000;
        QElapsedTimer clock;
        clock.start();
        UpgradeJob job(opts);
        QCOMPARE(job.run(), UpgradeJob::Outcome::Updated);
        QVERIFY2(clock.elapsed() >= 800, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(read(path("tovanta")), QByteArray("new program"));
        running.waitForFinished();
    }

    void programCommandLine()
    {
        QProcess bad;
        bad.start(QStringLiteral(TOVANTA_UPGRADER_PATH), {path("tovanta"), "afterupgrade"});
        QVERIFY(bad.waitForFinished());
        QCOMPARE(bad.exitCode(), 2);
        QCOMPARE(read(path("tovanta")), QByteArray("old program"));

        // The real program: replaces, restarts the (script) program with the parameters.
        write(QStringLiteral("tovanta.uTMP"),
              "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/restarted.txt\"\n");
        QFile::setPermissions(path("tovanta"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        QProcess upgrader;
        upgrader.start(QStringLiteral(TOVANTA_UPGRADER_PATH), {path("tovanta"), "+/afterupgrade0"});
        QVERIFY(upgrader.waitForFinished(20000));
        QCOMPARE(upgrader.exitCode(), 0);
        QVERIFY(QTest::qWaitFor([this] { return QFile::exists(path("restarted.txt")); }, 10000));
        QVERIFY(QTest::qWaitFor([this] { return read(path("restarted.txt")) == "/afterupgrade\n"; },
                                5000));
        QCOMPARE(read(path("note.txt")), QByteArray("new note"));
        QVERIFY(leftovers().isEmpty());
        QVERIFY(read(path("data/upgrader.log")).contains("update complete"));
    }
};

QTEST_GUILESS_MAIN(UpgradeJobTest)
#include "tst_UpgradeJob.moc"
