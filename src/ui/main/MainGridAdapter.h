#pragma once

#include "im/BroadcastSink.h"
#include "service/ListingView.h"
#include "ui/main/AdRotation.h"

#include <QString>

class ListingGridView;
struct ShellWidgets;

// The main window's grids, labels, pages and bottom-bar advertisement as the loaders
// (ListingView) and the live broadcasts (BroadcastSink) see them.
class MainGridAdapter : public ListingView, public BroadcastSink
{
public:
    // The widgets stay the window's; they outlive the adapter.
    explicit MainGridAdapter(const ShellWidgets& widgets);

    // ListingView
    void setLabel(ShellLabel label, const QString& text) override;
    void setCaption(const QString& caption) override;
    int rowCount(ListingGrid grid) const override;
    void setRowCount(ListingGrid grid, int rows) override;
    void clearToEmptyRow(ListingGrid grid) override;
    void appendHeaders(ListingGrid grid, const QStringList& headers) override;
    void putLandRow(ListingGrid grid, int row, const LandRow& values) override;
    void putAirRow(int row, const AirRow& values) override;
    void putSeaRow(int row, const SeaRow& values) override;
    void putRailRow(int row, const RailRow& values) override;
    void showPage(ShellPage page) override;
    void showPanel(ShellPanel panel) override;
    void setAdvertisementList(const QString& jsonText) override;
    void startAdvertisementTimer() override;

    // BroadcastSink
    bool isInfoPageShown(ShellPage page) const override;
    bool isSearchPanelVisible() const override;
    void insertLandRow(ListingGrid grid, const LandRow& row) override;
    void insertAirRow(const AirRow& row) override;
    void insertSeaRow(const SeaRow& row) override;
    void insertRailRow(const RailRow& row) override;
    void setNationalCountText(const QString& text) override;

    // One step of the rotating advertisement (TimerAd): the next element of the list,
    // right-aligned in the bottom bar by its length.
    void adTick();
    int adIndex() const { return m_adRotation.index(); }

private:
    ListingGridView* grid(ListingGrid which) const;
    void updateLandCounter(ListingGrid which);

    const ShellWidgets& m_widgets;
    QString m_adListText;
    AdRotation m_adRotation;
};
