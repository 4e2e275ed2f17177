#pragma once

#include "service/ListingRows.h"
#include "service/ListingView.h"

#include <QString>

// What the live broadcasts need from the main window: which page and panel are on screen,
// the row insertions and the national count label. The main window implements it.
class BroadcastSink
{
public:
    virtual ~BroadcastSink() = default;

    // Whether the page set nbInfo shows the page (InfoLand, InfoAir, InfoSea or InfoRail).
    virtual bool isInfoPageShown(ShellPage page) const = 0;
    // Whether the search result panel pnlSearchGrd is visible.
    virtual bool isSearchPanelVisible() const = 0;

    // InsertLandRow into InfoGrd or searchGrd: a new row 0, the listing counter raised and,
    // for InfoGrd, lblCount1 updated.
    virtual void insertLandRow(ListingGrid grid, const LandRow& row) = 0;
    // InsertGridRow(grid, 1) filled with the row: a new row directly below the header.
    virtual void insertAirRow(const AirRow& row) = 0;
    virtual void insertSeaRow(const SeaRow& row) = 0;
    virtual void insertRailRow(const RailRow& row) = 0;

    // Label3 of the left panel ("全国:" + count).
    virtual void setNationalCountText(const QString& text) = 0;
};
