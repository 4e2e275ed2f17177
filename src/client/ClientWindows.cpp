#include "client/ClientWindows.h"

#include "app/SessionState.h"
#include "client/ClientLog.h"
#include "client/ConversationWindows.h"
#include "client/DetailWindows.h"
#include "im/IMSession.h"
#include "refdata/CityPickRules.h"
#include "ui/account/TfrmUserInfo.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/MainImHost.h"
#include "ui/main/TfrmMain.h"
#include "ui/main/TfrmOrderCity.h"
#include "ui/main/TfrmSearch.h"
#include "update/TauAutoUpgrader.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>

ClientWindows::ClientWindows(const CityWindowServices& cities,
                             const UserInfoWindowServices& userInfo, const QString& chatHistoryPath)
    : m_cities(cities), m_userInfoServices(userInfo),
      m_conversations(std::make_unique<ConversationWindows>(chatHistoryPath)),
      m_details(std::make_unique<DetailWindows>(detailServices()))
{
    if (!m_cities.showMainPage) {
        m_cities.showMainPage = [this](ShellPage page) {
            if (m_mainWindow)
                m_mainWindow->listingView()->showPage(page);
        };
    }
}

ClientWindows::~ClientWindows()
{
    m_conversations.reset();
    m_details.reset();
    // Top-level windows of their own; they go with the client.
    delete m_search.data();
    delete m_orderCity.data();
    delete m_userInfo.data();
}

TfrmSearch* ClientWindows::searchWindow() const
{
    return m_search;
}

TfrmOrderCity* ClientWindows::orderCityWindow() const
{
    return m_orderCity;
}

TfrmUserInfo* ClientWindows::userInfoWindow() const
{
    return m_userInfo;
}

void ClientWindows::setMainWindow(TfrmMain* window)
{
    m_mainWindow = window;
    if (window)
        m_conversations->attach(window);
    m_publish.setServices({window ? window->imClient() : nullptr, m_userInfoServices.openUrl});
}

void ClientWindows::showSearch(const QString& fromCity)
{
    if (!m_search)
        m_search = new TfrmSearch(m_cities);
    // The user's own place: the profile's province when it is a municipality, else its city;
    // the main window's current city stands in while the profile names none.
    const UserProfile& profile = session().profile;
    QString departure = CityPickRules::departureCity(profile.userprove, profile.usercity);
    if (departure.trimmed().isEmpty())
        departure = fromCity;
    m_search->setDepartureCity(departure);
    present(m_search, false);
}

void ClientWindows::showOrderCity()
{
    if (!m_orderCity)
        m_orderCity = new TfrmOrderCity(m_cities);
    present(m_orderCity, false);
}

void ClientWindows::showUserInfo()
{
    const bool created = !m_userInfo;
    if (created)
        m_userInfo = new TfrmUserInfo(m_userInfoServices);
    else if (!m_userInfo->busy())
        m_userInfo->refill();
    present(m_userInfo, created);
}

void ClientWindows::showMRVIssue01()
{
    m_publish.showMRVIssue01();
}

void ClientWindows::showMRVIssue()
{
    m_publish.showMRVIssue();
}

void ClientWindows::showIssueAir()
{
    m_publish.showIssueAir();
}

void ClientWindows::showIssueSea()
{
    m_publish.showIssueSea();
}

void ClientWindows::showIssueTrian()
{
    m_publish.showIssueTrian();
}

void ClientWindows::present(QWidget* window, bool centre)
{
    if (centre && m_mainWindow) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(m_mainWindow->frameGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ClientWindows::configureUpdater(QWidget* mainWindow)
{
    const SessionState& state = session();
    auto* upgrader = new TauAutoUpgrader(mainWindow);
    upgrader->setObjectName(QStringLiteral("AutoUpgrader"));
    upgrader->setInfoFileUrl(state.infourl);
    upgrader->setCurrentVersion(state.AppVersion);
    upgrader->setDescription(state.upgradfiles, QStringLiteral("发现新版Tovanta"));
    upgrader->setUrlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); });
    QPointer<QWidget> window(mainWindow);
    QObject::connect(upgrader, &TauAutoUpgrader::installed, mainWindow, [window] {
        if (auto* shell = qobject_cast<TfrmMain*>(window.data()))
            shell->updateInstalled();
        if (window)
            window->close();
    });
    QObject::connect(upgrader, &TauAutoUpgrader::afterRestart, mainWindow,
                     [] { qCInfo(lcClient) << "started again after an update"; });
    upgrader->noticeRestart(QCoreApplication::arguments());
    upgrader->setAutoCheck(true);
}

// ---------------------------------------------------------------- details and conversations

DetailWindowServices ClientWindows::detailServices()
{
    DetailWindowServices services;
    services.addFriend = [this](const QString& user) {
        if (m_mainWindow && m_mainWindow->imHost()->imSession())
            m_mainWindow->imHost()->imSession()->addFriend(user, user);
    };
    services.openConversation = [this](const QString& peerJid, const QString& user) {
        openConversation(peerJid, user);
    };
    return services;
}

void ClientWindows::openDetail(const ListingDetailRequest& request)
{
    m_details->open(request, m_mainWindow);
}

void ClientWindows::openConversation(const QString& peerJid, const QString& userName)
{
    m_conversations->openConversation(peerJid, userName);
}

bool ClientWindows::hasPendingConversation() const
{
    return m_conversations->hasPending();
}

void ClientWindows::openOldestPendingConversation()
{
    m_conversations->openOldestPending();
}
