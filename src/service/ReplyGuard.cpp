#include "service/ReplyGuard.h"

#include "service/ServiceLog.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <utility>

ReplyGuard::ReplyGuard(QNetworkReply* reply, const HttpLimits& limits, Body body)
    : QObject(reply), m_reply(reply), m_limits(limits), m_collect(body == Body::Collect)
{
    if (m_limits.deadlineMs > 0) {
        // One timer for the whole exchange; unlike the transfer time-out of the network
        // layer it is not restarted by data arriving.
        auto* deadline = new QTimer(this);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, [this] {
            abandon(QStringLiteral("no complete answer within %1 ms").arg(m_limits.deadlineMs));
        });
        connect(reply, &QNetworkReply::finished, deadline, &QTimer::stop);
        deadline->start(m_limits.deadlineMs);
    }
    if (m_limits.maxAnswerBytes > 0) {
        connect(reply, &QNetworkReply::metaDataChanged, this, &ReplyGuard::checkDeclaredLength);
    }
    if (m_collect) {
        connect(reply, &QNetworkReply::readyRead, this, &ReplyGuard::collect);
    } else if (m_limits.maxAnswerBytes > 0) {
        connect(reply, &QNetworkReply::downloadProgress, this,
                [this](qint64 received, qint64) { checkReceived(received); });
    }
}

QByteArray ReplyGuard::takeBody()
{
    if (m_reply->isOpen()) {
        collect();
    }
    return std::exchange(m_body, QByteArray());
}

void ReplyGuard::collect()
{
    if (!m_reason.isEmpty()) {
        // Abandoned: what still arrives before the abort takes effect is dropped.
        m_reply->readAll();
        return;
    }
    m_body += m_reply->readAll();
    checkReceived(m_body.size());
}

void ReplyGuard::checkDeclaredLength()
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_limits.maxAnswerBytes) {
        abandon(QStringLiteral("the answer announces %1 bytes, more than the %2 allowed")
                    .arg(length.toLongLong())
                    .arg(m_limits.maxAnswerBytes));
    }
}

void ReplyGuard::checkReceived(qint64 bytes)
{
    if (m_limits.maxAnswerBytes > 0 && bytes > m_limits.maxAnswerBytes) {
        abandon(QStringLiteral("the answer grew beyond the %1 bytes allowed")
                    .arg(m_limits.maxAnswerBytes));
    }
}

void ReplyGuard::abandon(const QString& reason)
{
    if (!m_reason.isEmpty()) {
        return;
    }
    m_reason = reason;
    m_body = QByteArray();
    qCWarning(lcService) << "abandoning the request for" << m_reply->request().url().toString()
                         << "-" << reason;
    if (!m_reply->isFinished()) {
        // Aborted from the event loop, not from inside the reply's own signal.
        QMetaObject::invokeMethod(m_reply, &QNetworkReply::abort, Qt::QueuedConnection);
    }
}
