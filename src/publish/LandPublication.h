#pragma once

#include "publish/ContactLine.h"
#include "publish/PublishRefusal.h"

#include <QString>
#include <optional>

class IMClient;
class LandListingComposer;
class PublishAccount;

// Publishing a land cargo or truck listing from either land window: the checks in the window's
// order with its texts, and the cargo publish request.
class LandPublication
{
public:
    enum class Form
    {
        Pick, // "点选发布": the text box holds the whole listing
        Words // "选字发布": the places go in front of the text
    };
    struct Fields
    {
        QString text;
        // The lists' current texts; the province "请选择" stands for no place.
        QString province, city, county;
        QString toProvince, toCity, toCounty;
        int category = 1; // 1 cargo, 2 truck
        ContactLine::Boxes contacts;
    };
    struct Request
    {
        QString title, fromcity, tocity, category, contact;
    };

    // Fills `request` and returns no refusal when the listing may go; else the warning.
    static std::optional<PublishRefusal>
    prepare(Form form, const Fields& fields, const LandListingComposer& composer, Request& request);
    // Sends the cargo request; true when it was handed to the connected client.
    static bool send(IMClient& client, const PublishAccount& account, const Request& request);
};
