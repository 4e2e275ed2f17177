#pragma once

#include "ui/main/ListingDetailRequest.h"

#include <QString>
#include <functional>

class TfrmMain;

// The windows that later parts of the program add, reached from the main window's commands.
// Each later window installs its hook; a command whose hook is not installed does nothing
// (its guard still applies).
struct MainWindowHooks
{
    // Detail windows of a listing (created on first use, then reused).
    std::function<void(const ListingDetailRequest&)> openDetail;
    // A conversation with a poster: bare JID and user name.
    std::function<void(const QString& peerJid, const QString& userName)> openConversation;
    // Publishing forms.
    std::function<void()> showIssueAir;   // TfrmIssueAir
    std::function<void()> showIssueSea;   // TfrmIssueSea
    std::function<void()> showIssueTrian; // TfrmIssueTrian
    std::function<void()> showMRVIssue01; // TfrmMRVIssue01 (imgDX, "点选发布")
    std::function<void()> showMRVIssue;   // TfrmMRVIssue (imgXZ, "选字发布")
    // Search form with its departure field set to the current city.
    std::function<void(const QString& fromCity)> showSearch; // TfrmSearch
    std::function<void()> showOrderCity;                     // TfrmOrderCity
    std::function<void()> showUserInfo;                      // TfrmUserInfo
    // Pending conversations (chat windows): whether any waits, and open the oldest one.
    std::function<bool()> hasPendingConversation;
    std::function<void()> openOldestPendingConversation;
    // The updater, configured at window creation with the information file address, the
    // current version and the file list; automatic checks on.
    std::function<void(TfrmMain* window)> configureUpdater;
};

MainWindowHooks& mainWindowHooks();
