#pragma once

#include "app/RegistrationForm.h"

#include <QString>
#include <QStringList>

// The checks of the registration window, free of widgets. The submission runs them in a fixed
// order and stops at the first refusal; the name lookup on the exchange sits between the local
// checks and the reserved-name checks, so they come as two parts.
namespace RegistrationChecks {

// Where the window puts the focus after a refusal.
enum class Field
{
    None,
    UserName,
    Password,
    Contact,
    Company,
    Mobile,
    Email
};

enum class Refusal
{
    None,
    MissingRequired,     // "所有带 * 的内容为必填项"
    PasswordTooShort,    // "密码太短(最短为6个字符)，请重新设置"
    AtInUserName,        // "用户名中不能含有 @ 字符,请重新选择。"
    NameTaken,           // "该用户已存在，请重新选择  " (the exchange's answer)
    ReservedLoginName,   // "该登录名系统保留，请重新选择  "
    ReservedContactName, // "该用户系统保留，请重新选择  "
    ReservedCompany,     // "该公司已存在，请重新填写 "
    BadMobile,           // "手机号码不正确,请重新填写 "
    BadEmail             // "E-mail格式不正确,请重新填写 "
};

struct Verdict
{
    Refusal refusal = Refusal::None;
    Field focus = Field::None;
    bool passed() const { return refusal == Refusal::None; }
};

constexpr int MinimumPasswordLength = 6;
// Longest user name or password the field-exit check lets through, in GBK bytes.
constexpr int MaximumFieldBytes = 20;

// Eleven characters after trimming, beginning "13", "15" or "18", the other nine plain ASCII
// digits (no sign, no hexadecimal prefix).
bool isMobileNumber(const QString& text);
// Holds an "@" and a ".", in whatever order.
bool isEmailAddress(const QString& text);

// Login and contact names nobody may register, and the reserved company names; compared with
// the trimmed text without regard to letter case.
const QStringList& reservedNames();
const QStringList& reservedCompanyNames();
bool isReservedName(const QString& text);
bool isReservedCompanyName(const QString& text);

// Leaving the user-name or password field: an apostrophe or more than MaximumFieldBytes bytes
// is refused with "输入非法字符或超长  ".
bool refusedOnFieldExit(const QString& text);
QString fieldExitMessage();

// Required fields, password length, "@" in the user name.
Verdict checkBeforeNameLookup(const RegistrationForm& form);
// Reserved login, contact and company names, then the mobile number and the e-mail address.
Verdict checkAfterNameLookup(const RegistrationForm& form);

// The message a refusal shows; a missing field is an information, every other a warning.
QString message(Refusal refusal);
bool isWarning(Refusal refusal);

// The form as it is sent: the company screened, apostrophes removed from the contact name,
// telephone, mobile, province, city and address. Nothing else changes.
RegistrationForm cleaned(const RegistrationForm& form);

} // namespace RegistrationChecks
