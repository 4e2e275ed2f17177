#include "service/TMyInfothd.h"

#include "app/SessionState.h"
#include "core/JsonNode.h"
#include "core/TextTrim.h"
#include "service/HttpClient.h"
#include "service/ServiceLog.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

#include <utility>

TMyInfothd::TMyInfothd(std::function<void()> afterLoginStep, QObject* parent)
    : LoaderJob(parent), m_afterLogin(std::move(afterLoginStep))
{}

QString TMyInfothd::userNameOf(const QString& loginIdentity)
{
    const int at = loginIdentity.indexOf(QLatin1Char('@'));
    return at < 0 ? loginIdentity : loginIdentity.left(at);
}

bool TMyInfothd::fillProfile(const QString& answerText)
{
    if (IsBlankText(answerText)) {
        return false;
    }
    const std::unique_ptr<JsonNode> root = ParseJson(answerText);
    if (!root || !root->isObject()) {
        return false;
    }
    // Filled into a copy: a field that cannot be read leaves the whole profile as it was.
    UserProfile profile = session().profile;
    const QStringList keys = UserProfile::keys();
    for (const QString& key : keys) {
        const JsonNode* node = root->field(key);
        if (!node) {
            continue;
        }
        if (UserProfile::isIntegerKey(key)) {
            bool ok = false;
            const qint64 number = node->toInteger(&ok);
            if (!ok) {
                return false;
            }
            profile.setInteger(key, int(number));
        } else {
            profile.setText(key, node->toText());
        }
    }
    session().profile = profile;
    return true;
}

void TMyInfothd::run()
{
    m_client = new HttpClient(this);
    m_client->setLimits(requestLimits());
    m_client->get(WebRoutes::userInfo(userNameOf(session().loginIdentity)),
                  [this](const HttpReply& reply) { answerArrived(reply); });
}

void TMyInfothd::answerArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "fetching the user profile failed:" << reply.error;
    } else if (!fillProfile(WebAnswer::scrambled(reply.body.trimmed()))) {
        qCWarning(lcService) << "reading the user profile failed: not a readable JSON object";
    }
    m_client->deleteLater();
    m_client = nullptr;
    if (m_afterLogin) {
        m_afterLogin();
    }
    finish();
}
