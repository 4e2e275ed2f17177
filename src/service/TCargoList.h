#pragma once

#include "ListingLoader.h"

// Loads the land listings of InfoGrd: cargoCount, then cargoListpro for the page.
// Heading and category come from the shell's land view kind when the load starts.
class TCargoList : public ListingLoader
{
    Q_OBJECT
public:
    explicit TCargoList(ListingView* view, QObject* parent = nullptr);

    void setParams(const QString& fromCity, const QString& toCity, const QString& category,
                   bool append, int pageNumber, bool local);

    QString heading() const { return headingText; }
    QString category() const { return categoryText; }

protected:
    void run() override;
    void finishingStep() override;

private:
    void countArrived(const ServiceResult& result);
    void listArrived(const ServiceResult& result);

    QString fromCity;
    QString toCity;
    QString categoryText;
    bool append = false;
    int pageNumber = 1;
    bool local = false;
    QString headingText;
    int nextRow = 1;
    int rowCount = 0;
};
