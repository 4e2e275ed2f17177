#pragma once

#include "im/RetryTimer.h"

#include <QList>

// A RetryTimer the test fires by hand; it keeps every delay it was started with.
class ManualRetryTimer : public RetryTimer
{
public:
    void start(int delayMs, std::function<void()> fire) override
    {
        delays << delayMs;
        m_fire = std::move(fire);
        m_active = true;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    // Ends the wait as the time running out would; false when no wait runs.
    bool fire()
    {
        if (!m_active)
            return false;
        m_active = false;
        m_fire();
        return true;
    }

    QList<int> delays;

private:
    std::function<void()> m_fire;
    bool m_active = false;
};
