// The installed program updates itself: installed into a temporary prefix and started
// against an exchange offering a newer version, its login window's check downloads the
// update, the upgrader replaces the files and starts the program again with the restart
// marker. A run where one replacement fails leaves the installed program as it was.
// The program reads the exchange's address from its built-in configuration, so this test's
// exchange listens on the ports that configuration names.
#include "SandboxHttp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

class UpdateEndToEndTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    int m_portBase = 0;
    int m_httpPort = 0;
    bool m_exchangeRunning = false;
    QByteArray m_newProgram;
    const QByteArray m_newNote = QByteArray("Tovanta 2.0.0.10 更新说明\n");

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& data)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    static bool run(const QString& program, const QStringList& args, QString* output = nullptr)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        const bool done = process.waitForFinished(120000);
        if (output)
            *output = QString::fromLocal8Bit(process.readAll());
        return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    static QString programDir(const QString& prefix) { return prefix + "/lib/tovanta"; }

    // The processes that run `exe` (its current file, not a replaced one).
    static QList<int> processesOf(const QString& exe)
    {
        QList<int> pids;
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString& entry : entries) {
            bool ok = false;
            const int pid = entry.toInt(&ok);
            if (ok && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == exe)
                pids << pid;
        }
        return pids;
    }
    static void endProcesses(const QString& exe)
    {
        for (int pid : processesOf(exe))
            ::kill(pid, SIGTERM);
        if (!QTest::qWaitFor([&exe] { return processesOf(exe).isEmpty(); }, 10000)) {
            for (int pid : processesOf(exe))
                ::kill(pid, SIGKILL);
        }
    }
    void exchange(const QString& path)
    {
        const auto reply = SandboxHttp::getUrl(
            QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_httpPort).arg(path)),
            QByteArray("www.localhost:") + QByteArray::number(m_httpPort));
        QVERIFY2(reply.status == 200, qPrintable(path + ": " + reply.error));
    }
    // Installs the build into a fresh prefix.
    QString install(const QString& name)
    {
        const QString prefix = m_root.filePath(name);
        QString output;
        if (!run(QStringLiteral(TOVANTA_CMAKE_COMMAND),
                 {"--install", TOVANTA_BUILD_DIR, "--prefix", prefix}, &output))
            qWarning().noquote() << output;
        return prefix;
    }
    // Starts the installed program with its own temporary folder and a console log.
    void start(QProcess& process, const QString& prefix)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString tmp = prefix + "/tmp";
        QDir().mkpath(tmp);
        env.insert("TMPDIR", tmp);
        env.insert("QT_LOGGING_RULES", "tovanta.*=true");
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(prefix + "/console.log", QIODevice::Append);
        process.setStandardErrorFile(prefix + "/console.log", QIODevice::Append);
        process.start(prefix + "/bin/tovanta", {});
        QVERIFY(process.waitForStarted());
    }
    QStringList leftovers(const QString& dir) const
    {
        return QDir(dir).entryList({"*.uTMP", "*.uOLD"}, QDir::Files | QDir::Hidden);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        const QString config = QString::fromUtf8(read(QStringLiteral(TOVANTA_CONFIG_DOCUMENT)));
        const auto info = QRegularExpression("<infourl>[^<]*:(\\d+)/").match(config);
        const auto xmpp = QRegularExpression("<ServerPort>(\\d+)<").match(config);
        QVERIFY2(info.hasMatch() && xmpp.hasMatch(), "no ports in the built-in configuration");
        m_httpPort = info.captured(1).toInt();
        m_portBase = m_httpPort - 280;
        if (xmpp.captured(1).toInt() != m_portBase + 222)
            QSKIP("the built-in configuration's ports are not those of one port base");
        for (int port : {m_httpPort, m_portBase + 222}) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, quint16(port)))
                QSKIP(qPrintable(QStringLiteral("port %1 of the built-in configuration is in use "
                                                "(a demo exchange?)")
                                     .arg(port)));
        }

        // The update: a new program (this build's, with bytes appended, which still runs)
        // and a file the installed program does not have yet.
        const QString files = m_root.filePath("update-files");
        QVERIFY(QDir().mkpath(files));
        m_newProgram = read(QStringLiteral(TOVANTA_PROGRAM)) + "\nTOVANTA-UPDATE 2.0.0.10\n";
        write(files + "/tovanta", m_newProgram);
        write(files + "/update-note.txt", m_newNote);

        QString output;
        m_exchangeRunning =
            run(QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/run"),
                {"--daemon", "--quiet", "--no-port80", "--rundir", m_root.filePath("exchange"),
                 "--port-base", QString::number(m_portBase), "--offer-update", "2.0.0.10",
                 "--update-files", files},
                &output);
        QVERIFY2(m_exchangeRunning, qPrintable(output));
    }
    void cleanupTestCase()
    {
        for (const char* name : {"updated", "failed"})
            endProcesses(programDir(m_root.filePath(QString::fromLatin1(name))) + "/tovanta");
        if (m_exchangeRunning)
            run(QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/stop"),
                {"--rundir", m_root.filePath("exchange"), "--port-base",
                 QString::number(m_portBase)});
    }

    void installsTheUpdateAndStartsAgain()
    {
        const QString prefix = install("updated");
        const QString dir = programDir(prefix);
        QVERIFY(QFileInfo(dir + "/tovanta").isExecutable());
        exchange("/sandbox/update/offer/2.0.0.10");
        exchange("/sandbox/update/once");

        QProcess first;
        start(first, prefix);
        QVERIFY2(QTest::qWaitFor(
                     [&] { return read(dir + "/data/upgrader.log").contains("update complete"); },
                     120000),
                 read(prefix + "/console.log").right(3000).constData());
        QVERIFY(QTest::qWaitFor([&] { return first.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);

        // The new program runs, started with the restart marker, and saw it. (Its command
        // line in /proc is no witness: the web engine rewrites the process title.)
        QVERIFY(QTest::qWaitFor([&] { return !processesOf(dir + "/tovanta").isEmpty(); }, 30000));
        QVERIFY(read(dir + "/data/upgrader.log")
                    .contains("starting " + dir.toUtf8() + "/tovanta /afterupgrade\n"));
        QVERIFY2(
            QTest::qWaitFor(
                [&] {
                    return read(prefix + "/console.log").contains("started again after an update");
                },
                60000),
            read(prefix + "/console.log").right(3000).constData());
        QCOMPARE(read(dir + "/tovanta"), m_newProgram);
        QVERIFY(QFileInfo(dir + "/tovanta").isExecutable());
        QCOMPARE(read(dir + "/update-note.txt"), m_newNote);
        QCOMPARE(leftovers(dir), QStringList());
        endProcesses(dir + "/tovanta");
    }

    void failedReplacementLeavesTheProgramIntact()
    {
        const QString prefix = install("failed");
        const QString dir = programDir(prefix);
        const QByteArray installed = read(dir + "/tovanta");
        // The second replacement cannot happen: a folder holds its name.
        QVERIFY(QDir().mkpath(dir + "/update-note.txt"));
        exchange("/sandbox/update/offer/2.0.0.10");
        exchange("/sandbox/update/once");

        QProcess first;
        start(first, prefix);
        QVERIFY2(
            QTest::qWaitFor(
                [&] { return read(dir + "/data/upgrader.log").contains("the old files are back"); },
                120000),
            read(prefix + "/console.log").right(3000).constData());
        QVERIFY(QTest::qWaitFor([&] { return first.state() == QProcess::NotRunning; }, 30000));
        // The old program runs again, without the marker of a completed update.
        QVERIFY(QTest::qWaitFor([&] { return !processesOf(dir + "/tovanta").isEmpty(); }, 30000));
        QVERIFY(
            read(dir + "/data/upgrader.log").contains("starting " + dir.toUtf8() + "/tovanta \n"));
        QCOMPARE(read(dir + "/tovanta"), installed);
        QVERIFY(QFileInfo(dir + "/tovanta").isExecutable());
        QVERIFY(QFileInfo(dir + "/update-note.txt").isDir());
        QCOMPARE(leftovers(dir), QStringList());
        endProcesses(dir + "/tovanta");
    }
};

QTEST_GUILESS_MAIN(UpdateEndToEndTest)
#include "tst_UpdateEndToEnd.moc"
