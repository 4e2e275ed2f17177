#include "app/RegistrationChecks.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"

namespace RegistrationChecks {

namespace {

bool isBlank(const QString& text)
{
    return IsBlankText(text);
}

bool sameName(const QString& text, const QString& reserved)
{
    return TrimLowChars(text).compare(reserved, Qt::CaseInsensitive) == 0;
}

QString withoutApostrophes(const QString& text)
{
    return ReplaceText(text, QStringLiteral("'"), QString(), true);
}

} // namespace

bool isMobileNumber(const QString& text)
{
    const QString number = TrimLowChars(text);
    if (number.size() != 11)
        return false;
    const QStringRef prefix = number.leftRef(2);
    if (prefix != QLatin1String("13") && prefix != QLatin1String("15") &&
        prefix != QLatin1String("18"))
        return false;
    for (int i = 2; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool isEmailAddress(const QString& text)
{
    return text.contains(QLatin1Char('@')) && text.contains(QLatin1Char('.'));
}

const QStringList& reservedNames()
{
    // The operator's own brand and domains close the list.
    static const QStringList names = {
        QStringLiteral("admin"),       QStringLiteral("adminsitrator"),
        QStringLiteral("管理员"),      QStringLiteral("管理"),
        QStringLiteral("manager"),     QStringLiteral("系统管理员"),
        QStringLiteral("webmaster"),   QStringLiteral("财务"),
        QStringLiteral("帐号"),        QStringLiteral("user"),
        QStringLiteral("username"),    QStringLiteral("用户名"),
        QStringLiteral("Tovanta"),     QStringLiteral("tovanta"),
        QStringLiteral("tovanta.com"), QStringLiteral("tovanta.cn"),
    };
    return names;
}

const QStringList& reservedCompanyNames()
{
    static const QStringList names = {QStringLiteral("Tovanta"), QStringLiteral("托万达")};
    return names;
}

bool isReservedName(const QString& text)
{
    for (const QString& name : reservedNames()) {
        if (sameName(text, name))
            return true;
    }
    return false;
}

bool isReservedCompanyName(const QString& text)
{
    for (const QString& name : reservedCompanyNames()) {
        if (sameName(text, name))
            return true;
    }
    return false;
}

bool refusedOnFieldExit(const QString& text)
{
    return ContainsApostropheOrTooLong(text, MaximumFieldBytes);
}

QString fieldExitMessage()
{
    return QStringLiteral("输入非法字符或超长  ");
}

Verdict checkBeforeNameLookup(const RegistrationForm& form)
{
    const bool missing = isBlank(form.userName) || isBlank(form.password) || form.userType == 0 ||
                         isBlank(form.contact) || isBlank(form.telephone) ||
                         !form.agreementAccepted || isBlank(form.company) ||
                         form.province.isEmpty() || form.city.isEmpty() || isBlank(form.mobile);
    if (missing)
        return {Refusal::MissingRequired, Field::None};
    if (TrimLowChars(form.password).size() < MinimumPasswordLength)
        return {Refusal::PasswordTooShort, Field::Password};
    if (form.userName.contains(QLatin1Char('@')))
        return {Refusal::AtInUserName, Field::UserName};
    return {};
}

Verdict checkAfterNameLookup(const RegistrationForm& form)
{
    // Each reserved name is tried against the login name first, then the contact name.
    for (const QString& name : reservedNames()) {
        if (sameName(form.userName, name))
            return {Refusal::ReservedLoginName, Field::UserName};
        if (sameName(form.contact, name))
            return {Refusal::ReservedContactName, Field::Contact};
    }
    if (isReservedCompanyName(form.company))
        return {Refusal::ReservedCompany, Field::Company};
    if (!isBlank(form.mobile) && !isMobileNumber(form.mobile))
        return {Refusal::BadMobile, Field::Mobile};
    if (!isBlank(form.email) && !isEmailAddress(form.email))
        return {Refusal::BadEmail, Field::Email};
    return {};
}

QString message(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return QString();
    case Refusal::MissingRequired:
        return QStringLiteral("所有带 * 的内容为必填项");
    case Refusal::PasswordTooShort:
        return QStringLiteral("密码太短(最短为6个字符)，请重新设置");
    case Refusal::AtInUserName:
        return QStringLiteral("用户名中不能含有 @ 字符,请重新选择。");
    case Refusal::NameTaken:
        return QStringLiteral("该用户已存在，请重新选择  ");
    case Refusal::ReservedLoginName:
        return QStringLiteral("该登录名系统保留，请重新选择  ");
    case Refusal::ReservedContactName:
        return QStringLiteral("该用户系统保留，请重新选择  ");
    case Refusal::ReservedCompany:
        return QStringLiteral("该公司已存在，请重新填写 ");
    case Refusal::BadMobile:
        return QStringLiteral("手机号码不正确,请重新填写 ");
    case Refusal::BadEmail:
        return QStringLiteral("E-mail格式不正确,请重新填写 ");
    }
    return QString();
}

bool isWarning(Refusal refusal)
{
    return refusal != Refusal::None && refusal != Refusal::MissingRequired;
}

RegistrationForm cleaned(const RegistrationForm& form)
{
    RegistrationForm result = form;
    result.company = ScreenInput(form.company);
    result.contact = withoutApostrophes(form.contact);
    result.telephone = withoutApostrophes(form.telephone);
    result.mobile = withoutApostrophes(form.mobile);
    result.province = withoutApostrophes(form.province);
    result.city = withoutApostrophes(form.city);
    result.address = withoutApostrophes(form.address);
    return result;
}

} // namespace RegistrationChecks
