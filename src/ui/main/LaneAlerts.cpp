#include "ui/main/LaneAlerts.h"

#include "app/SessionState.h"
#include "im/WatchedLanes.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>

namespace {
constexpr int kNoticeShownMs = 8000;
}

LaneAlerts::LaneAlerts(QSystemTrayIcon* tray, QObject* parent) : QObject(parent), m_tray(tray)
{
    m_flush.setSingleShot(true);
    connect(&m_flush, &QTimer::timeout, this, &LaneAlerts::flushHeld);
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, &LaneAlerts::clicked);
}

qint64 LaneAlerts::now() const
{
    if (m_clock)
        return m_clock();
    static QElapsedTimer steady;
    if (!steady.isValid())
        steady.start();
    return steady.elapsed();
}

void LaneAlerts::listingArrived(const LaneAlert& listing)
{
    if (!WatchedLanes(session().orderCities).watches(listing.toCity))
        return;
    if (m_quiet && m_quiet())
        return;
    const qint64 at = now();
    if (const auto notice = m_throttle.offer(listing, at)) {
        present(*notice);
        return;
    }
    if (!m_flush.isActive())
        m_flush.start(int(qMax<qint64>(0, m_throttle.nextNoticeAt() - at)));
}

void LaneAlerts::flushHeld()
{
    if (m_quiet && m_quiet()) {
        m_throttle.dropHeld();
        return;
    }
    const qint64 at = now();
    if (const auto notice = m_throttle.flush(at))
        present(*notice);
    else if (m_throttle.held() > 0)
        m_flush.start(int(qMax<qint64>(0, m_throttle.nextNoticeAt() - at)));
}

void LaneAlerts::present(const LaneAlertThrottle::Notice& notice)
{
    if (m_presenter) {
        m_presenter(notice.caption, notice.text);
        return;
    }
    m_tray->showMessage(notice.caption, notice.text, QSystemTrayIcon::Information, kNoticeShownMs);
}
