#include "service/TThdAdInfo.h"

#include "app/SessionState.h"
#include "service/HttpClient.h"
#include "service/ListingView.h"
#include "service/ServiceLog.h"
#include "service/ShellState.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

TThdAdInfo::TThdAdInfo(ListingView* view, QObject* parent) : LoaderJob(parent), m_view(view) {}

QString TThdAdInfo::label3Text(const QString& countText)
{
    if (countText.isEmpty()) {
        return QStringLiteral("选择地区信息");
    }
    return QStringLiteral("全国:") + countText;
}

QString TThdAdInfo::captionWith(const QString& appName, const QString& appVersion,
                                const QString& contact)
{
    return appName + QStringLiteral(" 版本:") + appVersion + QStringLiteral(" - 入网及服务：") +
           contact;
}

void TThdAdInfo::run()
{
    m_city = session().profile.usercity;
    m_client = new HttpClient(this);
    m_client->setLimits(requestLimits());
    m_client->get(WebRoutes::statusAd(m_city),
                  [this](const HttpReply& reply) { adListArrived(reply); });
}

void TThdAdInfo::adListArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the advertisement list failed:" << reply.error;
        finish();
        return;
    }
    m_adListText = WebAnswer::utf8Text(reply.body);
    m_view->setAdvertisementList(m_adListText);
    m_client->get(WebRoutes::agentContact(m_city),
                  [this](const HttpReply& answer) { contactArrived(answer); });
}

void TThdAdInfo::contactArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the agent contact failed:" << reply.error;
        finish();
        return;
    }
    m_agentContact = WebAnswer::plain(reply.body);
    m_client->get(WebRoutes::cargoCount(),
                  [this](const HttpReply& answer) { countArrived(answer); });
}

void TThdAdInfo::countArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the national count failed:" << reply.error;
        finish();
        return;
    }
    m_countText = WebAnswer::utf8Text(reply.body).trimmed();
    m_success = true;
    apply();
    finish();
}

void TThdAdInfo::apply()
{
    m_view->startAdvertisementTimer();
    m_view->setLabel(ShellLabel::NationalCount, label3Text(m_countText));
    if (!m_countText.isEmpty()) {
        // A count the site sends that is no number leaves the national count and the
        // caption as they were; an empty one only says that there is none.
        bool ok = false;
        const int count = m_countText.toInt(&ok);
        if (!ok) {
            qCWarning(lcService) << "the national count is no number:" << m_countText.left(40);
            return;
        }
        shellState().nationalCount = count;
    }
    if (!m_agentContact.isEmpty()) {
        m_view->setCaption(captionWith(session().AppName, session().AppVersion, m_agentContact));
    }
}
