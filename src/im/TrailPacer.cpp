#include "im/TrailPacer.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

qint64 monotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

TrailPacer::TrailPacer(Handler handler, QObject* parent, Clock clock)
    : QObject(parent), m_handler(std::move(handler)),
      m_clock(clock ? std::move(clock) : monotonicMs)
{}

void TrailPacer::feed(const QString& unit)
{
    if (m_waiting.empty() && budgetLeft()) {
        m_handler(unit);
        return;
    }
    m_waiting.push_back(unit);
    scheduleDrain();
}

// The first unit of a turn starts the turn's clock; a zero timer marks the turn's end.
bool TrailPacer::budgetLeft()
{
    if (!m_turnOpen) {
        m_turnOpen = true;
        m_turnStart = m_clock();
        QTimer::singleShot(0, this, [this] { m_turnOpen = false; });
    }
    return m_clock() - m_turnStart < kBudgetMs;
}

void TrailPacer::drain()
{
    m_drainScheduled = false;
    while (!m_waiting.empty() && budgetLeft()) {
        const QString unit = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_handler(unit);
    }
    if (!m_waiting.empty())
        scheduleDrain();
}

void TrailPacer::scheduleDrain()
{
    if (m_drainScheduled)
        return;
    m_drainScheduled = true;
    QTimer::singleShot(0, this, [this] { drain(); });
}
