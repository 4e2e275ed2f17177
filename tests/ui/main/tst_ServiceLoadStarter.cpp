// The service loaders as the main window starts them: every load fills the view attached at
// its start, and loads of a view that was detached end with the detaching.
#include "RecordingView.h"
#include "app/SessionState.h"
#include "service/ShellState.h"
#include "ui/main/ServiceLoadStarter.h"

#include <QtTest>

namespace {
// Nothing listens there: every call fails at once, and the load runs its finishing step.
const QString kUnreachableService = QStringLiteral("http://127.0.0.1:9/wsdl");

const LandLoadRequest kDalian{QStringLiteral("大连"), QString(), QString(), true, 1, false};
} // namespace

class ServiceLoadStarterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void loadsOfADetachedViewEndWithIt();
};

void ServiceLoadStarterTest::init()
{
    resetSession();
    shellState().reset();
    shellState().setConnectedProbe([] { return true; });
    session().wsdluri = kUnreachableService;
}

void ServiceLoadStarterTest::cleanup()
{
    shellState().setConnectedProbe({});
    shellState().reset();
}

void ServiceLoadStarterTest::loadsOfADetachedViewEndWithIt()
{
    RecordingView kept;
    RecordingView detached;
    ServiceLoadStarter keeping(nullptr);
    ServiceLoadStarter detaching(nullptr);
    keeping.setView(&kept);
    detaching.setView(&detached);
    keeping.startLand(kDalian);
    detaching.startLand(kDalian);
    const QString loadingText = QStringLiteral("装载数据中，请稍候...");
    QCOMPARE(kept.labels.value("lblCount1"), loadingText);
    QCOMPARE(detached.labels.value("lblCount1"), loadingText);

    detaching.setView(nullptr);
    QTRY_VERIFY(kept.labels.contains("lblTypes"));
    QTest::qWait(100);
    QCOMPARE(detached.labelHistory, QStringList{"lblCount1=" + loadingText});
    QVERIFY(detached.pages.isEmpty());

    // A view attached later gets the new loads.
    RecordingView next;
    detaching.setView(&next);
    detaching.startLand(kDalian);
    QTRY_VERIFY(next.labels.contains("lblTypes"));
}

QTEST_MAIN(ServiceLoadStarterTest)
#include "tst_ServiceLoadStarter.moc"
