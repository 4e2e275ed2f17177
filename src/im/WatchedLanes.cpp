#include "im/WatchedLanes.h"

#include "core/TextTrim.h"

WatchedLanes::WatchedLanes(const QStringList& cities)
{
    setCities(cities);
}

void WatchedLanes::setCities(const QStringList& cities)
{
    m_cities.clear();
    for (const QString& city : cities) {
        const QString name = normalised(city);
        if (!name.isEmpty() && !m_cities.contains(name))
            m_cities << name;
    }
}

bool WatchedLanes::watches(const QString& destination) const
{
    const QString name = normalised(destination);
    return !name.isEmpty() && m_cities.contains(name);
}

QString WatchedLanes::normalised(const QString& city)
{
    QString name = TrimLowChars(city).trimmed();
    if (name.size() > 1 && name.endsWith(QStringLiteral("市")))
        name.chop(1);
    return name;
}
