#include "client/WebEngineSetup.h"

#include <QtGlobal>

namespace {

void setUnlessSet(const char* name, const QByteArray& value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

} // namespace

namespace WebEngineSetup {

QByteArray withFlags(const QByteArray& flags, const QList<QByteArray>& wanted)
{
    QByteArray result = flags.trimmed();
    const QList<QByteArray> present = result.split(' ');
    for (const QByteArray& flag : wanted) {
        if (present.contains(flag))
            continue;
        if (!result.isEmpty())
            result += ' ';
        result += flag;
    }
    return result;
}

void prepareProcess()
{
    // Read when the platform plugin starts (X11): no OpenGL integration at all.
    setUnlessSet("QT_XCB_GL_INTEGRATION", "none");
    // Read when the first web view makes its scene: drawn into the widget in software.
    setUnlessSet("QT_QUICK_BACKEND", "software");
    // Read when the first web view starts the engine.
    const char* name = "QTWEBENGINE_CHROMIUM_FLAGS";
    qputenv(name, withFlags(qgetenv(name), {"--disable-gpu", "--process-per-site"}));
}

} // namespace WebEngineSetup
