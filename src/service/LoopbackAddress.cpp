#include "service/LoopbackAddress.h"

#include <QNetworkRequest>

namespace {
const QString loopbackIp = QStringLiteral("127.0.0.1");
}

bool LoopbackAddress::isLoopbackName(const QString& host)
{
    QString name = host.toLower();
    if (name.endsWith(QLatin1Char('.'))) {
        name.chop(1);
    }
    return name == QLatin1String("localhost") || name.endsWith(QLatin1String(".localhost"));
}

QUrl LoopbackAddress::connectUrl(const QUrl& url)
{
    if (!isLoopbackName(url.host())) {
        return url;
    }
    QUrl connected(url);
    connected.setHost(loopbackIp);
    return connected;
}

QByteArray LoopbackAddress::hostHeader(const QUrl& url)
{
    QByteArray header = QUrl::toAce(url.host());
    if (url.port() != -1) {
        header += ':' + QByteArray::number(url.port());
    }
    return header;
}

void LoopbackAddress::apply(QNetworkRequest& request)
{
    const QUrl url = request.url();
    if (!isLoopbackName(url.host())) {
        return;
    }
    request.setRawHeader("Host", hostHeader(url));
    request.setUrl(connectUrl(url));
}
