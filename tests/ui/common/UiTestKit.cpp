#include "UiTestKit.h"

#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QtTest>

namespace UiTestKit {

QString artifactDirectory(const QString& subfolder)
{
    QString dir = qEnvironmentVariable("TOVANTA_ARTIFACT_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(TOVANTA_ARTIFACT_DIR);
    if (!subfolder.isEmpty())
        dir += QLatin1Char('/') + subfolder;
    QDir().mkpath(dir);
    return dir;
}

void saveScreenshot(QWidget* window, const QString& name, const QString& subfolder)
{
    // Let pending paints reach the display first.
    window->repaint();
    QTest::qWait(200);
    const QString path = artifactDirectory(subfolder) + QLatin1Char('/') + name;
    QScreen* screen = window->screen();
    QPixmap shot = screen ? screen->grabWindow(window->winId()) : QPixmap();
    if (shot.isNull())
        shot = window->grab();
    QVERIFY2(shot.save(path), qPrintable(path));
}

void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClicks(widget, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace UiTestKit
