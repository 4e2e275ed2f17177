#pragma once

#include "im/LaneAlertThrottle.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QSystemTrayIcon;

// Desktop notices for live land listings whose destination is one of the subscribed cities,
// whatever page is on screen: departure → destination and the title, at most one notice per
// LaneAlertThrottle interval, the rest summed up in the next one. Quiet while the user is
// looking at the subscribed listings already. A click on a notice raises clicked.
class LaneAlerts : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // milliseconds of a steady clock
    using Presenter = std::function<void(const QString& caption, const QString& text)>;
    using QuietProbe = std::function<bool()>;

    // tray: where the notices appear and are clicked; not owned.
    explicit LaneAlerts(QSystemTrayIcon* tray, QObject* parent = nullptr);

    // Tests read the time and the notices themselves; the defaults are the process's steady
    // clock and the tray icon's message.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }
    void setQuietProbe(QuietProbe quiet) { m_quiet = std::move(quiet); }

    // A live land listing; the subscribed cities are those of the session state.
    void listingArrived(const LaneAlert& listing);
    // Shows the held-back alerts when their time has come (the timer calls it).
    void flushHeld();

Q_SIGNALS:
    void clicked();

private:
    void present(const LaneAlertThrottle::Notice& notice);
    qint64 now() const;

    QSystemTrayIcon* m_tray;
    LaneAlertThrottle m_throttle;
    QTimer m_flush;
    Clock m_clock;
    Presenter m_presenter;
    QuietProbe m_quiet;
};
