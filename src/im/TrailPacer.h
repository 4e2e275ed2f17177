#pragma once

#include <QObject>
#include <QString>

#include <deque>
#include <functional>

// Hands protocol units to a handler in arrival order, spending at most a budget of handling
// time per turn of the event loop. The XMPP engine delivers everything one read of the socket
// gave in one go; a burst of thousands of broadcasts would otherwise keep the window from
// drawing and answering input until the last is in the grid. A unit that arrives while nothing
// waits and the turn's budget is not spent is handled at once.
class TrailPacer : public QObject
{
public:
    using Handler = std::function<void(const QString& unit)>;
    // Milliseconds of a monotonic clock; tests give their own.
    using Clock = std::function<qint64()>;

    static constexpr qint64 kBudgetMs = 8;

    explicit TrailPacer(Handler handler, QObject* parent = nullptr, Clock clock = {});

    void feed(const QString& unit);
    int waiting() const { return static_cast<int>(m_waiting.size()); }

private:
    bool budgetLeft();
    void drain();
    void scheduleDrain();

    Handler m_handler;
    Clock m_clock;
    std::deque<QString> m_waiting;
    qint64 m_turnStart = 0;
    bool m_turnOpen = false;
    bool m_drainScheduled = false;
};
