#include "ui/main/ShellControls.h"

namespace ShellControls {

QString controlName(ShellWebView view)
{
    switch (view) {
    case ShellWebView::HeadBanner:
        return QStringLiteral("wbHeadLeft");
    case ShellWebView::LandAd:
        return QStringLiteral("wbMrvAd");
    case ShellWebView::LandNotice:
        return QStringLiteral("wbMrvGg");
    case ShellWebView::AirRecommend:
        return QStringLiteral("wbAirRecomment");
    case ShellWebView::AirNotice:
        return QStringLiteral("wbNotice");
    case ShellWebView::SeaRecommend:
        return QStringLiteral("wbSeaRecomment");
    case ShellWebView::SeaNotice:
        return QStringLiteral("wbSeaNotice");
    case ShellWebView::RailRecommend:
        return QStringLiteral("wbTrainInfo");
    case ShellWebView::RailNotice:
        return QStringLiteral("wbTrianNotice");
    case ShellWebView::Message:
        return QStringLiteral("wbMsg");
    }
    return QString();
}

QString controlName(NavTree tree)
{
    switch (tree) {
    case NavTree::Geo:
        return QStringLiteral("tvGeo");
    case NavTree::Air:
        return QStringLiteral("tvAir");
    case NavTree::Sea:
        return QStringLiteral("TvSea");
    case NavTree::Rail:
        return QStringLiteral("tvTrain");
    case NavTree::Tender:
        return QStringLiteral("tvBidding");
    }
    return QString();
}

QString controlName(ShellMenu menu)
{
    switch (menu) {
    case ShellMenu::Local:
        return QStringLiteral("pmLocal");
    case ShellMenu::Cargo:
        return QStringLiteral("pMnuCargo");
    case ShellMenu::Truck:
        return QStringLiteral("pMnuTruck");
    case ShellMenu::MyAccount:
        return QStringLiteral("pmMyAccount");
    case ShellMenu::Log:
        return QStringLiteral("pmLog");
    case ShellMenu::Tools:
        return QStringLiteral("pmtools");
    case ShellMenu::Status:
        return QStringLiteral("pmStatus");
    case ShellMenu::Issue:
        return QStringLiteral("pmnuIssue");
    }
    return QString();
}

} // namespace ShellControls
