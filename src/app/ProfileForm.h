#pragma once

#include <QString>

// The editable fields of the profile window as typed.
struct ProfileForm
{
    QString contact;
    QString sex;
    QString telephone1;
    QString telephone2;
    QString qq;
    QString email;
    QString company;
    QString address;
};
