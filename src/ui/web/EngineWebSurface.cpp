#include "ui/web/EngineWebSurface.h"

#include "ui/web/EnginePage.h"

#include <QWebEngineScript>

EngineWebSurface::EngineWebSurface(QWidget* parent, const WebSurface::Options& options)
    : QWebEngineView(parent)
{
    setObjectName(options.objectName);
    setPage(new EnginePage(options, this));
    if (options.noContextMenu)
        setContextMenuPolicy(Qt::NoContextMenu);
    const bool borderless = options.borderlessBody;
    const std::function<void(bool)> loaded = options.loadFinished;
    connect(this, &QWebEngineView::loadFinished, this, [this, borderless, loaded](bool ok) {
        if (ok && borderless)
            runScript(QStringLiteral("if (document.body) document.body.style.border = 'none';"));
        if (loaded)
            loaded(ok);
    });
}

void EngineWebSurface::setHtml(const QString& html, const QUrl& baseUrl)
{
    QWebEngineView::setHtml(html, baseUrl);
}

void EngineWebSurface::runScript(const QString& script)
{
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}
