#pragma once

#include "service/HttpLimits.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The outcome of one request. `ok` is false for no connection, an HTTP error status, a
// request abandoned at its deadline or answer cap, or a request that could not be built;
// `error` then says why.
struct HttpReply
{
    bool ok = false;
    int status = 0;
    QByteArray body;
    QString error;
    // No connection could be made at all: the host name did not resolve, the connection was
    // refused, or the address was not usable.
    bool unreachable = false;
    // What the answer declared: its Content-Length (-1 when absent) and Last-Modified (invalid
    // when absent or unreadable).
    qint64 declaredLength = -1;
    QDateTime lastModified;
};

using FormFields = QList<QPair<QString, QString>>;

// Asynchronous GET and form POST on the UI thread. The callback runs exactly once per
// request, never before the call returns, and never after the client was destroyed. Every
// request runs within the client's limits (HttpLimits: 30 s for the whole exchange, 16 MB of
// answer unless set otherwise); they apply to the requests started after they were set.
class HttpClient : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void(const HttpReply&)>;
    // Bytes received so far and the declared total (-1 while unknown), on the UI thread.
    using Progress = std::function<void(qint64 received, qint64 total)>;

    static const char* const UserAgent; // "Mozilla/3.0 (compatible; Indy Library)"

    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // The settings of the registration and profile windows' clients: content type
    // "text/html", accepted types "text/html, */*" and a cookie store.
    void useWindowClientSettings();
    void setLimits(const HttpLimits& limits) { m_limits = limits; }
    const HttpLimits& limits() const { return m_limits; }
    void setDeadlineMs(int ms) { m_limits.deadlineMs = ms; }
    void setMaxAnswerBytes(qint64 bytes) { m_limits.maxAnswerBytes = bytes; }

    void get(const QString& address, Callback done);
    // A configured address used as it is (no route escaping).
    void getUrl(const QUrl& url, Callback done);
    // The same, reporting the transfer's progress as it goes.
    void getUrl(const QUrl& url, Callback done, Progress progress);
    void postForm(const QString& address, const FormFields& fields, Callback done);

    // "name=value" joined by "&", each value UTF-8 and percent-encoded.
    static QByteArray encodeForm(const FormFields& fields);
    // The URL for a route text: the site part as it is, the path escaped only as far as the
    // request line needs, so the server decodes exactly the text of the route.
    static QUrl urlForAddress(const QString& address);

private:
    QNetworkRequest requestFor(const QUrl& url) const;
    void watch(QNetworkReply* reply, Callback done, Progress progress = {});
    void failSoon(const QString& address, Callback done);

    QNetworkAccessManager* m_network;
    HttpLimits m_limits;
    bool m_windowSettings = false;
};
