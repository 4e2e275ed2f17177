#pragma once

#include "service/LandListingLoader.h"

// Loads the land listings of InfoGrd: cargoCount, then cargoListpro for the page.
// Heading and category come from the shell's land view kind when the load starts.
class TCargoList : public LandListingLoader
{
    Q_OBJECT
public:
    explicit TCargoList(ListingView* view, QObject* parent = nullptr);

    void setParams(const QString& fromCity, const QString& toCity, const QString& category,
                   bool append, int pageNumber, bool local);

    QString heading() const { return m_headingText; }
    QString category() const { return m_categoryText; }

protected:
    void startingStep() override;
    bool filtersEmpty() const override;
    int rowCap() const override;
    void callCount(ServiceCallback done) override;
    void callList(const QString& pageNumber, ServiceCallback done) override;
    QString gridHeading() const override { return m_headingText; }
    QString countLabel() const override;

private:
    QString localFlag() const;

    QString m_fromCity;
    QString m_toCity;
    QString m_categoryText;
    bool m_local = false;
    QString m_headingText;
};
