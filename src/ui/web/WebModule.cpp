// The entry point of the web engine library, opened by WebEngine::createSurface.
#include "ui/web/EngineWebSurface.h"

extern "C" Q_DECL_EXPORT WebSurface* tovantaCreateWebSurface(QWidget* parent,
                                                             const WebSurface::Options& options)
{
    return new EngineWebSurface(parent, options);
}
