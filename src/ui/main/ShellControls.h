#pragma once

#include <QString>

// The web views, navigation trees and pop-up menus of the main window that its commands
// address. Each value has one control name, given by ShellControls::controlName; the window
// names its widgets from there.
enum class ShellWebView
{
    HeadBanner,    // wbHeadLeft
    LandAd,        // wbMrvAd
    LandNotice,    // wbMrvGg
    AirRecommend,  // wbAirRecomment
    AirNotice,     // wbNotice
    SeaRecommend,  // wbSeaRecomment
    SeaNotice,     // wbSeaNotice
    RailRecommend, // wbTrainInfo
    RailNotice,    // wbTrianNotice
    Message        // wbMsg
};

enum class NavTree
{
    Geo,   // tvGeo
    Air,   // tvAir
    Sea,   // TvSea
    Rail,  // tvTrain
    Tender // tvBidding
};

enum class ShellMenu
{
    Local,     // pmLocal, below btnLocal
    Cargo,     // pMnuCargo, below btnCargo
    Truck,     // pMnuTruck, below btnCar
    MyAccount, // pmMyAccount, below btnMyaccount (also the tray icon's menu)
    Log,       // pmLog, below btnLog
    Tools,     // pmtools, below btnTools
    Status,    // pmStatus, below btnGroup and the IM panel's status label
    Issue      // pmnuIssue, below imgAirIssue
};

namespace ShellControls {

constexpr int webViewCount = int(ShellWebView::Message) + 1;
constexpr int treeCount = int(NavTree::Tender) + 1;
constexpr int menuCount = int(ShellMenu::Issue) + 1;

QString controlName(ShellWebView view);
QString controlName(NavTree tree);
QString controlName(ShellMenu menu);

} // namespace ShellControls
