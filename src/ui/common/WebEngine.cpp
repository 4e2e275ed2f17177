#include "ui/common/WebEngine.h"

#include "ui/common/UiLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

constexpr char kFactoryName[] = "tovantaCreateWebSurface";

// Where the library may be: named by TOVANTA_WEB_MODULE, beside the executable (an installed
// program keeps its files together), or where the build put it.
QStringList candidates()
{
    QStringList paths;
    const QString named = qEnvironmentVariable("TOVANTA_WEB_MODULE");
    if (!named.isEmpty())
        paths << named;
    paths << QDir(QCoreApplication::applicationDirPath())
                 .filePath(QStringLiteral(TOVANTA_WEB_MODULE_NAME));
#ifdef TOVANTA_WEB_MODULE_BUILD_PATH
    paths << QStringLiteral(TOVANTA_WEB_MODULE_BUILD_PATH);
#endif
    return paths;
}

WebSurfaceFactory openFactory()
{
    for (const QString& path : candidates()) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        auto factory = reinterpret_cast<WebSurfaceFactory>(library.resolve(kFactoryName));
        if (factory)
            return factory;
        qCWarning(lcUi) << "the web engine library" << path
                        << "could not be opened:" << library.errorString();
    }
    qCWarning(lcUi) << "no web engine library was found; pages are not shown. Looked at"
                    << candidates();
    return nullptr;
}

struct Engine
{
    bool tried = false;
    WebSurfaceFactory factory = nullptr;
};

Engine& engine()
{
    static Engine instance;
    return instance;
}

} // namespace

namespace WebEngine {

WebSurface* createSurface(QWidget* parent, const WebSurface::Options& options)
{
    Engine& e = engine();
    if (!e.tried) {
        e.tried = true;
        e.factory = openFactory();
    }
    return e.factory ? e.factory(parent, options) : nullptr;
}

bool isLoaded()
{
    return engine().factory != nullptr;
}

} // namespace WebEngine
