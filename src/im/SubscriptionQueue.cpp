#include "im/SubscriptionQueue.h"

#include "im/ImLog.h"
#include "im/SessionDialogs.h"

#include <QPointer>
#include <QTimer>

SubscriptionQueue::SubscriptionQueue(SessionDialogs* dialogs, Send send, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_send(std::move(send))
{}

SubscriptionQueue::Request* SubscriptionQueue::find(const QString& jid)
{
    if (m_asking && m_asking->jid == jid)
        return &*m_asking;
    for (Request& request : m_waiting) {
        if (request.jid == jid)
            return &request;
    }
    return nullptr;
}

void SubscriptionQueue::add(const QString& jid, const QString& from)
{
    if (Request* known = find(jid)) {
        // Offered again: the answer now belongs to the connection it came on this time.
        known->connection = m_connection;
        return;
    }
    Request request;
    request.jid = jid;
    request.from = from;
    request.connection = m_connection;
    m_waiting.append(request);
    scheduleNext();
}

void SubscriptionQueue::connectionLost()
{
    ++m_connection;
    if (!m_waiting.isEmpty())
        qCInfo(lcIm) << "Forgetting" << m_waiting.size()
                     << "friend requests not yet asked: the connection is gone";
    m_waiting.clear();
}

void SubscriptionQueue::scheduleNext()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    // Never from inside the network event that brought the request.
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        askNext();
    });
}

void SubscriptionQueue::askNext()
{
    if (m_asking || m_waiting.isEmpty())
        return;
    m_asking = m_waiting.takeFirst();
    m_asking->ticket = m_nextTicket++;
    const quint64 ticket = m_asking->ticket;
    QPointer<SubscriptionQueue> self(this);
    m_dialogs->askSubscription(m_asking->from, [self, ticket](bool accept) {
        if (self)
            self->answered(ticket, accept);
    });
}

void SubscriptionQueue::answered(quint64 ticket, bool accept)
{
    if (!m_asking || m_asking->ticket != ticket)
        return; // a question answered twice, or one already forgotten
    const Request request = *m_asking;
    m_asking.reset();
    if (request.connection == m_connection)
        m_send(request.jid, accept);
    else
        qCWarning(lcIm) << "Dropping the answer to the friend request of" << request.jid
                        << "- the connection it came on is gone";
    scheduleNext();
}
