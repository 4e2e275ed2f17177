#pragma once

#include <QString>
#include <QTextStream>
#include <ctime>

// The clock and the report lines bench_e2e and its client process share: both read the same
// monotonic clock, so a mark of one compares with a mark of the other.
namespace E2eClock {

inline double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1.0e6;
}

inline void say(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

} // namespace E2eClock
