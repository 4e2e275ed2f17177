#include "service/LoaderJob.h"

LoaderJob::LoaderJob(QObject* parent) : QObject(parent) {}

void LoaderJob::start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    run();
}

void LoaderJob::finish()
{
    if (m_done) {
        return;
    }
    m_done = true;
    Q_EMIT finished();
    if (m_autoDelete) {
        deleteLater();
    }
}
