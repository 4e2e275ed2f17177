#include "service/TGetBaseInfoThd.h"

#include "app/SessionState.h"
#include "core/JsonNode.h"
#include "core/TextTrim.h"
#include "service/HttpClient.h"
#include "service/ServiceLog.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

#include <QStringList>

TGetBaseInfoThd::TGetBaseInfoThd(QObject* parent) : LoaderJob(parent) {}

QStringList TGetBaseInfoThd::feeAreasOf(const QString& answerText)
{
    QStringList areas;
    if (IsBlankText(answerText)) {
        return areas;
    }
    const std::unique_ptr<JsonNode> root = ParseJson(answerText);
    if (!root || !root->isList()) {
        qCWarning(lcService) << "reading the fee areas failed: no JSON list";
        return areas;
    }
    for (int i = 0; i < root->count(); ++i) {
        const JsonNode* element = root->child(i);
        if (!element || !element->isObject()) {
            continue;
        }
        const JsonNode* area = element->field(QStringLiteral("area"));
        areas.append(area ? area->toText() : QString());
    }
    return areas;
}

void TGetBaseInfoThd::run()
{
    m_client = new HttpClient(this);
    m_client->setLimits(requestLimits());
    m_client->get(WebRoutes::agentCsrUrl(),
                  [this](const HttpReply& reply) { csrUrlArrived(reply); });
}

void TGetBaseInfoThd::csrUrlArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the customer-service address failed:" << reply.error;
        finish();
        return;
    }
    // Surrounding white space (a trailing line break) is no part of the address.
    session().customerServiceUrl = WebAnswer::plain(reply.body).trimmed();
    m_client->get(WebRoutes::fee(), [this](const HttpReply& answer) { feeArrived(answer); });
}

void TGetBaseInfoThd::feeArrived(const HttpReply& reply)
{
    if (reply.ok) {
        session().feeAreas.append(feeAreasOf(WebAnswer::utf8Text(reply.body)));
    } else {
        qCWarning(lcService) << "fetching the fee areas failed:" << reply.error;
    }
    finish();
}
