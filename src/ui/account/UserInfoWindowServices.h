#pragma once

#include "service/HttpLimits.h"

#include <functional>

class QUrl;

// What the profile window needs from outside; the composition root supplies it.
struct UserInfoWindowServices
{
    // How the agreement page opens. Empty: the system browser.
    std::function<void(const QUrl& url)> openUrl;
    // Deadline of the update post.
    int requestDeadlineMs = HttpLimits::DefaultDeadlineMs;
};
