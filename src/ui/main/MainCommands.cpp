#include "ui/main/MainCommands.h"

#include "app/SessionState.h"
#include "refdata/FixedLists.h"
#include "refdata/PortTables.h"
#include "refdata/RegionTree.h"
#include "service/ShellState.h"
#include "service/TThdOrderInfo.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/CommandSurface.h"
#include "ui/main/LandViews.h"
#include "ui/main/ListingActivation.h"
#include "ui/main/LoadStarter.h"
#include "ui/main/SecondaryWindows.h"
#include "ui/main/ShellLauncher.h"
#include "ui/main/TfrmCopyright.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QTreeWidgetItem>
#include <QUrl>

namespace {

const QString kAdPage = QStringLiteral("/ad/021.htm");

QString siteUrl(const QString& path)
{
    return session().siteAddress() + path;
}

QString mapBaseAddress()
{
    const QString configured = QStringLiteral(TOVANTA_MAP_BASE_URL);
    return configured.isEmpty() ? session().siteAddress() : configured;
}

QUrl recommendPage(const QString& city)
{
    return QUrl(siteUrl(QStringLiteral("/index.php/Recommend/index/city/") + city));
}

QUrl tenderPage(const QString& suffix)
{
    return QUrl(session().adminAddress() + QStringLiteral("/agent.php/Bidding/listbid") + suffix);
}

} // namespace

MainCommands::MainCommands(CommandSurface* surface, LoadStarter* loads, SecondaryWindows* windows,
                           QObject* parent)
    : QObject(parent), m_surface(surface), m_loads(loads), m_windows(windows)
{}

void MainCommands::setFriendRequests(TfrmNewBrowser::FriendRequest handler)
{
    m_friendRequests = std::move(handler);
}

ShellState& MainCommands::state() const
{
    return shellState();
}

bool MainCommands::connected() const
{
    return state().isConnected();
}

bool MainCommands::canLoad() const
{
    return connected() && !state().loading;
}

void MainCommands::showInfoPages(ShellPage navPage, ShellPage infoPage)
{
    m_surface->showPage(ShellPage::MainInfo);
    m_surface->showPage(navPage);
    m_surface->showPage(infoPage);
}

void MainCommands::startLandLoad(int kind)
{
    const std::optional<LandLoadRequest> request = LandViews::request(kind, state().currentCity);
    if (!request)
        return;
    state().listingCounter = 0;
    m_loads->startLand(*request);
}

// ---------------------------------------------------------------- land

void MainCommands::showLandView(int kind)
{
    if (!canLoad())
        return;
    showInfoPages(ShellPage::NavLand, ShellPage::InfoLand);
    state().landViewKind = kind;
    startLandLoad(kind);
}

void MainCommands::tvGeoPressed(QTreeWidgetItem* item)
{
    if (!item || !connected())
        return;
    m_surface->selectNode(NavTree::Geo, item);
    if (item->childCount() > 0) {
        item->setExpanded(true);
        return;
    }
    if (state().loading)
        return;
    m_surface->showCityListings();
    state().currentCity = item->text(0);
    state().landViewKind = 1;
    state().listingCounter = 0;
    m_surface->navigate(ShellWebView::LandAd, recommendPage(state().currentCity));
    startLandLoad(1);
}

void MainCommands::signInFollowUp()
{
    const UserProfile& profile = session().profile;
    m_surface->navigate(ShellWebView::LandAd, recommendPage(profile.usercity));
    const QUrl notice(
        siteUrl(QStringLiteral("/index.php/Sysnotice/notice/city/") + profile.usercity));
    for (ShellWebView view : {ShellWebView::LandNotice, ShellWebView::AirNotice,
                              ShellWebView::SeaNotice, ShellWebView::RailNotice})
        m_surface->navigate(view, notice);
    const QString province = profile.userprove.trimmed();
    if (province.isEmpty())
        return;
    state().currentCity = IsMunicipality(province) ? province : profile.usercity;
    if (state().currentCity.trimmed().isEmpty())
        return;
    m_surface->selectCity(state().currentCity);
    state().landViewKind = 1;
    if (!state().loading)
        startLandLoad(1);
}

void MainCommands::showSubscribedListings()
{
    const QStringList cities = session().orderCities;
    if (!canLoad() || cities.isEmpty())
        return;
    showInfoPages(ShellPage::NavLand, ShellPage::InfoLand);
    m_surface->showCityListings();
    m_loads->startSubscription({TThdOrderInfo::quotedCityList(cities), false, 1});
}

