#include "BenchTimer.h"

#include <QElapsedTimer>
#include <cstdio>

BenchTimer::Result BenchTimer::measure(qint64 bytesPerRun, const std::function<void()>& action,
                                       double minSeconds)
{
    action();
    QElapsedTimer timer;
    timer.start();
    Result result;
    qint64 elapsed = 0;
    do {
        action();
        ++result.runs;
        elapsed = timer.nsecsElapsed();
    } while (elapsed < static_cast<qint64>(minSeconds * 1e9));
    const double seconds = static_cast<double>(elapsed) / 1e9;
    result.megabytesPerSecond =
        static_cast<double>(bytesPerRun) * result.runs / seconds / (1024.0 * 1024.0);
    return result;
}

std::vector<BenchTimer::Result>
BenchTimer::measureInTurns(qint64 bytesPerRun, const std::vector<std::function<void()>>& actions,
                           int rounds, double secondsPerTurn)
{
    std::vector<Result> best(actions.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < actions.size(); ++i) {
            const Result turn = measure(bytesPerRun, actions[i], secondsPerTurn);
            if (turn.megabytesPerSecond > best[i].megabytesPerSecond) {
                best[i] = turn;
            }
        }
    }
    return best;
}

void BenchTimer::printRow(const QString& document, const QString& reader, const Result& result,
                          const Result& reference)
{
    const double ratio = reference.megabytesPerSecond > 0
                             ? result.megabytesPerSecond / reference.megabytesPerSecond
                             : 0.0;
    std::printf("%-28s %-34s %10.1f MB/s %8.2fx %8d runs\n", qPrintable(document),
                qPrintable(reader), result.megabytesPerSecond, ratio, result.runs);
}
