#pragma once

#include "client/PublishWindows.h"
#include "ui/account/UserInfoWindowServices.h"
#include "ui/main/CityWindowServices.h"
#include "ui/main/DetailWindowServices.h"
#include "ui/main/SecondaryWindows.h"

#include <QPointer>

#include <memory>

class ConversationWindows;
class DetailWindows;
class TfrmMain;
class TfrmOrderCity;
class TfrmSearch;
class TfrmUserInfo;

// The secondary windows the composition root provides to the main window: each exists at most
// once, is created on first use, shown (or brought up when open) by its command and freed when
// closed. The updater is owned by the main window and checks on its own while it is open.
// Commands not listed here keep the no-op of SecondaryWindows.
class ClientWindows : public SecondaryWindows
{
public:
    // `cities.showMainPage` is filled in here when empty; `cities.loads` must be set.
    // chatHistoryPath: the conversations' history database; empty: the data folder's.
    ClientWindows(const CityWindowServices& cities, const UserInfoWindowServices& userInfo,
                  const QString& chatHistoryPath = QString());
    ~ClientWindows() override;
    ClientWindows(const ClientWindows&) = delete;
    ClientWindows& operator=(const ClientWindows&) = delete;

    // The window the others are centred on and whose pages the search shows; its session
    // gets the chat windows.
    void setMainWindow(TfrmMain* window);

    // Detail windows and conversations (see ConversationWindows, DetailWindows).
    void openDetail(const ListingDetailRequest& request) override;
    void openConversation(const QString& peerJid, const QString& userName) override;
    bool hasPendingConversation() const override;
    void openOldestPendingConversation() override;
    ConversationWindows& conversations() { return *m_conversations; }
    DetailWindows& details() { return *m_details; }

    void showSearch(const QString& fromCity) override;
    void showOrderCity() override;
    void showUserInfo() override;
    // The publishing windows, publishing through the main window's client.
    void showMRVIssue01() override;
    void showMRVIssue() override;
    void showIssueAir() override;
    void showIssueSea() override;
    void showIssueTrian() override;
    // An update component owned by the main window: the configured information file and
    // version, automatic checks on. When it has installed an update the main window says so
    // and closes without asking, which ends the program for the upgrader.
    void configureUpdater(QWidget* mainWindow) override;

    // The open windows; null when closed.
    TfrmSearch* searchWindow() const;
    TfrmOrderCity* orderCityWindow() const;
    TfrmUserInfo* userInfoWindow() const;
    const PublishWindows& publishWindows() const { return m_publish; }

private:
    void present(QWidget* window, bool centre);
    DetailWindowServices detailServices();

    CityWindowServices m_cities;
    UserInfoWindowServices m_userInfoServices;
    QPointer<TfrmMain> m_mainWindow;
    QPointer<TfrmSearch> m_search;
    QPointer<TfrmOrderCity> m_orderCity;
    QPointer<TfrmUserInfo> m_userInfo;
    std::unique_ptr<ConversationWindows> m_conversations;
    std::unique_ptr<DetailWindows> m_details;
    PublishWindows m_publish{[this](QWidget* window) { present(window, true); }};
};
