#pragma once

#include <QString>

// What the status label LblMyState shows: a progress text ("正在登录...", "正在获取联系人...")
// or the company with its connection state.
struct SessionStatus
{
    QString text;
    // Set with the company's state: the label shortens the company until the text fits, and
    // its hint keeps the whole company.
    QString company;
    bool showsCompany = false;
};
