#include "service/HttpClient.h"

#include "service/LoopbackAddress.h"
#include "service/ReplyGuard.h"

#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <utility>

const char* const HttpClient::UserAgent = "Mozilla/3.0 (compatible; Indy Library)";

namespace {

// Characters a path may carry literally on the request line besides the unreserved ones.
const QByteArray pathKeeps = QByteArrayLiteral("/!$&'()*+,;=:@");

HttpReply replyOf(QNetworkReply* reply, ReplyGuard* guard)
{
    HttpReply result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = guard->takeBody();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid())
        result.declaredLength = length.toLongLong();
    result.lastModified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
    result.unreachable = reply->error() == QNetworkReply::HostNotFoundError ||
                         reply->error() == QNetworkReply::ConnectionRefusedError;
    if (!guard->abandonReason().isEmpty()) {
        result.body.clear();
        result.error =
            QStringLiteral("%1: %2").arg(reply->request().url().toString(), guard->abandonReason());
    } else if (reply->error() == QNetworkReply::OperationCanceledError) {
        result.error =
            QStringLiteral("request cancelled: %1").arg(reply->request().url().toString());
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
        if (result.status != 0) {
            result.error += QStringLiteral(" (HTTP status %1)").arg(result.status);
        }
    } else if (result.status < 200 || result.status > 299) {
        result.error = QStringLiteral("HTTP status %1").arg(result.status);
    } else {
        result.ok = true;
    }
    return result;
}

} // namespace

HttpClient::HttpClient(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

HttpClient::~HttpClient()
{
    // Replies still running are aborted with the manager; their callbacks must not run.
    const auto replies = m_network->findChildren<QNetworkReply*>();
    for (QNetworkReply* reply : replies) {
        reply->disconnect(this);
        reply->abort();
    }
}

void HttpClient::useWindowClientSettings()
{
    m_windowSettings = true;
    m_network->setCookieJar(new QNetworkCookieJar(m_network));
}

void HttpClient::get(const QString& address, Callback done)
{
    const QUrl url = urlForAddress(address);
    getUrl(url, std::move(done));
}

void HttpClient::getUrl(const QUrl& url, Callback done)
{
    getUrl(url, std::move(done), Progress());
}

void HttpClient::getUrl(const QUrl& url, Callback done, Progress progress)
{
    if (!url.isValid() || url.host().isEmpty()) {
        failSoon(url.toString(), std::move(done));
        return;
    }
    watch(m_network->get(requestFor(url)), std::move(done), std::move(progress));
}

void HttpClient::postForm(const QString& address, const FormFields& fields, Callback done)
{
    const QUrl url = urlForAddress(address);
    if (!url.isValid()) {
        failSoon(address, std::move(done));
        return;
    }
    QNetworkRequest request = requestFor(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    watch(m_network->post(request, encodeForm(fields)), std::move(done));
}

QByteArray HttpClient::encodeForm(const FormFields& fields)
{
    QByteArray body;
    for (const auto& field : fields) {
        if (!body.isEmpty()) {
            body += '&';
        }
        body += QUrl::toPercentEncoding(field.first) + '=' + QUrl::toPercentEncoding(field.second);
    }
    return body;
}

QUrl HttpClient::urlForAddress(const QString& address)
{
    const int schemeEnd = address.indexOf(QLatin1String("://"));
    if (schemeEnd <= 0) {
        return QUrl();
    }
    int pathStart = address.indexOf(QLatin1Char('/'), schemeEnd + 3);
    if (pathStart < 0) {
        pathStart = address.size();
    }
    const QByteArray site = address.left(pathStart).toUtf8();
    const QByteArray path = QUrl::toPercentEncoding(address.mid(pathStart), pathKeeps);
    QUrl url = QUrl::fromEncoded(site + path, QUrl::StrictMode);
    if (url.host().isEmpty()) {
        return QUrl();
    }
    return url;
}

QNetworkRequest HttpClient::requestFor(const QUrl& url) const
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(UserAgent));
    if (m_windowSettings) {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
        request.setRawHeader("Accept", "text/html, */*");
    }
    LoopbackAddress::apply(request);
    return request;
}

void HttpClient::failSoon(const QString& address, Callback done)
{
    QTimer::singleShot(0, this, [done = std::move(done), address] {
        HttpReply failed;
        failed.error = QStringLiteral("invalid address: %1").arg(address);
        failed.unreachable = true;
        done(failed);
    });
}

void HttpClient::watch(QNetworkReply* reply, Callback done, Progress progress)
{
    auto* guard = new ReplyGuard(reply, m_limits, ReplyGuard::Body::Collect);
    if (progress)
        connect(reply, &QNetworkReply::downloadProgress, this, std::move(progress));
    connect(reply, &QNetworkReply::finished, this, [reply, guard, done = std::move(done)] {
        const HttpReply result = replyOf(reply, guard);
        reply->deleteLater();
        done(result);
    });
}
