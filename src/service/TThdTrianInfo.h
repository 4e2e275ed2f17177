#pragma once

#include "service/PriceListingLoader.h"

// Loads rail trains into TrianInfoGrd: getTrianCount, then getTrianList.
class TThdTrianInfo : public PriceListingLoader
{
    Q_OBJECT
public:
    explicit TThdTrianInfo(ListingView* view, QObject* parent = nullptr);

    void setParams(const QString& trainNumber, const QString& departureCity,
                   const QString& departureStation2, const QString& arrivalStation2,
                   const QString& arrivalCity, int pageNumber, bool append,
                   const QString& typeHeading, const QString& countLabel);

protected:
    ListingGrid grid() const override { return ListingGrid::TrianInfoGrd; }
    ShellLabel infoLabel() const override { return ShellLabel::RailCount; }
    ShellLabel typeLabel() const override { return ShellLabel::RailHeading; }
    QStringList headers() const override;
    bool filtersEmpty() const override;
    void callCount(ServiceCallback done) override;
    void callList(const QString& pageNumber, ServiceCallback done) override;
    void putRow(int row, const JsonNode& element) override;
    void showPages() override;

private:
    QString m_trainNumber;
    QString m_departureCity;
    QString m_departureStation2;
    QString m_arrivalStation2;
    QString m_arrivalCity;
};
