#pragma once

#include <functional>

// How long the session waits before each attempt to reconnect: exponential backoff from the
// first delay, doubled per failed attempt up to the cap, spread by a random jitter so that
// many clients dropped by one server restart do not all come back in the same second.
class ReconnectPolicy
{
public:
    // A number in [0, 1): the default draws from the system's generator.
    using RandomSource = std::function<double()>;

    static constexpr int DefaultFirstDelayMs = 1000;
    static constexpr int DefaultMaxDelayMs = 60000;
    static constexpr double DefaultJitter = 0.2;

    explicit ReconnectPolicy(RandomSource random = RandomSource(),
                             int firstDelayMs = DefaultFirstDelayMs,
                             int maxDelayMs = DefaultMaxDelayMs, double jitter = DefaultJitter);

    // The wait before attempt number attempt (0 for the first after the drop).
    int delayFor(int attempt) const;
    // The longest wait delayFor may give for that attempt.
    int upperBound(int attempt) const;
    // The wait without jitter: first delay × 2^attempt, at most the cap.
    int nominalDelay(int attempt) const;
    int maxDelay() const { return m_maxDelayMs; }

private:
    RandomSource m_random;
    int m_firstDelayMs;
    int m_maxDelayMs;
    double m_jitter;
};
