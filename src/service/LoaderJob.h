#pragma once

#include "service/HttpLimits.h"

#include <QObject>

// A short-lived job on the UI thread: created, given its parameters, started once. Its work
// runs asynchronously; `finished` is emitted exactly once, after the finishing step, and the
// job then deletes itself (unless told not to).
class LoaderJob : public QObject
{
    Q_OBJECT
public:
    explicit LoaderJob(QObject* parent = nullptr);

    // Runs the job's first steps at once and the rest as its requests answer.
    void start();
    void setAutoDelete(bool on) { m_autoDelete = on; }
    // The limits of every request the job makes (set before it starts).
    void setRequestLimits(const HttpLimits& limits) { m_limits = limits; }
    const HttpLimits& requestLimits() const { return m_limits; }
    bool isStarted() const { return m_started; }
    bool isFinished() const { return m_done; }

Q_SIGNALS:
    void finished();

protected:
    virtual void run() = 0;
    // Ends the job; further calls do nothing.
    void finish();

private:
    HttpLimits m_limits;
    bool m_autoDelete = true;
    bool m_started = false;
    bool m_done = false;
};
