#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QNetworkRequest;

// Names under .localhost (and localhost itself) are the loopback host. Qt's resolver does not
// know that, so requests to such names are connected to 127.0.0.1 with the original name kept
// in the Host header.
class LoopbackAddress
{
public:
    static bool isLoopbackName(const QString& host);
    // The URL to connect to: the host replaced by 127.0.0.1 for loopback names.
    static QUrl connectUrl(const QUrl& url);
    // The Host header value the server must see: name plus explicit port.
    static QByteArray hostHeader(const QUrl& url);
    // Points the request at the loopback address and sets the Host header when needed.
    static void apply(QNetworkRequest& request);
};
