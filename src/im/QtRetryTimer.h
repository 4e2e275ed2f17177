#pragma once

#include "im/RetryTimer.h"

#include <QTimer>

// RetryTimer on a single-shot QTimer of the user-interface thread.
class QtRetryTimer : public RetryTimer
{
public:
    QtRetryTimer();

    void start(int delayMs, std::function<void()> fire) override;
    void stop() override;
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_fire;
};
