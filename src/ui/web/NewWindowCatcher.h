#pragma once

#include <QWebEnginePage>
#include <functional>

// Stands in for the window a page asks for and goes as soon as it knows the address.
class NewWindowCatcher : public QWebEnginePage
{
public:
    NewWindowCatcher(std::function<void(const QUrl&)> opened, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    std::function<void(const QUrl&)> m_opened;
};