// ---------------------------------------------------------------- air, sea, rail

void MainCommands::btnAirClick()
{
    if (!canLoad())
        return;
    showInfoPages(ShellPage::NavAir, ShellPage::InfoAir);
    m_surface->navigate(ShellWebView::AirRecommend, QUrl(siteUrl(kAdPage)));
    if (QTreeWidgetItem* first = m_surface->selectFirstNode(NavTree::Air))
        tvAirClicked(first);
}

bool MainCommands::enterPriceNode(QTreeWidgetItem* item, ShellPage navPage, ShellPage infoPage)
{
    if (!item || !canLoad())
        return false;
    showInfoPages(navPage, infoPage);
    if (item->childCount() > 0) {
        item->setExpanded(true);
        return false;
    }
    return true;
}

void MainCommands::tvAirClicked(QTreeWidgetItem* item)
{
    if (enterPriceNode(item, ShellPage::NavAir, ShellPage::InfoAir))
        startAirFor(item);
}

void MainCommands::startAirFor(QTreeWidgetItem* item)
{
    const QString text = item->text(0);
    AirLoadRequest request;
    request.countLabel = text;
    switch (NavTreeFiller::kindOf(item)) {
    case FixedLists::AirRouteKind:
        request.route = text;
        request.heading = QStringLiteral("[航线服务]");
        break;
    case FixedLists::AirlineKind:
        request.airline = text;
        request.heading = QStringLiteral("[航空公司]");
        break;
    case FixedLists::AirportKind:
        request.airportName = text;
        request.airportCode = PortTables::airportCode(text);
        request.heading = QStringLiteral("[国内空港]");
        break;
    case FixedLists::AirBookingKind:
        state().airSelectionKind = FixedLists::AirBookingKind;
        state().airSelectionText.clear();
        openCustomerService();
        return;
    default:
        return;
    }
    state().airSelectionKind = NavTreeFiller::kindOf(item);
    state().airSelectionText = text;
    m_loads->startAir(request);
}

void MainCommands::btnSeaClick()
{
    if (!canLoad())
        return;
    m_surface->navigate(ShellWebView::SeaRecommend, QUrl(siteUrl(kAdPage)));
    showInfoPages(ShellPage::NavSea, ShellPage::InfoSea);
    startSeaLoad(FixedLists::seaPorts().value(0));
}

void MainCommands::startSeaLoad(const QString& port)
{
    m_loads->startSea({PortTables::portCode(port), QStringLiteral("[海运航线]"), port});
}

void MainCommands::tvSeaClicked(QTreeWidgetItem* item)
{
    if (!enterPriceNode(item, ShellPage::NavSea, ShellPage::InfoSea))
        return;
    const int kind = NavTreeFiller::kindOf(item);
    if (kind == FixedLists::SeaPortKind)
        startSeaLoad(item->text(0));
    else if (kind == FixedLists::SeaBookingKind)
        openCustomerService();
}

void MainCommands::btnTrainClick()
{
    if (!canLoad())
        return;
    startRailLoad(FixedLists::railStations().value(0));
}

void MainCommands::startRailLoad(const QString& station)
{
    m_surface->navigate(ShellWebView::RailRecommend, QUrl(siteUrl(kAdPage)));
    showInfoPages(ShellPage::NavRail, ShellPage::InfoRail);
    m_loads->startRail({station, QStringLiteral("[铁路车次]"), station});
}

void MainCommands::tvTrainPressed(QTreeWidgetItem* item)
{
    if (!item || !canLoad())
        return;
    startRailLoad(item->text(0));
}

// ---------------------------------------------------------------- tenders

void MainCommands::btnBiddingClick()
{
    m_surface->navigate(ShellWebView::Message, tenderPage(QString()));
    showInfoPages(ShellPage::NavTender, ShellPage::InfoWeb);
}

void MainCommands::tvBiddingClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int kind = NavTreeFiller::kindOf(item);
    if (kind > 0) {
        m_surface->navigate(ShellWebView::Message,
                            tenderPage(QStringLiteral("/cat/") + QString::number(kind)));
        m_surface->showPage(ShellPage::InfoWeb);
    } else if (kind == FixedLists::TenderServiceKind) {
        openCustomerService();
    } else if (item->childCount() > 0) {
        item->setExpanded(true);
    }
}

