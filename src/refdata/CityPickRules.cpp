#include "refdata/CityPickRules.h"

#include "refdata/RegionTree.h"

namespace {

CityPickRules::Verdict addWith(QStringList& chosen, const QString& city, const QString* departure)
{
    using Verdict = CityPickRules::Verdict;
    if (city.isEmpty())
        return Verdict::NoCity;
    if (chosen.size() >= CityPickRules::MaxCities)
        return Verdict::Full;
    if (departure && city == *departure)
        return Verdict::SameAsDeparture;
    if (chosen.contains(city))
        return Verdict::AlreadyChosen;
    chosen.append(city);
    return Verdict::Added;
}

} // namespace

CityPickRules::Verdict CityPickRules::addChoice(QStringList& chosen, const QString& city)
{
    return addWith(chosen, city, nullptr);
}

CityPickRules::Verdict CityPickRules::addDestination(QStringList& chosen, const QString& city,
                                                     const QString& departure)
{
    return addWith(chosen, city, &departure);
}

QString CityPickRules::message(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NoCity:
        return QStringLiteral("请点选城市后再添加 ");
    case Verdict::Full:
        return QStringLiteral("最多能添加5个城市");
    case Verdict::SameAsDeparture:
        return QStringLiteral("出发地不能和目的地相同 ");
    case Verdict::Added:
    case Verdict::AlreadyChosen:
        break;
    }
    return QString();
}

QString CityPickRules::departureCity(const QString& province, const QString& city)
{
    return IsMunicipality(province) ? province : city;
}

QStringList CityPickRules::initialChoice(const QStringList& saved)
{
    QStringList chosen;
    for (const QString& city : saved) {
        const QString name = city.trimmed();
        if (!name.isEmpty() && !chosen.contains(name) && chosen.size() < MaxCities)
            chosen.append(name);
    }
    return chosen;
}
