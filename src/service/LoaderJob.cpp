#include "service/LoaderJob.h"

LoaderJob::LoaderJob(QObject* parent) : QObject(parent) {}

void LoaderJob::start()
{
    if (started) {
        return;
    }
    started = true;
    run();
}

void LoaderJob::finish()
{
    if (done) {
        return;
    }
    done = true;
    Q_EMIT finished();
    if (autoDelete) {
        deleteLater();
    }
}
