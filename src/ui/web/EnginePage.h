#pragma once

#include "ui/common/WebSurface.h"

#include <QWebEnginePage>

// A page that asks the view's options before it navigates or opens a window.
class EnginePage : public QWebEnginePage
{
public:
    EnginePage(const WebSurface::Options& options, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    std::function<bool(const WebSurface::Navigation&)> m_accept;
    std::function<void(const QUrl&)> m_newWindow;
};
