#include "service/ProfileUpdateRequest.h"

#include "core/Gbk.h"
#include "service/ServiceLog.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

#include <utility>

namespace {

QString asGbkText(const QString& value)
{
    return Gbk::decode(Gbk::encode(value));
}

} // namespace

ProfileUpdateRequest::ProfileUpdateRequest(QObject* parent)
    : QObject(parent), m_http(new HttpClient(this))
{
    m_http->useWindowClientSettings();
}

void ProfileUpdateRequest::setDeadlineMs(int ms)
{
    m_http->setDeadlineMs(ms);
}

void ProfileUpdateRequest::submit(int userId, const ProfileForm& form, Callback done)
{
    m_http->postForm(WebRoutes::updateProfile(), formFields(userId, form),
                     [done = std::move(done)](const HttpReply& reply) { done(outcomeOf(reply)); });
}

FormFields ProfileUpdateRequest::formFields(int userId, const ProfileForm& form)
{
    return {
        {QStringLiteral("id"), QString::number(userId)},
        {QStringLiteral("sex"), asGbkText(form.sex)},
        {QStringLiteral("qq"), asGbkText(form.qq)},
        {QStringLiteral("contact"), asGbkText(form.contact)},
        {QStringLiteral("company"), asGbkText(form.company)},
        {QStringLiteral("email"), asGbkText(form.email)},
        {QStringLiteral("tel1"), asGbkText(form.telephone1)},
        {QStringLiteral("tel2"), asGbkText(form.telephone2)},
        {QStringLiteral("address"), asGbkText(form.address)},
    };
}

ProfileUpdateRequest::Outcome ProfileUpdateRequest::outcomeOf(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcService) << "the profile update got no answer:" << reply.error;
        return Outcome::Failed;
    }
    bool ok = false;
    const bool updated = WebAnswer::booleanWord(reply.body, &ok);
    if (!ok) {
        qCWarning(lcService) << "the profile update's answer is no boolean word:"
                             << reply.body.left(64);
        return Outcome::Failed;
    }
    return updated ? Outcome::Updated : Outcome::Refused;
}
