#pragma once

#include <QtGlobal>

// The bounds every request of the service layer runs within. The whole exchange -
// connecting, sending, waiting, receiving - must end within `deadlineMs`, however steadily
// the server trickles; the answer may hold at most `maxAnswerBytes`, whatever it declares or
// keeps sending. Beyond either the request is abandoned and fails like a lost connection.
// Zero or less switches a bound off. Callers with large downloads set bigger bounds.
struct HttpLimits
{
    static constexpr int DefaultDeadlineMs = 30000;
    static constexpr qint64 DefaultMaxAnswerBytes = qint64(16) * 1024 * 1024;

    int deadlineMs = DefaultDeadlineMs;
    qint64 maxAnswerBytes = DefaultMaxAnswerBytes;
};
