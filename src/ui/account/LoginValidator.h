#pragma once

#include <QString>

// What the login button makes of the two fields; the window turns the verdict into a message box
// or a close.
class LoginValidator
{
public:
    enum class Verdict
    {
        MissingUserName,   // "请输入用户名！"
        IllegalCharacters, // "输入了非法字符,请检查  "
        BlankPassword,     // nothing happens
        Accept
    };

    static Verdict check(const QString& userName, const QString& password);

    // The check run when the user leaves one of the two fields.
    static bool refusedOnLeave(const QString& fieldText);

    static bool isBlank(const QString& text);
};
