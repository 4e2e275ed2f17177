#pragma once

#include "service/LoaderJob.h"

#include <QSignalSpy>
#include <QString>
#include <QTest>

// Starts one asynchronous request - `start` receives the answer callback - and waits for its
// answer. An answer that does not come within `timeoutMs` comes back with its error set.
template <typename Answer, typename Start> Answer AwaitAnswer(Start start, int timeoutMs)
{
    Answer result;
    bool done = false;
    start([&](const Answer& answer) {
        result = answer;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, timeoutMs)) {
        result.error = QStringLiteral("no answer in time");
    }
    return result;
}

// Runs a job that is kept after it ends; true when it ended exactly once within `timeoutMs`.
inline bool RunJobToEnd(LoaderJob& job, int timeoutMs)
{
    QSignalSpy finished(&job, &LoaderJob::finished);
    job.setAutoDelete(false);
    job.start();
    if (!job.isFinished() && !finished.wait(timeoutMs)) {
        return false;
    }
    return finished.count() == 1;
}
