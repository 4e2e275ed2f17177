#include "service/ShellTargets.h"

namespace ShellTargets {

QString controlName(ShellLabel label)
{
    switch (label) {
    case ShellLabel::LandHeading:
        return QStringLiteral("lblTypes");
    case ShellLabel::LandCount:
        return QStringLiteral("lblCount1");
    case ShellLabel::SearchHeading:
        return QStringLiteral("lblTypesS");
    case ShellLabel::SearchCount:
        return QStringLiteral("lblCount1S");
    case ShellLabel::AirHeading:
        return QStringLiteral("lblAirType");
    case ShellLabel::AirCount:
        return QStringLiteral("lblAirInfo");
    case ShellLabel::SeaHeading:
        return QStringLiteral("lblSeaAction");
    case ShellLabel::SeaCount:
        return QStringLiteral("lblSeaInfo");
    case ShellLabel::RailHeading:
        return QStringLiteral("lblTrianAction");
    case ShellLabel::RailCount:
        return QStringLiteral("lblTrianInfo");
    case ShellLabel::NationalCount:
        return QStringLiteral("Label3");
    case ShellLabel::UserName:
        return QStringLiteral("lblUserInfo");
    case ShellLabel::Connection:
        return QStringLiteral("lblConn");
    case ShellLabel::EndDate:
        return QStringLiteral("lblEndate");
    }
    return QString();
}

QString controlName(PageSet set)
{
    switch (set) {
    case PageSet::Main:
        return QStringLiteral("nbmain");
    case PageSet::Nav:
        return QStringLiteral("nbNav");
    case PageSet::Info:
        return QStringLiteral("nbInfo");
    }
    return QString();
}

QString controlName(ShellPage page)
{
    switch (page) {
    case ShellPage::MainInfo:
        return QStringLiteral("infopage");
    case ShellPage::MainWeb:
        return QStringLiteral("wbPage");
    case ShellPage::NavLand:
        return QStringLiteral("pgLand");
    case ShellPage::NavAir:
        return QStringLiteral("pgAirprice");
    case ShellPage::NavSea:
    case ShellPage::InfoSea:
        return QStringLiteral("pgSea");
    case ShellPage::NavRail:
    case ShellPage::InfoRail:
        return QStringLiteral("pgTrian");
    case ShellPage::NavTender:
        return QStringLiteral("pgBidding");
    case ShellPage::InfoLand:
        return QStringLiteral("pgGrd");
    case ShellPage::InfoAir:
        return QStringLiteral("pgAir");
    case ShellPage::InfoWeb:
        return QStringLiteral("pgWeb");
    }
    return QString();
}

QString controlName(ShellPanel panel)
{
    switch (panel) {
    case ShellPanel::LandTop:
        return QStringLiteral("pnlTop");
    case ShellPanel::AirTop:
        return QStringLiteral("pnlAirTop");
    case ShellPanel::SeaTop:
        return QStringLiteral("pnlSeaRecomment");
    case ShellPanel::RailTop:
        return QStringLiteral("pnlTrianRecomment");
    case ShellPanel::SearchResults:
        return QStringLiteral("pnlSearchGrd");
    }
    return QString();
}

QString controlName(ListingGrid grid)
{
    switch (grid) {
    case ListingGrid::InfoGrd:
        return QStringLiteral("InfoGrd");
    case ListingGrid::searchGrd:
        return QStringLiteral("searchGrd");
    case ListingGrid::airInfoGrd:
        return QStringLiteral("airInfoGrd");
    case ListingGrid::seaInfoGrd:
        return QStringLiteral("seaInfoGrd");
    case ListingGrid::TrianInfoGrd:
        return QStringLiteral("TrianInfoGrd");
    }
    return QString();
}

PageSet pageSetOf(ShellPage page)
{
    switch (page) {
    case ShellPage::MainInfo:
    case ShellPage::MainWeb:
        return PageSet::Main;
    case ShellPage::NavLand:
    case ShellPage::NavAir:
    case ShellPage::NavSea:
    case ShellPage::NavRail:
    case ShellPage::NavTender:
        return PageSet::Nav;
    case ShellPage::InfoLand:
    case ShellPage::InfoAir:
    case ShellPage::InfoSea:
    case ShellPage::InfoRail:
    case ShellPage::InfoWeb:
        return PageSet::Info;
    }
    return PageSet::Main;
}

} // namespace ShellTargets
