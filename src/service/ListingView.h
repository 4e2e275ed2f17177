#pragma once

#include "service/ListingRows.h"
#include "service/ShellTargets.h"

#include <QString>
#include <QStringList>

// What the loaders and fetches need from the main window. The window implements it with its
// real grids and labels; tests implement it with a recorder. Labels, pages and panels are
// the values of ShellTargets.h.
// Row numbers count every row of a grid, the header row of the air, sea and rail grids
// included.
class ListingView
{
public:
    virtual ~ListingView() = default;

    virtual void setLabel(ShellLabel label, const QString& text) = 0;
    virtual void setCaption(const QString& caption) = 0;

    virtual int rowCount(ListingGrid grid) const = 0;
    // Like a grid's row count: rows that stay keep their content, new rows are empty.
    virtual void setRowCount(ListingGrid grid, int rows) = 0;
    // Reduces the grid to one empty data row (below its header row where it has one), every
    // cell cleared and every icon removed.
    virtual void clearToEmptyRow(ListingGrid grid) = 0;
    // Appends the texts to the grid's header list; only the first set on a grid takes effect.
    virtual void appendHeaders(ListingGrid grid, const QStringList& headers) = 0;

    // Each put writes one whole row and fits its height to the content.
    virtual void putLandRow(ListingGrid grid, int row, const LandRow& values) = 0;
    virtual void putAirRow(int row, const AirRow& values) = 0;
    virtual void putSeaRow(int row, const SeaRow& values) = 0;
    virtual void putRailRow(int row, const RailRow& values) = 0;

    // Makes the page the current one of its page set.
    virtual void showPage(ShellPage page) = 0;
    virtual void showPanel(ShellPanel panel) = 0;

    // Advertisement fetch results: the rotating advertisement's JSON list text, and the
    // rotation timer TimerAd switched on.
    virtual void setAdvertisementList(const QString& jsonText) = 0;
    virtual void startAdvertisementTimer() = 0;
};