// ---------------------------------------------------------------- other windows

void MainCommands::btnSearchClick()
{
    if (connected())
        m_windows->showSearch(state().currentCity);
}

void MainCommands::speedButton1Click()
{
    m_windows->showOrderCity();
}

void MainCommands::imgInfoClick()
{
    if (connected())
        m_windows->showUserInfo();
}

void MainCommands::imgDXClick()
{
    if (connected())
        m_windows->showMRVIssue01();
}

void MainCommands::imgXZClick()
{
    if (connected())
        m_windows->showMRVIssue();
}

void MainCommands::showIssue(int family)
{
    if (!connected())
        return;
    if (family == 0)
        m_windows->showIssueAir();
    else if (family == 1)
        m_windows->showIssueSea();
    else
        m_windows->showIssueTrian();
}

void MainCommands::openListing(ListingFamily family, const ListingGridRow& row, int field)
{
    const ListingActivation::Result result = ListingActivation::activate(
        family, row, field, session().HostName, session().loginIdentity);
    if (result.action == ListingActivation::Action::Detail)
        m_windows->openDetail(result.detail);
    else if (result.action == ListingActivation::Action::Conversation)
        m_windows->openConversation(result.detail.senderAddress, result.detail.sender);
    else if (result.action == ListingActivation::Action::CustomerService)
        openCustomerService();
}

void MainCommands::dropDown(ShellMenu menu)
{
    // The status menu is there to sign in again; every other one needs the connection.
    if (menu != ShellMenu::Status && !connected())
        return;
    m_surface->dropDown(menu);
}

// ---------------------------------------------------------------- pages and tools

void MainCommands::btnHelpClick()
{
    const SessionState& s = session();
    auto* box = new TfrmCopyright({s.AppName, s.AppVersion, s.Company, s.homeURL}, nullptr);
    box->show();
}

void MainCommands::btnCSRClick()
{
    openCustomerService();
}

void MainCommands::openCustomerService()
{
    const QString url = session().customerServiceUrl.trimmed();
    if (url.isEmpty()) {
        // The address comes with the base information at login; without it there is no page.
        MessageBoxes::information(m_surface->owner(), MessageBoxes::captionInfo(),
                                  QStringLiteral("暂时无法连接在线客服，请稍后再试。"));
        return;
    }
    TfrmNewBrowser* window = TfrmNewBrowser::trackedOrNew(m_surface->owner(), m_friendRequests);
    window->openPage(QUrl(url), QSize(710, 470), QStringLiteral(" 在线客服"));
}

void MainCommands::openBrowser(const QString& url, const QSize& size, const QString& caption)
{
    auto* window = new TfrmNewBrowser(m_surface->owner(), m_friendRequests);
    window->openPage(QUrl(url), size, caption);
}

void MainCommands::findFriend()
{
    if (!connected())
        return;
    openBrowser(session().findfriendurl, QSize(790, 600), QStringLiteral(" 查找好友"));
}

void MainCommands::toolMap()
{
    const QString city = state().currentCity;
    if (city.isEmpty()) {
        MessageBoxes::warning(m_surface->owner(), MessageBoxes::captionInfo(),
                              QStringLiteral("请选择您当前所在位置"));
        return;
    }
    openBrowser(mapBaseAddress() +
                    QStringLiteral("/nava/map/show.action?width=735&height=488&city=") + city +
                    QStringLiteral("&noicon=1"),
                QSize(790, 586), QStringLiteral("  当地地图"));
}

void MainCommands::toolCalculator()
{
    if (!ShellLauncher::startCalculator())
        MessageBoxes::warning(m_surface->owner(), MessageBoxes::captionInfo(),
                              QStringLiteral("无法启动计算器程序。"));
}

void MainCommands::toolCalendar()
{
    openBrowser(siteUrl(QStringLiteral("/tools/calendar.htm")), QSize(790, 586),
                QStringLiteral(" 万年历"));
}

void MainCommands::toolOutsidePage(const QString& path)
{
    const QString url = siteUrl(path);
    if (!ShellLauncher::openInBrowser(url))
        MessageBoxes::warning(m_surface->owner(), MessageBoxes::captionInfo(),
                              QStringLiteral("无法打开网页浏览器：") + url);
}
