#pragma once

#include <QString>
#include <functional>
#include <vector>

// Runs an action repeatedly for at least minSeconds (after one warm-up run) and reports the
// throughput over the given number of bytes.
class BenchTimer
{
public:
    struct Result
    {
        double megabytesPerSecond = 0;
        int runs = 0;
    };

    static Result measure(qint64 bytesPerRun, const std::function<void()>& action,
                          double minSeconds = 0.5);
    // Measures the actions in turns, rounds times, and keeps each one's best round, so that
    // load from other programs changes every figure alike instead of whichever ran last.
    static std::vector<Result> measureInTurns(qint64 bytesPerRun,
                                              const std::vector<std::function<void()>>& actions,
                                              int rounds = 5, double secondsPerTurn = 0.2);

    // One line of the result table: name, MB/s, and the ratio to a reference figure.
    static void printRow(const QString& document, const QString& reader, const Result& result,
                         const Result& reference);
};
