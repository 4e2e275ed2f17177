#include "service/TThdOrderInfo.h"

#include "core/FieldScrambler.h"
#include "service/ListingLoadRules.h"

TThdOrderInfo::TThdOrderInfo(ListingView* view, QObject* parent) : LandListingLoader(view, parent)
{}

void TThdOrderInfo::setParams(const QString& cities, bool appendRows, int page)
{
    m_cityList = cities;
    setPaging(appendRows, page);
}

QString TThdOrderInfo::quotedCityList(const QStringList& cities)
{
    QStringList quoted;
    quoted.reserve(cities.size());
    for (const QString& city : cities) {
        QString inner = city;
        inner.replace(QLatin1Char('\''), QStringLiteral("''"));
        quoted << QLatin1Char('\'') + inner + QLatin1Char('\'');
    }
    return quoted.join(QLatin1Char(','));
}

QString TThdOrderInfo::plainCityList(const QString& quotedList)
{
    return ReplaceText(quotedList, QStringLiteral("'"), QString(), true);
}

void TThdOrderInfo::startingStep()
{
    m_view->setLabel(ShellLabel::LandHeading, gridHeading());
}

int TThdOrderInfo::rowCap() const
{
    return ListingLoadRules::SubscriptionCap;
}

void TThdOrderInfo::callCount(ServiceCallback done)
{
    port()->orderInfoCount(m_cityList, QString(), std::move(done));
}

void TThdOrderInfo::callList(const QString& pageNumber, ServiceCallback done)
{
    port()->orderInfo(m_cityList, pageNumber, QString(), std::move(done));
}

QString TThdOrderInfo::gridHeading() const
{
    return QStringLiteral("[定制信息]");
}

QString TThdOrderInfo::countLabel() const
{
    const QString cities = plainCityList(m_cityList);
    return QStringLiteral("%1：%2").arg(cities).arg(loadedRowCount());
}
