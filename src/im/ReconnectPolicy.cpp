#include "im/ReconnectPolicy.h"

#include <QRandomGenerator>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

ReconnectPolicy::ReconnectPolicy(RandomSource random, int firstDelayMs, int maxDelayMs,
                                 double jitter)
    : m_random(std::move(random)), m_firstDelayMs(std::max(1, firstDelayMs)),
      m_maxDelayMs(std::max(m_firstDelayMs, maxDelayMs)), m_jitter(qBound(0.0, jitter, 0.9))
{
    if (!m_random)
        m_random = [] { return QRandomGenerator::global()->generateDouble(); };
}

int ReconnectPolicy::nominalDelay(int attempt) const
{
    qint64 delay = m_firstDelayMs;
    for (int i = 0; i < attempt && delay < m_maxDelayMs; ++i)
        delay *= 2;
    return int(std::min<qint64>(delay, m_maxDelayMs));
}

int ReconnectPolicy::delayFor(int attempt) const
{
    // The factor lies in [1 - jitter, 1 + jitter); a random source out of range is clamped.
    const double draw = qBound(0.0, m_random(), 1.0);
    const double factor = 1.0 - m_jitter + 2.0 * m_jitter * draw;
    const int delay = int(std::lround(nominalDelay(attempt) * factor));
    return qBound(1, delay, m_maxDelayMs);
}

int ReconnectPolicy::upperBound(int attempt) const
{
    return std::min(m_maxDelayMs, int(std::lround(nominalDelay(attempt) * (1.0 + m_jitter))));
}
