#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A live listing on a watched lane, as an alert names it.
struct LaneAlert
{
    QString fromCity;
    QString toCity;
    QString title;
};

// At most one desktop notice per interval: the first alert is shown at once, the ones that
// follow within the interval are held back and shown together when it has passed, the
// newest of them with the count of the rest ("另有 N 条"). Times are milliseconds of any
// steady clock the caller reads.
class LaneAlertThrottle
{
public:
    static constexpr qint64 DefaultIntervalMs = 10000;
    static constexpr int MaxTitleLength = 80;

    struct Notice
    {
        QString caption; // "上海 → 北京"
        QString text;    // the title, and "另有 N 条" on a line of its own
    };

    explicit LaneAlertThrottle(qint64 intervalMs = DefaultIntervalMs);

    // The notice to show now, or nothing when the alert is held back.
    std::optional<Notice> offer(const LaneAlert& alert, qint64 nowMs);
    // The held-back alerts as one notice once the interval has passed; nothing before that or
    // when none is held.
    std::optional<Notice> flush(qint64 nowMs);
    // Drops the held-back alerts (the user is looking at those listings already).
    void dropHeld();

    int held() const { return m_held; }
    // When flush can show the held-back alerts.
    qint64 nextNoticeAt() const { return m_lastShown + m_interval; }

    // The notice of one alert; others: how many more it stands for. Texts come from other
    // users: control characters go, markup characters are shown as their full-width forms
    // (some desktops read notice texts as markup), the title is cut to MaxTitleLength.
    static Notice noticeFor(const LaneAlert& alert, int others);

private:
    Notice show(const LaneAlert& alert, int others, qint64 nowMs);

    qint64 m_interval;
    qint64 m_lastShown;
    bool m_shownOnce = false;
    int m_held = 0;
    LaneAlert m_newestHeld;
};
