#pragma once

#include <QString>
#include <QStringList>

// The destinations a user watches: the subscribed cities (the order-city list). A lane is
// watched when its destination is one of them; the cities compare without blanks around them
// and without a trailing "市" ("沈阳" watches "沈阳市").
class WatchedLanes
{
public:
    explicit WatchedLanes(const QStringList& cities = QStringList());

    void setCities(const QStringList& cities);
    bool isEmpty() const { return m_cities.isEmpty(); }
    bool watches(const QString& destination) const;

    static QString normalised(const QString& city);

private:
    QStringList m_cities; // normalised, none empty
};
