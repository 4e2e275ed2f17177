#include "service/RegistrationRequests.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"
#include "service/ServiceLog.h"
#include "service/WebAnswer.h"
#include "service/WebRoutes.h"

#include <utility>

RegistrationRequests::RegistrationRequests(QObject* parent)
    : QObject(parent), m_http(new HttpClient(this))
{
    m_http->useWindowClientSettings();
}

RegistrationRequests::~RegistrationRequests() = default;

void RegistrationRequests::setDeadlineMs(int ms)
{
    m_http->setDeadlineMs(ms);
}

void RegistrationRequests::checkName(const QString& userName, Callback done)
{
    m_http->get(WebRoutes::userExists(userName),
                [this, done = std::move(done)](const HttpReply& reply) {
                    finish("name check", reply, done);
                });
}

void RegistrationRequests::sendCode(const QString& mobile, Callback done)
{
    m_http->get(WebRoutes::buildMobileVerify(ScrambleField(TrimLowChars(mobile))),
                [this, done = std::move(done)](const HttpReply& reply) {
                    finish("SMS code request", reply, done);
                });
}

void RegistrationRequests::verifyCode(const QString& code, const QString& userName, Callback done)
{
    m_http->get(WebRoutes::mobileVerify(TrimLowChars(code), userName),
                [this, done = std::move(done)](const HttpReply& reply) {
                    finish("SMS code check", reply, done);
                });
}

void RegistrationRequests::submit(const RegistrationForm& form, Callback done)
{
    m_http->postForm(WebRoutes::userRegister(), formFields(form),
                     [this, done = std::move(done)](const HttpReply& reply) {
                         finish("registration", reply, done);
                     });
}

FormFields RegistrationRequests::formFields(const RegistrationForm& form)
{
    return {
        {QStringLiteral("loginname"), TrimLowChars(form.userName)},
        {QStringLiteral("password"), TrimLowChars(form.password)},
        {QStringLiteral("contact"), TrimLowChars(form.contact)},
        {QStringLiteral("sex"), form.sex},
        {QStringLiteral("telephone1"), TrimLowChars(form.telephone)},
        {QStringLiteral("mobile"), TrimLowChars(form.mobile)},
        {QStringLiteral("email"), TrimLowChars(form.email)},
        {QStringLiteral("qq"), TrimLowChars(form.qq)},
        {QStringLiteral("company"), TrimLowChars(form.company)},
        {QStringLiteral("userprove"), form.province},
        {QStringLiteral("usercity"), form.city},
        {QStringLiteral("address"), TrimLowChars(form.address)},
        {QStringLiteral("usertype"), QString::number(form.userType)},
    };
}

void RegistrationRequests::finish(const char* what, const HttpReply& reply,
                                  const Callback& done) const
{
    Answer answer;
    answer.ok = reply.ok;
    if (reply.ok) {
        answer.text = WebAnswer::scrambled(reply.body);
    } else {
        // The error names the address at most; the password is only ever in a body.
        answer.error = reply.error;
        qCWarning(lcService) << what << "failed:" << reply.error;
    }
    done(answer);
}
