#pragma once

#include "service/PriceListingLoader.h"

// Loads air-cargo prices into airInfoGrd: getAirPriceCount, then getAirPriceList.
class TThdAirPrice : public PriceListingLoader
{
    Q_OBJECT
public:
    explicit TThdAirPrice(ListingView* view, QObject* parent = nullptr);

    void setParams(const QString& route, const QString& airline, const QString& airportName,
                   const QString& airportCode, int pageNumber, bool append,
                   const QString& typeHeading, const QString& countLabel);

protected:
    ListingGrid grid() const override { return ListingGrid::airInfoGrd; }
    ShellLabel infoLabel() const override { return ShellLabel::AirCount; }
    ShellLabel typeLabel() const override { return ShellLabel::AirHeading; }
    QStringList headers() const override;
    bool filtersEmpty() const override;
    void callCount(ServiceCallback done) override;
    void callList(const QString& pageNumber, ServiceCallback done) override;
    void putRow(int row, const JsonNode& element) override;
    void showPages() override;

private:
    QString m_route;
    QString m_airline;
    QString m_airportName;
    QString m_airportCode;
};
