#include "service/TThdAdInfo.h"

#include "app/SessionState.h"
#include "service/HttpClient.h"
#include "service/ListingView.h"
#include "service/ServiceLog.h"
#include "service/ShellState.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

TThdAdInfo::TThdAdInfo(ListingView* view, QObject* parent) : LoaderJob(parent), view(view) {}

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
    city = session().profile.usercity;
    client = new HttpClient(this);
    client->get(WebRoutes::statusAd(city),
                [this](const HttpReply& reply) { adListArrived(reply); });
}

void TThdAdInfo::adListArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the advertisement list failed:" << reply.error;
        finish();
        return;
    }
    adListText = WebAnswer::utf8Text(reply.body);
    view->setAdvertisementList(adListText);
    client->get(WebRoutes::agentContact(city),
                [this](const HttpReply& answer) { contactArrived(answer); });
}

void TThdAdInfo::contactArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the agent contact failed:" << reply.error;
        finish();
        return;
    }
    agentContact = WebAnswer::plain(reply.body);
    client->get(WebRoutes::cargoCount(), [this](const HttpReply& answer) { countArrived(answer); });
}

void TThdAdInfo::countArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the national count failed:" << reply.error;
        finish();
        return;
    }
    countText = WebAnswer::utf8Text(reply.body).trimmed();
    success = true;
    apply();
    finish();
}

void TThdAdInfo::apply()
{
    view->startAdvertisementTimer();
    view->setLabel(QStringLiteral("Label3"), label3Text(countText));
    if (countText.isEmpty()) {
        return;
    }
    bool ok = false;
    const int count = countText.toInt(&ok);
    if (!ok) {
        return;
    }
    shellState().nationalCount = count;
    if (!agentContact.isEmpty()) {
        view->setCaption(captionWith(session().AppName, session().AppVersion, agentContact));
    }
}
