#pragma once

#include "service/LandListingLoader.h"

// Loads the listings of the subscribed cities into InfoGrd: orderInfoCount, then orderInfo.
class TThdOrderInfo : public LandListingLoader
{
    Q_OBJECT
public:
    explicit TThdOrderInfo(ListingView* view, QObject* parent = nullptr);

    // `cityList` as the service takes it: quoted names joined by commas.
    void setParams(const QString& cityList, bool append, int pageNumber);

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
