#pragma once

#include "im/ReconnectPolicy.h"
#include "im/RetryTimer.h"

#include <QObject>

#include <memory>

// The waits between reconnection attempts after an unexpected disconnection. The session
// reports what happened (lost, attempt failed, connected, given up); the scheduler waits the
// policy's delay and then asks for the next attempt with attemptDue. A wait can be cut short
// (the network came back) or cancelled (the user logs in from the menu, the password was
// refused).
class ReconnectScheduler : public QObject
{
    Q_OBJECT
public:
    // The timer defaults to a QtRetryTimer.
    explicit ReconnectScheduler(ReconnectPolicy policy = ReconnectPolicy(),
                                std::unique_ptr<RetryTimer> timer = nullptr,
                                QObject* parent = nullptr);
    ~ReconnectScheduler() override;

    const ReconnectPolicy& policy() const { return m_policy; }

    // An established connection dropped: the first wait starts.
    void connectionLost();
    // The attempt did not connect: the next, longer wait starts.
    void attemptFailed();
    // Connected again (or signed in anew): the backoff starts over next time.
    void connected();
    // No more attempts until the next connectionLost.
    void cancel();
    // Waiting: the attempt is made at once.
    void retryNow();

    bool waiting() const;
    // Failed attempts since the connection dropped.
    int failedAttempts() const { return m_failed; }
    // True from connectionLost until connected or cancel, waits and attempts alike.
    bool active() const { return m_active; }

Q_SIGNALS:
    // A wait of delayMs started before attempt number attempt (0 first).
    void attemptScheduled(int attempt, int delayMs);
    void attemptDue();
    // Connected again or cancelled: no more waits.
    void ended();

private:
    void schedule();
    void fire();

    ReconnectPolicy m_policy;
    std::unique_ptr<RetryTimer> m_timer;
    int m_failed = 0;
    bool m_active = false;
};
