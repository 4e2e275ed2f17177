#pragma once

#include "publish/ContactLine.h"
#include "publish/PublishRefusal.h"

#include <QString>
#include <optional>

class IMClient;
class PublishAccount;

// Publishing an air cargo price: the window's checks in order and the request, every field
// trimmed, the remarks screened.
class AirPricePublication
{
public:
    struct Fields
    {
        QString startcn, starten, endcn, enden;
        QString airline; // the route, "航  线"
        QString cycle, price, days;
        QString aircompany;
        bool direct = true; // "直达", else "中转"
        QString mem;
        ContactLine::Boxes contacts;
    };

    static std::optional<PublishRefusal> check(const Fields& fields);
    // Sends the request; true when it was handed to the connected client.
    static bool send(IMClient& client, const PublishAccount& account, const Fields& fields);
};
