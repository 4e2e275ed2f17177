#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

// Blocking HTTP for the integration tests: one request, its status, type and body.
// Every request goes to 127.0.0.1 and carries the Host header the client would send.
class SandboxHttp
{
public:
    struct Reply
    {
        int status = 0;
        QByteArray contentType;
        QByteArray body;
        QString error;
        QString text() const { return QString::fromUtf8(body); }
    };
    using Fields = QList<QPair<QString, QString>>;

    static Reply get(const QString& path, const QByteArray& host = QByteArray());
    static Reply getUrl(const QUrl& url, const QByteArray& host);
    // Form post, values UTF-8 and percent-encoded, fields in the given order.
    static Reply postForm(const QString& path, const Fields& fields);
    static Reply postRaw(const QString& path, const QByteArray& body, const QByteArray& contentType,
                         const QByteArray& soapAction = QByteArray());
    static QByteArray formBody(const Fields& fields);
};
