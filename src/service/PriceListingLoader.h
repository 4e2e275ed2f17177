#pragma once

#include "service/ListingLoader.h"
#include "service/ListingView.h"

#include <QStringList>

// The shape shared by the air, sea and rail loaders: a grid with a header row, a count call
// and a list call with the page number before the ticket, a type heading and a count label.
// The starters check the connection; the loader sets and clears the loading flag.
class PriceListingLoader : public ListingLoader
{
    Q_OBJECT
public:
    QString typeHeading() const { return m_heading; }
    QString countLabel() const { return m_countText; }

protected:
    PriceListingLoader(ListingView* view, QObject* parent);
    void setCommon(int pageNumber, bool append, const QString& typeHeading,
                   const QString& countLabel);

    void run() override;
    void finishingStep() override;

    virtual ListingGrid grid() const = 0;
    virtual ShellLabel infoLabel() const = 0; // the count label
    virtual ShellLabel typeLabel() const = 0; // the heading label
    virtual QStringList headers() const = 0;
    virtual bool filtersEmpty() const = 0;
    virtual void callCount(ServiceCallback done) = 0;
    virtual void callList(const QString& pageNumber, ServiceCallback done) = 0;
    virtual void putRow(int row, const JsonNode& element) = 0;
    virtual void showPages() = 0;

private:
    void countArrived(const ServiceResult& result);
    void listArrived(const ServiceResult& result);

    int m_page = 1;
    bool m_append = false;
    QString m_heading;
    QString m_countText;
    int m_nextRow = 1;
    int m_rowCount = 0;
    int m_sizedRows = 0; // the grid's rows right after this load sized it
    int m_shownCount = 0;
};
