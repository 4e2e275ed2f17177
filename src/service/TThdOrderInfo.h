#pragma once

#include "ListingLoader.h"

// Loads the listings of the subscribed cities into InfoGrd: orderInfoCount, then orderInfo.
class TThdOrderInfo : public ListingLoader
{
    Q_OBJECT
public:
    explicit TThdOrderInfo(ListingView* view, QObject* parent = nullptr);

    // `cityList` as the service takes it: quoted names joined by commas.
    void setParams(const QString& cityList, bool append, int pageNumber);

protected:
    void run() override;
    void finishingStep() override;

private:
    void countArrived(const ServiceResult& result);
    void listArrived(const ServiceResult& result);

    QString cityList;
    bool append = false;
    int pageNumber = 1;
    int nextRow = 1;
    int rowCount = 0;
};
