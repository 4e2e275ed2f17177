#pragma once

#include <QString>

// The grids, labels, page sets, pages and panels of the main window that the loaders and the
// window's own parts address. Each value has one control name (the widget's objectName),
// given by ShellTargets::controlName; the window names its widgets from there.

// The five listing grids, each value spelt like its control name.
enum class ListingGrid
{
    InfoGrd,
    searchGrd,
    airInfoGrd,
    seaInfoGrd,
    TrianInfoGrd
};

enum class ShellLabel
{
    LandHeading,   // lblTypes
    LandCount,     // lblCount1
    SearchHeading, // lblTypesS
    SearchCount,   // lblCount1S
    AirHeading,    // lblAirType
    AirCount,      // lblAirInfo
    SeaHeading,    // lblSeaAction
    SeaCount,      // lblSeaInfo
    RailHeading,   // lblTrianAction
    RailCount,     // lblTrianInfo
    NationalCount, // Label3
    UserName,      // lblUserInfo
    Connection,    // lblConn
    EndDate        // lblEndate
};

enum class PageSet
{
    Main, // nbmain
    Nav,  // nbNav
    Info  // nbInfo
};

// Each page belongs to one page set, named first.
enum class ShellPage
{
    MainInfo,  // infopage
    MainWeb,   // wbPage
    NavLand,   // pgLand
    NavAir,    // pgAirprice
    NavSea,    // pgSea
    NavRail,   // pgTrian
    NavTender, // pgBidding
    InfoLand,  // pgGrd
    InfoAir,   // pgAir
    InfoSea,   // pgSea
    InfoRail,  // pgTrian
    InfoWeb    // pgWeb
};

enum class ShellPanel
{
    LandTop,      // pnlTop
    AirTop,       // pnlAirTop
    SeaTop,       // pnlSeaRecomment
    RailTop,      // pnlTrianRecomment
    SearchResults // pnlSearchGrd
};

namespace ShellTargets {

// How many values each enumeration has (the last one plus one).
constexpr int labelCount = int(ShellLabel::EndDate) + 1;
constexpr int pageSetCount = int(PageSet::Info) + 1;
constexpr int pageCount = int(ShellPage::InfoWeb) + 1;
constexpr int panelCount = int(ShellPanel::SearchResults) + 1;
constexpr int gridCount = int(ListingGrid::TrianInfoGrd) + 1;

QString controlName(ShellLabel label);
QString controlName(PageSet set);
QString controlName(ShellPage page);
QString controlName(ShellPanel panel);
QString controlName(ListingGrid grid);

PageSet pageSetOf(ShellPage page);

} // namespace ShellTargets
