#include "SandboxHttp.h"

#include "SandboxEndpoints.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

// A safety net against a hung exchange, not a timing assertion.
const int kGiveUpMs = 30000;

SandboxHttp::Reply run(QNetworkRequest request, const QByteArray& verb, const QByteArray& body)
{
    static QNetworkAccessManager manager;
    QNetworkReply* reply = verb == "POST" ? manager.post(request, body) : manager.get(request);
    QEventLoop loop;
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    SandboxHttp::Reply result;
    if (!reply->isFinished()) {
        result.error = QStringLiteral("no answer");
        reply->abort();
    } else {
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        result.body = reply->readAll();
        if (result.status == 0)
            result.error = reply->errorString();
    }
    reply->deleteLater();
    return result;
}

} // namespace

SandboxHttp::Reply SandboxHttp::getUrl(const QUrl& url, const QByteArray& host)
{
    QNetworkRequest request(url);
    request.setRawHeader("Host", host);
    return run(request, "GET", QByteArray());
}

SandboxHttp::Reply SandboxHttp::get(const QString& path, const QByteArray& host)
{
    return getUrl(SandboxEndpoints::url(path),
                  host.isEmpty() ? SandboxEndpoints::siteHost() : host);
}

QByteArray SandboxHttp::formBody(const Fields& fields)
{
    QByteArray body;
    for (const auto& field : fields) {
        if (!body.isEmpty())
            body += '&';
        body += field.first.toUtf8().toPercentEncoding() + '=' +
                field.second.toUtf8().toPercentEncoding();
    }
    return body;
}

SandboxHttp::Reply SandboxHttp::postForm(const QString& path, const Fields& fields)
{
    return postRaw(path, formBody(fields), "application/x-www-form-urlencoded");
}

SandboxHttp::Reply SandboxHttp::postRaw(const QString& path, const QByteArray& body,
                                        const QByteArray& contentType, const QByteArray& soapAction)
{
    QNetworkRequest request(SandboxEndpoints::url(path));
    request.setRawHeader("Host", SandboxEndpoints::siteHost());
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    if (!soapAction.isEmpty())
        request.setRawHeader("SOAPAction", '"' + soapAction + '"');
    return run(request, "POST", body);
}
