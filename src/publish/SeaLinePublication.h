#pragma once

#include "publish/ContactLine.h"
#include "publish/PublishRefusal.h"

#include <QString>
#include <optional>

class IMClient;
class PublishAccount;

// Publishing a sea shipping line: the port sequence builder, the window's checks in order and
// the request with the trimmed fields and the screened port sequence.
class SeaLinePublication
{
public:
    struct Fields
    {
        QString startport, toport, passport;
        QString duty, days, sdirect, scomp, line;
        QString portseq; // the port sequence as shown
        ContactLine::Boxes contacts;
    };

    // "添加到海运港序": the trimmed entry joins the sequence, after a "-" unless the sequence
    // is empty. An empty entry changes nothing; returns whether the entry was added.
    static bool addPort(QString& sequence, const QString& entry);

    static std::optional<PublishRefusal> check(const Fields& fields);
    // Sends the request; true when it was handed to the connected client.
    static bool send(IMClient& client, const PublishAccount& account, const Fields& fields);
};
