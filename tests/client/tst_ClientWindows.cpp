// The updater the composition root gives the main window: configured from the session,
// checking on its own, and closing the window once an update is installed.
#include "FakeExchange.h"

#include "app/SessionState.h"
#include "client/ClientWindows.h"
#include "update/TauAutoUpgrader.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class ClientWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainWindowUpdaterChecksAndCloses()
    {
        resetSession();
        FakeExchange site;
        QTemporaryDir dir;
        site.setRoute(QStringLiteral("/update.inf"),
                      "#version=9.0\n#url=" + site.site().toUtf8() + "/f/tovanta\n");
        site.setRoute(QStringLiteral("/f/tovanta"), "new program");
        session().infourl = site.site() + QStringLiteral("/update.inf");
        session().AppVersion = QStringLiteral("2.0.0.1");

        QWidget window;
        window.show();
        ClientWindows windows({}, {});
        windows.configureUpdater(&window);
        auto* upgrader = window.findChild<TauAutoUpgrader*>(QStringLiteral("AutoUpgrader"));
        QVERIFY(upgrader);
        QCOMPARE(upgrader->infoFileUrl(), session().infourl);
        QVERIFY(upgrader->autoCheck());
        QVERIFY(upgrader->autoCheckTimerActive());
        QVERIFY(!upgrader->busy()); // nothing before the first tick

        QFile source(dir.filePath(QStringLiteral("upgrader-source")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.close();
        QStringList started;
        upgrader->setExecutablePath(dir.filePath(QStringLiteral("tovanta")));
        upgrader->setUpgraderPath(dir.filePath(QStringLiteral("Upgrader3")));
        upgrader->setUpgraderSource(source.fileName());
        upgrader->setProgramStarter([&started](const QString& program, const QStringList&) {
            started << program;
            return true;
        });
        upgrader->setAutoCheckInterval(20);
        upgrader->setAutoCheck(true);
        // The sandbox-like host is on loopback, so the machine counts as online.
        QVERIFY(QTest::qWaitFor([&window] { return !window.isVisible(); }, 10000));
        QCOMPARE(started, QStringList{dir.filePath(QStringLiteral("Upgrader3"))});
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("tovanta.uTMP"))));
        QVERIFY(!upgrader->autoCheckTimerActive());
    }
};

QTEST_MAIN(ClientWindowsTest)
#include "tst_ClientWindows.moc"
