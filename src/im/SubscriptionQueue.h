#pragma once

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class SessionDialogs;

// Friend requests (presence subscriptions) waiting for the user. The XMPP handler only adds a
// request; the questions are put from the event loop after the handler has returned, one
// after another, so that the stanza intake and the keep-alives go on while one is open.
class SubscriptionQueue : public QObject
{
    Q_OBJECT
public:
    // Sends the user's answer for the bare JID.
    using Send = std::function<void(const QString& jid, bool accept)>;

    SubscriptionQueue(SessionDialogs* dialogs, Send send, QObject* parent = nullptr);

    // A request for the bare JID; from is what the question shows. A request that is being
    // asked or already waits is not asked twice (the server offers it again at every sign-in).
    void add(const QString& jid, const QString& from);
    // The connection the requests came on is gone: the waiting ones are forgotten (the server
    // offers them again at the next sign-in), and the answer to the open question is dropped
    // unless the server offers that request again meanwhile.
    void connectionLost();

    bool isAsking() const { return m_asking.has_value(); }
    int waitingCount() const { return m_waiting.size(); }

private:
    struct Request
    {
        QString jid;
        QString from;
        int connection = 0; // the connection it was (last) offered on
        quint64 ticket = 0; // which question answers it
    };

    Request* find(const QString& jid);
    void scheduleNext();
    void askNext();
    void answered(quint64 ticket, bool accept);

    SessionDialogs* m_dialogs;
    Send m_send;
    QVector<Request> m_waiting;
    std::optional<Request> m_asking;
    int m_connection = 0;
    quint64 m_nextTicket = 1;
    bool m_scheduled = false;
};
