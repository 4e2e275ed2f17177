#include "im/ReconnectScheduler.h"

#include "im/ImLog.h"
#include "im/QtRetryTimer.h"

ReconnectScheduler::ReconnectScheduler(ReconnectPolicy policy, std::unique_ptr<RetryTimer> timer,
                                       QObject* parent)
    : QObject(parent), m_policy(std::move(policy)), m_timer(std::move(timer))
{
    if (!m_timer)
        m_timer = std::make_unique<QtRetryTimer>();
}

ReconnectScheduler::~ReconnectScheduler()
{
    m_timer->stop();
}

void ReconnectScheduler::connectionLost()
{
    m_failed = 0;
    m_active = true;
    schedule();
}

void ReconnectScheduler::attemptFailed()
{
    if (!m_active)
        return;
    ++m_failed;
    schedule();
}

void ReconnectScheduler::connected()
{
    m_timer->stop();
    m_failed = 0;
    const bool wasActive = m_active;
    m_active = false;
    if (wasActive)
        Q_EMIT ended();
}

void ReconnectScheduler::cancel()
{
    connected();
}

void ReconnectScheduler::retryNow()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    fire();
}

bool ReconnectScheduler::waiting() const
{
    return m_timer->isActive();
}

void ReconnectScheduler::schedule()
{
    const int delay = m_policy.delayFor(m_failed);
    qCInfo(lcIm) << "Reconnecting in" << delay << "ms, attempt" << m_failed + 1;
    m_timer->start(delay, [this] { fire(); });
    Q_EMIT attemptScheduled(m_failed, delay);
}

void ReconnectScheduler::fire()
{
    if (m_active)
        Q_EMIT attemptDue();
}
