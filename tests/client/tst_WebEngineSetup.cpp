#include "client/WebEngineSetup.h"
#include "ui/common/WebEngine.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

class WebEngineSetupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void flagsAreAddedOnce_data();
    void flagsAreAddedOnce();
    void valuesTheUserSetAreKept();
    void theEngineIsLoadedWithTheFirstPageAndDrawsWithoutOpenGl();
};

void WebEngineSetupTest::flagsAreAddedOnce_data()
{
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("none") << QByteArray() << QByteArray("--disable-gpu --process-per-site");
    QTest::newRow("user's own kept first")
        << QByteArray("--no-sandbox")
        << QByteArray("--no-sandbox --disable-gpu --process-per-site");
    QTest::newRow("already there") << QByteArray(" --process-per-site  --disable-gpu ")
                                   << QByteArray("--process-per-site  --disable-gpu");
    QTest::newRow("a longer flag is not the flag")
        << QByteArray("--disable-gpu-compositing")
        << QByteArray("--disable-gpu-compositing --disable-gpu --process-per-site");
}

void WebEngineSetupTest::flagsAreAddedOnce()
{
    QFETCH(QByteArray, flags);
    QFETCH(QByteArray, expected);
    QCOMPARE(WebEngineSetup::withFlags(flags, {"--disable-gpu", "--process-per-site"}), expected);
}

void WebEngineSetupTest::valuesTheUserSetAreKept()
{
    const QByteArray savedBackend = qgetenv("QT_QUICK_BACKEND");
    const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QT_QUICK_BACKEND");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    WebEngineSetup::prepareProcess();
    QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
    QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), QByteArray("--disable-gpu --process-per-site"));

    qputenv("QT_QUICK_BACKEND", "opengl");
    WebEngineSetup::prepareProcess();
    QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("opengl"));

    qputenv("QT_QUICK_BACKEND", savedBackend);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
}

namespace {

QByteArray mappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

} // namespace

void WebEngineSetupTest::theEngineIsLoadedWithTheFirstPageAndDrawsWithoutOpenGl()
{
#ifdef Q_OS_LINUX
    // A window without pages: the engine is not in the process.
    QWidget window;
    window.resize(200, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!WebEngine::isLoaded());
    QVERIFY2(!mappedFiles().contains("libQt5WebEngineCore"), "the engine was loaded at start");
#endif

    bool loaded = false;
    WebSurface::Options options;
    options.objectName = QStringLiteral("page");
    options.loadFinished = [&loaded](bool ok) { loaded = ok; };
    WebSurface* view = WebEngine::createSurface(&window, options);
    QVERIFY(view);
    QVERIFY(WebEngine::isLoaded());
    view->widget()->resize(200, 120);
    view->widget()->show();
    view->setHtml(QStringLiteral("<html><body style='margin:0;background:#ff0000'>"
                                 "<p style='color:#0000ff'>有货</p></body></html>"),
                  QUrl(QStringLiteral("about:blank")));
    QTRY_VERIFY_WITH_TIMEOUT(loaded, 20000);
    QCOMPARE(view->widget()->objectName(), QStringLiteral("page"));
    // The page reaches the screen: the body colour is drawn in the view's corner.
    QTRY_COMPARE_WITH_TIMEOUT(view->widget()->grab().toImage().pixelColor(190, 110),
                              QColor(Qt::red), 10000);

#ifdef Q_OS_LINUX
    // No OpenGL driver was loaded into the process for it.
    const QByteArray mapped = mappedFiles();
    QVERIFY2(!mapped.contains("_dri.so"), "an OpenGL driver is mapped");
    QVERIFY2(!mapped.contains("libGLX_mesa"), "an OpenGL driver is mapped");
#endif
}

int main(int argc, char* argv[])
{
    WebEngineSetup::prepareProcess();
    QApplication app(argc, argv);
    WebEngineSetupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_WebEngineSetup.moc"
