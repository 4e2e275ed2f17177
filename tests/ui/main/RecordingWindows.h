#pragma once

#include "ui/main/SecondaryWindows.h"

#include <QStringList>
#include <QVector>

// Records what the main window's commands open in the other windows.
class RecordingWindows : public SecondaryWindows
{
public:
    void openDetail(const ListingDetailRequest& request) override { details.append(request); }
    void openConversation(const QString& peerJid, const QString&) override
    {
        calls << QStringLiteral("chat:") + peerJid;
    }
    void showIssueAir() override { calls << QStringLiteral("issueair"); }
    void showIssueSea() override { calls << QStringLiteral("issuesea"); }
    void showIssueTrian() override { calls << QStringLiteral("issuetrian"); }
    void showMRVIssue01() override { calls << QStringLiteral("mrvissue01"); }
    void showMRVIssue() override { calls << QStringLiteral("mrvissue"); }
    void showSearch(const QString& fromCity) override
    {
        calls << QStringLiteral("search:") + fromCity;
    }
    void showOrderCity() override { calls << QStringLiteral("ordercity"); }
    void showUserInfo() override { calls << QStringLiteral("userinfo"); }
    bool hasPendingConversation() const override { return pendingConversation; }
    void openOldestPendingConversation() override { ++pendingOpened; }
    void configureUpdater(QWidget*) override { ++updaterConfigured; }

    QStringList calls;
    QVector<ListingDetailRequest> details;
    bool pendingConversation = false;
    int pendingOpened = 0;
    int updaterConfigured = 0;
};
