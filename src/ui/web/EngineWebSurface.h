#pragma once

#include "ui/common/WebSurface.h"

#include <QWebEngineView>

// A web view of the engine behind the windows' WebSurface.
class EngineWebSurface : public QWebEngineView, public WebSurface
{
public:
    EngineWebSurface(QWidget* parent, const WebSurface::Options& options);

    QWidget* widget() override { return this; }
    void load(const QUrl& url) override { QWebEngineView::load(url); }
    void setHtml(const QString& html, const QUrl& baseUrl) override;
    QUrl url() const override { return QWebEngineView::url(); }
    void runScript(const QString& script) override;
};
