#pragma once

#include "service/LandListingLoader.h"

#include <QStringList>

// Loads the listings of the subscribed cities into InfoGrd: orderInfoCount, then orderInfo.
class TThdOrderInfo : public LandListingLoader
{
    Q_OBJECT
public:
    explicit TThdOrderInfo(ListingView* view, QObject* parent = nullptr);

    // `cityList` as the service takes it: quoted names joined by commas.
    void setParams(const QString& cityList, bool append, int pageNumber);

    // The subscribed cities as the service takes them: each in single quotes (a quote inside
    // doubled), joined by ",", in the order given; no cities give the empty text.
    static QString quotedCityList(const QStringList& cities);
    // A quoted list with every single quote removed: the form config.xml keeps.
    static QString plainCityList(const QString& quotedList);

protected:
    void startingStep() override;
    int rowCap() const override;
    void callCount(ServiceCallback done) override;
    void callList(const QString& pageNumber, ServiceCallback done) override;
    QString gridHeading() const override;
    QString countLabel() const override;

private:
    QString m_cityList;
};
