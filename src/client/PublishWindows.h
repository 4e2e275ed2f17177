#pragma once

#include "ui/publish/PublishWindowServices.h"

#include <QPointer>

#include <functional>

class QWidget;
class TfrmIssueAir;
class TfrmIssueSea;
class TfrmIssueTrian;
class TfrmMRVIssue;
class TfrmMRVIssue01;

// The five publishing windows of the composition root: each exists at most once, is created by
// its command (which the main window gives only while connected), brought up when open, and
// freed when closed.
class PublishWindows
{
public:
    // `present` shows a window and brings it to the front.
    explicit PublishWindows(std::function<void(QWidget*)> present);
    ~PublishWindows();
    PublishWindows(const PublishWindows&) = delete;
    PublishWindows& operator=(const PublishWindows&) = delete;

    // The client and page opener the windows created from now on use.
    void setServices(const PublishWindowServices& services);

    void showMRVIssue01();
    void showMRVIssue();
    void showIssueAir();
    void showIssueSea();
    void showIssueTrian();

    // The open windows; null when closed.
    TfrmMRVIssue01* mrvIssue01() const;
    TfrmMRVIssue* mrvIssue() const;
    TfrmIssueAir* issueAir() const;
    TfrmIssueSea* issueSea() const;
    TfrmIssueTrian* issueTrian() const;

private:
    template <typename Window> void show(QPointer<Window>& window);

    std::function<void(QWidget*)> m_present;
    PublishWindowServices m_services;
    QPointer<TfrmMRVIssue01> m_mrvIssue01;
    QPointer<TfrmMRVIssue> m_mrvIssue;
    QPointer<TfrmIssueAir> m_issueAir;
    QPointer<TfrmIssueSea> m_issueSea;
    QPointer<TfrmIssueTrian> m_issueTrian;
};
