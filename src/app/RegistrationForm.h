#pragma once

#include <QString>

// What the registration form holds when it is submitted, as the user typed it. The user types
// are the numbers the registration route takes: 1 logistics company, 3 production or trading
// company, 2 private truck owner, 4 private shipper; 0 means none was chosen.
struct RegistrationForm
{
    QString userName;
    QString password;
    QString contact;
    QString sex;
    QString telephone;
    QString mobile;
    QString email;
    QString qq;
    QString company;
    QString province;
    QString city;
    QString address;
    int userType = 0;
    bool agreementAccepted = false;
};
