#pragma once

#include <functional>

class IMClient;
class QUrl;

// What the publishing windows need from outside; the composition root supplies it.
struct PublishWindowServices
{
    IMClient* client = nullptr; // the signed-in XMPP client the requests go through
    // How the disclaimer page opens. Empty: the system browser.
    std::function<void(const QUrl& url)> openUrl;
};
