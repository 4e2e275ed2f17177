#include "im/NetworkChangeWatch.h"

#include "im/ImLog.h"
#include "im/InternetCheck.h"

NetworkChangeWatch::NetworkChangeWatch(AddressSource source, QObject* parent)
    : QObject(parent), m_source(std::move(source))
{
    if (!m_source)
        m_source = &InternetCheck::upAddresses;
    m_timer.setInterval(DefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &NetworkChangeWatch::poll);
}

void NetworkChangeWatch::start()
{
    m_known = m_source();
    m_known.sort();
    m_timer.start();
}

void NetworkChangeWatch::stop()
{
    m_timer.stop();
}

void NetworkChangeWatch::poll()
{
    QStringList now = m_source();
    now.sort();
    bool gained = false;
    for (const QString& address : qAsConst(now))
        gained = gained || !m_known.contains(address);
    m_known = now;
    if (gained) {
        qCInfo(lcIm) << "The network changed:" << now;
        Q_EMIT networkChanged();
    }
}
