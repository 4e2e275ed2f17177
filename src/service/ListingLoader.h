#pragma once

#include "service/ListingRows.h"
#include "service/ListingView.h"
#include "service/LoaderJob.h"
#include "service/ServicePort.h"

#include <QString>

#include <memory>

class JsonNode;

// The common shape of the listing loaders: open the service port on the configured
// description address, call, hand rows to the view, and always run the finishing step -
// also after any error - before the port is released and the job ends.
class ListingLoader : public LoaderJob
{
    Q_OBJECT
public:
    // The last error the load met (empty when none); loads end silently, this is for logs
    // and tests.
    QString lastError() const { return m_error; }

    // A list answer unscrambled and parsed; null unless it is a JSON list.
    static std::unique_ptr<JsonNode> parseListResult(const QString& answer);

    // The land row fill: puts the listings of a list answer into the grid from `firstRow` on,
    // never beyond `rowLimit`. With `skipUntitled` a listing without a title takes no row
    // (the next one takes it); otherwise element i always goes to row firstRow + i.
    static void fillLandRows(ListingView* view, ListingGrid grid, const JsonNode& list,
                             int firstRow, int rowLimit, bool skipUntitled, ShortTimeRule rule);

protected:
    ListingLoader(ListingView* view, QObject* parent);

    // The rows live inserts added to the grid since the load left it with `sizedRows`.
    // They come in above the load's rows (at the top of a land grid, below the header row of
    // a price grid) and push them down, so the load fills that many rows further down, and
    // never beyond the grid's rows as they are now.
    int rowsGainedSince(ListingGrid grid, int sizedRows) const;

    // The port for this load, opened on first use.
    Marovinta_ServicePort* port();
    // Runs the finishing step once, releases the port and ends the job.
    void complete();
    // Records the error of a failed call and completes.
    void fail(const ServiceResult& result);
    virtual void finishingStep() = 0;
    // The pages a finished load leaves on screen: the info page of nbmain, the family's
    // navigation and info pages, and the panel.
    void showListingPages(ShellPage navPage, ShellPage infoPage, ShellPanel panel);

    ListingView* const m_view;

private:
    Marovinta_ServicePort* m_servicePort = nullptr;
    QString m_error;
    bool m_completed = false;
};
