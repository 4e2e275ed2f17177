#include "im/QtRetryTimer.h"

QtRetryTimer::QtRetryTimer()
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_fire)
            m_fire();
    });
}

void QtRetryTimer::start(int delayMs, std::function<void()> fire)
{
    m_fire = std::move(fire);
    m_timer.start(delayMs);
}

void QtRetryTimer::stop()
{
    m_timer.stop();
}
