#pragma once

#include "publish/ContactLine.h"
#include "publish/PublishRefusal.h"

#include <QString>
#include <optional>

class IMClient;
class PublishAccount;

// Publishing a rail train: every single-line field must hold something (spaces count), the
// bureau lists are not checked, and everything goes trimmed, the contact line too.
class TrainPublication
{
public:
    struct Fields
    {
        QString triannum;
        QString startcity; // departure bureau
        QString startport1, startport2, toport1, toport2;
        QString tocity; // arrival bureau
        QString cycle, starttime, totime, hours;
        ContactLine::Boxes contacts;
    };

    static std::optional<PublishRefusal> check(const Fields& fields);
    // Sends the request; true when it was handed to the connected client.
    static bool send(IMClient& client, const PublishAccount& account, const Fields& fields);
};
