#include "ui/web/NewWindowCatcher.h"

NewWindowCatcher::NewWindowCatcher(std::function<void(const QUrl&)> opened, QObject* parent)
    : QWebEnginePage(parent), m_opened(std::move(opened))
{}

bool NewWindowCatcher::acceptNavigationRequest(const QUrl& url, NavigationType, bool)
{
    m_opened(url);
    deleteLater();
    return false;
}
