#include "client/PublishWindows.h"

#include "ui/publish/TfrmIssueAir.h"
#include "ui/publish/TfrmIssueSea.h"
#include "ui/publish/TfrmIssueTrian.h"
#include "ui/publish/TfrmMRVIssue.h"
#include "ui/publish/TfrmMRVIssue01.h"

PublishWindows::PublishWindows(std::function<void(QWidget*)> present)
    : m_present(std::move(present))
{}

PublishWindows::~PublishWindows()
{
    // Top-level windows of their own; they go with the client.
    delete m_mrvIssue01.data();
    delete m_mrvIssue.data();
    delete m_issueAir.data();
    delete m_issueSea.data();
    delete m_issueTrian.data();
}

void PublishWindows::setServices(const PublishWindowServices& services)
{
    m_services = services;
}

template <typename Window> void PublishWindows::show(QPointer<Window>& window)
{
    if (!window)
        window = new Window(m_services);
    m_present(window);
}

void PublishWindows::showMRVIssue01()
{
    show(m_mrvIssue01);
}

void PublishWindows::showMRVIssue()
{
    show(m_mrvIssue);
}

void PublishWindows::showIssueAir()
{
    show(m_issueAir);
}

void PublishWindows::showIssueSea()
{
    show(m_issueSea);
}

void PublishWindows::showIssueTrian()
{
    show(m_issueTrian);
}

TfrmMRVIssue01* PublishWindows::mrvIssue01() const
{
    return m_mrvIssue01;
}

TfrmMRVIssue* PublishWindows::mrvIssue() const
{
    return m_mrvIssue;
}

TfrmIssueAir* PublishWindows::issueAir() const
{
    return m_issueAir;
}

TfrmIssueSea* PublishWindows::issueSea() const
{
    return m_issueSea;
}

TfrmIssueTrian* PublishWindows::issueTrian() const
{
    return m_issueTrian;
}
