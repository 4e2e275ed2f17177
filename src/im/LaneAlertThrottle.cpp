#include "im/LaneAlertThrottle.h"

namespace {

QString plain(const QString& text, int maxLength)
{
    QString out;
    out.reserve(qMin(text.size(), maxLength + 1));
    for (const QChar c : text) {
        if (out.size() >= maxLength) {
            out += QStringLiteral("…");
            break;
        }
        if (c == QLatin1Char('<'))
            out += QChar(0xFF1C);
        else if (c == QLatin1Char('>'))
            out += QChar(0xFF1E);
        else if (c == QLatin1Char('&'))
            out += QChar(0xFF06);
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return out.simplified();
}

constexpr int kMaxCityLength = 20;

} // namespace

LaneAlertThrottle::LaneAlertThrottle(qint64 intervalMs)
    : m_interval(qMax<qint64>(1, intervalMs)), m_lastShown(0)
{}

LaneAlertThrottle::Notice LaneAlertThrottle::noticeFor(const LaneAlert& alert, int others)
{
    Notice notice;
    notice.caption = plain(alert.fromCity, kMaxCityLength) + QStringLiteral(" → ") +
                     plain(alert.toCity, kMaxCityLength);
    notice.text = plain(alert.title, MaxTitleLength);
    if (others > 0)
        notice.text += QStringLiteral("\n另有 %1 条").arg(others);
    return notice;
}

LaneAlertThrottle::Notice LaneAlertThrottle::show(const LaneAlert& alert, int others, qint64 nowMs)
{
    m_lastShown = nowMs;
    m_shownOnce = true;
    m_held = 0;
    return noticeFor(alert, others);
}

std::optional<LaneAlertThrottle::Notice> LaneAlertThrottle::offer(const LaneAlert& alert,
                                                                  qint64 nowMs)
{
    if (!m_shownOnce || nowMs - m_lastShown >= m_interval) {
        // Alerts held from before go into this notice's count.
        return show(alert, m_held, nowMs);
    }
    ++m_held;
    m_newestHeld = alert;
    return std::nullopt;
}

std::optional<LaneAlertThrottle::Notice> LaneAlertThrottle::flush(qint64 nowMs)
{
    if (m_held == 0 || nowMs - m_lastShown < m_interval)
        return std::nullopt;
    return show(m_newestHeld, m_held - 1, nowMs);
}

void LaneAlertThrottle::dropHeld()
{
    m_held = 0;
}
