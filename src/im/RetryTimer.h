#pragma once

#include <functional>

// A one-shot timer for the reconnection wait. The session uses QtRetryTimer; tests fire it by
// hand and read the delays asked for.
class RetryTimer
{
public:
    virtual ~RetryTimer() = default;
    // Calls fire once after delayMs, replacing a wait that is still running.
    virtual void start(int delayMs, std::function<void()> fire) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};
