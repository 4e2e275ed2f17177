#pragma once

#include "service/HttpLimits.h"

#include <functional>

class QSize;
class QString;
class QUrl;
class QWidget;

// What the registration window needs from outside; the composition root supplies it.
struct RegistryWindowServices
{
    // Opens a new instance of the program's browser window on `url` with the given client
    // size and caption, owned by `owner`. Empty: the system browser.
    std::function<void(QWidget* owner, const QUrl& url, const QSize& clientSize,
                       const QString& caption)>
        openBrowserWindow;
    // How the disclaimer and agreement pages open. Empty: the system browser.
    std::function<void(const QUrl& url)> openUrl;
    // Deadline of each request to the site.
    int requestDeadlineMs = HttpLimits::DefaultDeadlineMs;
};
