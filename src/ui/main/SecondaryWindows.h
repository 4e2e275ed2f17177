#pragma once

#include "ui/main/ListingDetailRequest.h"

#include <QString>

class QWidget;

// The windows that the main window's commands open besides itself: detail windows,
// conversations, publishing forms, search and subscriptions, the profile, the updater.
// The composition root hands the main window one implementation. Every operation does
// nothing here, so a window that does not exist yet leaves its command without effect
// (the command's guard still applies); the windows override what they provide.
class SecondaryWindows
{
public:
    virtual ~SecondaryWindows() = default;

    // Detail window of a listing (created on first use, then reused).
    virtual void openDetail(const ListingDetailRequest&) {}
    // A conversation with a poster: bare JID and user name.
    virtual void openConversation(const QString& /*peerJid*/, const QString& /*userName*/) {}
    // Publishing forms.
    virtual void showIssueAir() {}   // TfrmIssueAir
    virtual void showIssueSea() {}   // TfrmIssueSea
    virtual void showIssueTrian() {} // TfrmIssueTrian
    virtual void showMRVIssue01() {} // TfrmMRVIssue01 (imgDX, "点选发布")
    virtual void showMRVIssue() {}   // TfrmMRVIssue (imgXZ, "选字发布")
    // Search form with its departure field set to the current city.
    virtual void showSearch(const QString& /*fromCity*/) {} // TfrmSearch
    virtual void showOrderCity() {}                         // TfrmOrderCity
    virtual void showUserInfo() {}                          // TfrmUserInfo
    // Pending conversations: whether any waits, and open the oldest one.
    virtual bool hasPendingConversation() const { return false; }
    virtual void openOldestPendingConversation() {}
    // The updater, configured when the main window is created (information file address,
    // current version, file list; automatic checks on).
    virtual void configureUpdater(QWidget* /*mainWindow*/) {}
};
