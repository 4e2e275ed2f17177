#pragma once

#include "service/HttpLimits.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkReply;

// Holds one network reply to its limits: when the deadline passes, the declared length
// (Content-Length) is above the cap or the received data grows beyond it, the reply is
// aborted and the guard keeps the reason, with a warning logged. The guard is a child of the
// reply and lives as long as it.
class ReplyGuard : public QObject
{
    Q_OBJECT
public:
    enum class Body
    {
        Leave,   // the reply's reader takes the data when the reply has finished
        Collect, // the guard takes the data as it arrives (takeBody), so nothing piles up twice
    };

    ReplyGuard(QNetworkReply* reply, const HttpLimits& limits, Body body);

    // Why the reply was abandoned; empty while it was not.
    QString abandonReason() const { return m_reason; }
    // With Body::Collect: everything received, the part still in the reply included.
    QByteArray takeBody();

private:
    void collect();
    void checkDeclaredLength();
    void checkReceived(qint64 bytes);
    void abandon(const QString& reason);

    QNetworkReply* const m_reply;
    const HttpLimits m_limits;
    const bool m_collect;
    QByteArray m_body;
    QString m_reason;
};
