#pragma once

#include "service/ListingLoader.h"

// The shape shared by the loaders of InfoGrd: a count call, a list call for the page, land
// rows up to the loader's cap, a heading and a count label, then the land pages shown.
// Nothing is loaded while the session is offline; the loader sets and clears the loading flag.
class LandListingLoader : public ListingLoader
{
    Q_OBJECT
protected:
    LandListingLoader(ListingView* view, QObject* parent);
    void setPaging(bool append, int pageNumber);

    void run() override;
    void finishingStep() override;

    // Runs when a load starts, before the loading text is shown.
    virtual void startingStep() = 0;
    // Whether there is nothing to ask for; the load then ends without a call.
    virtual bool filtersEmpty() const { return false; }
    virtual int rowCap() const = 0;
    virtual void callCount(ServiceCallback done) = 0;
    virtual void callList(const QString& pageNumber, ServiceCallback done) = 0;
    virtual QString gridHeading() const = 0;
    virtual QString countLabel() const = 0;

    // The grid rows this load sized (0 before the count arrived).
    int loadedRowCount() const { return m_rowCount; }

private:
    void countArrived(const ServiceResult& result);
    void listArrived(const ServiceResult& result);

    bool m_append = false;
    int m_pageNumber = 1;
    int m_nextRow = 1;
    int m_rowCount = 0;
    int m_sizedRows = 0; // the grid's rows right after this load sized it
};
