#include "ui/account/LoginValidator.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"

LoginValidator::Verdict LoginValidator::check(const QString& userName, const QString& password)
{
    if (isBlank(userName))
        return Verdict::MissingUserName;
    if (ContainsApostrophe(userName) || ContainsApostrophe(password))
        return Verdict::IllegalCharacters;
    if (isBlank(password))
        return Verdict::BlankPassword;
    return Verdict::Accept;
}

bool LoginValidator::refusedOnLeave(const QString& fieldText)
{
    return ContainsApostrophe(fieldText);
}

bool LoginValidator::isBlank(const QString& text)
{
    return IsBlankText(text);
}
