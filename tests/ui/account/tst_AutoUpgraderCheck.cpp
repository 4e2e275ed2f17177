// The login window with the real update check against a scripted site: the buttons wait for
// the check's end, whatever the end is, and an installed update ends the program.
#include "FakeExchange.h"

#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "ui/account/AutoUpgraderCheck.h"
#include "ui/account/TfrmLogin.h"
#include "ui/common/MessageBoxes.h"
#include "update/TauAutoUpgrader.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class AutoUpgraderCheckTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeExchange> m_site;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MessageBoxes::Recorder> m_boxes;
    LoginWindowServices m_services;
    int m_installed = 0;
    QStringList m_startedArgs;
    QList<QUrl> m_opened;

    QString programDir() const { return m_dir->path(); }

private Q_SLOTS:
    void init()
    {
        resetSession();
        m_site = std::make_unique<FakeExchange>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<MessageBoxes::Recorder>();
        m_installed = 0;
        m_startedArgs.clear();
        m_opened.clear();
        QFile source(m_dir->filePath(QStringLiteral("upgrader-source")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("upgrader");
        source.close();
        m_services = {};
        const QString infoUrl = m_site->site() + QStringLiteral("/update.inf");
        m_services.loadConfiguration = [infoUrl](SessionState& state) {
            BuiltinConfig::load(state);
            state.infourl = infoUrl;
        };
        m_services.makeUpdateCheck = [this] {
            auto check = std::make_unique<AutoUpgraderCheck>([this] { ++m_installed; });
            TauAutoUpgrader& upgrader = check->upgrader();
            upgrader.setExecutablePath(m_dir->filePath(QStringLiteral("tovanta")));
            upgrader.setUpgraderPath(m_dir->filePath(QStringLiteral("Upgrader3")));
            upgrader.setUpgraderSource(m_dir->filePath(QStringLiteral("upgrader-source")));
            upgrader.setProgramStarter([this](const QString&, const QStringList& args) {
                m_startedArgs = args;
                return true;
            });
            upgrader.setUrlOpener([this](const QUrl& url) {
                m_opened << url;
                return true;
            });
            return check;
        };
    }
    void cleanup()
    {
        m_boxes.reset();
        m_site.reset();
        m_dir.reset();
    }

    void buttonsWaitForTheCheck_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<int>("status");
        QTest::newRow("same version") << QByteArray("#version=2.0.0.1\n#url=http://x/a\n") << 200;
        QTest::newRow("no information file") << QByteArray("gone") << 404;
        QTest::newRow("browser offer")
            << QByteArray("#version=2.0.0.2\n#url=www.example.invalid/new\n#method=2\n") << 200;
    }
    void buttonsWaitForTheCheck()
    {
        QFETCH(QByteArray, info);
        QFETCH(int, status);
        m_site->setRoute(QStringLiteral("/update.inf"), info, status);
        m_site->setRouteFlow(QStringLiteral("/update.inf"), FakeExchange::Flow::Held);
        TfrmLogin window(m_services);
        QVERIFY(!window.btnOk->isEnabled());
        QVERIFY(!window.btnReg->isEnabled());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tovanta - 正在检查新版本,请稍等 ..."));
        QVERIFY(QTest::qWaitFor([this] { return m_site->heldCount() == 1; }, 5000));
        QTest::qWait(100);
        QVERIFY(!window.btnOk->isEnabled());
        m_site->releaseHeld();
        QVERIFY(QTest::qWaitFor([&window] { return window.btnOk->isEnabled(); }, 10000));
        QVERIFY(window.btnReg->isEnabled());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tovanta - 版本:2.0.0.1"));
        QCOMPARE(m_installed, 0);
        QCOMPARE(m_opened.size(), info.contains("#method=2") ? 1 : 0);
    }

    void installedUpdateEndsTheProgram()
    {
        m_site->setRoute(QStringLiteral("/update.inf"),
                         "#version=2.0.0.2\n#url=" + m_site->site().toUtf8() + "/f/tovanta\n");
        m_site->setRoute(QStringLiteral("/f/tovanta"), "new program");
        TfrmLogin window(m_services);
        QVERIFY(QTest::qWaitFor([this] { return m_installed == 1; }, 10000));
        QCOMPARE(m_startedArgs.value(1), QStringLiteral("+/afterupgrade0"));
        QFile copy(QDir(programDir()).filePath(QStringLiteral("tovanta.uTMP")));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("new program"));
    }
};

QTEST_MAIN(AutoUpgraderCheckTest)
#include "tst_AutoUpgraderCheck.moc"
