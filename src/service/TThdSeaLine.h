#pragma once

#include "service/PriceListingLoader.h"

// Loads sea lines into seaInfoGrd: getSealineCount, then getSealineList.
class TThdSeaLine : public PriceListingLoader
{
    Q_OBJECT
public:
    explicit TThdSeaLine(ListingView* view, QObject* parent = nullptr);

    void setParams(const QString& departurePort, const QString& destinationPort,
                   const QString& company, const QString& seaLine, int pageNumber, bool append,
                   const QString& typeHeading, const QString& countLabel);

protected:
    ListingGrid grid() const override { return ListingGrid::seaInfoGrd; }
    ShellLabel infoLabel() const override { return ShellLabel::SeaCount; }
    ShellLabel typeLabel() const override { return ShellLabel::SeaHeading; }
    QStringList headers() const override;
    bool filtersEmpty() const override;
    void callCount(ServiceCallback done) override;
    void callList(const QString& pageNumber, ServiceCallback done) override;
    void putRow(int row, const JsonNode& element) override;
    void showPages() override;

private:
    QString m_departurePort;
    QString m_destinationPort;
    QString m_company;
    QString m_seaLine;
};
