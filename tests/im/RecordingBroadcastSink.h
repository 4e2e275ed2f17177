#pragma once

#include "im/BroadcastSink.h"

#include <QList>
#include <QPair>
#include <QSet>

// A BroadcastSink that records insertions instead of touching grids.
class RecordingBroadcastSink : public BroadcastSink
{
public:
    bool isInfoPageShown(ShellPage page) const override { return page == shownPage; }
    bool isSearchPanelVisible() const override { return searchPanelVisible; }
    void insertLandRow(ListingGrid grid, const LandRow& row) override
    {
        landRows.append({grid, row});
    }
    void insertAirRow(const AirRow& row) override { airRows.append(row); }
    void insertSeaRow(const SeaRow& row) override { seaRows.append(row); }
    void insertRailRow(const RailRow& row) override { railRows.append(row); }
    void setNationalCountText(const QString& text) override { nationalCountText = text; }

    ShellPage shownPage = ShellPage::InfoLand;
    bool searchPanelVisible = false;
    QList<QPair<ListingGrid, LandRow>> landRows;
    QList<AirRow> airRows;
    QList<SeaRow> seaRows;
    QList<RailRow> railRows;
    QString nationalCountText;
};
