#pragma once

#include <QString>
#include <functional>

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

    // One line of the result table: name, MB/s, and the ratio to a reference figure.
    static void printRow(const QString& document, const QString& reader, const Result& result,
                         const Result& reference);
};
