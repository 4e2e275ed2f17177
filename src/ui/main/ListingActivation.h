#pragma once

#include "ui/main/ListingDetailRequest.h"
#include "ui/main/ListingGridRow.h"

#include <optional>

// What a double-click on a listing row does: open the detail window of its family, open a
// conversation with the poster, or nothing. Widget-free so that the rules are testable.
class ListingActivation
{
public:
    enum class Action
    {
        None,
        Detail,
        Conversation,
        // The agent seat ("-1") has no chat account: its icon leads to the customer service.
        CustomerService
    };

    struct Result
    {
        Action action = Action::None;
        ListingDetailRequest detail; // for Detail; sender fields also for Conversation
    };

    // host: the configured HostName; loginIdentity: the own bare JID.
    static Result activate(ListingFamily family, const ListingGridRow& row, int field,
                           const QString& host, const QString& loginIdentity);

    // Friend and chat are offered unless the poster is the user or the agent seat.
    static bool canBefriend(const QString& senderAddress, const QString& host,
                            const QString& loginIdentity);

private:
    static Result conversationWith(Result result);
    static Result land(const ListingGridRow& row, int field, const QString& host,
                       const QString& loginIdentity);
    static Result priced(ListingFamily family, const ListingGridRow& row, int field,
                         const QString& host, const QString& loginIdentity);
    static void fillPricedFields(ListingFamily family, const ListingGridRow& row,
                                 ListingDetailRequest& detail);
};
