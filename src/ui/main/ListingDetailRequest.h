#pragma once

#include "ui/main/ListingLayout.h"

#include <QMap>
#include <QString>

// What a double-click on a listing hands to the detail window of its family: the caption,
// the values for the window's labels (by control name), the decoded contact, the poster and
// whether the friend and chat buttons are enabled.
struct ListingDetailRequest
{
    ListingFamily family = ListingFamily::Land;
    QString caption;               // land: the listing number
    QString richText;              // land: the title cell's markup for rchedInfo
    QMap<QString, QString> fields; // control name -> value
    QString contact;               // deciphered / unscrambled and trimmed
    QString sender;                // poster's user name
    QString senderAddress;         // sender + "@" + HostName
    bool canBefriend = false;      // btnFriend "添加为好友" and btnChat "点击聊天" enabled
};
