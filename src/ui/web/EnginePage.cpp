#include "ui/web/EnginePage.h"

#include "ui/web/NewWindowCatcher.h"

#include <QWebEngineSettings>

EnginePage::EnginePage(const WebSurface::Options& options, QObject* parent)
    : QWebEnginePage(parent), m_accept(options.acceptNavigation),
      m_newWindow(options.newWindowRequested)
{
    if (options.allowUnknownUrlSchemes)
        settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
}

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (!m_accept)
        return true;
    return m_accept({url, type == NavigationTypeLinkClicked, isMainFrame});
}

QWebEnginePage* EnginePage::createWindow(WebWindowType)
{
    if (!m_newWindow)
        return nullptr;
    return new NewWindowCatcher(m_newWindow, this);
}
