#pragma once

#include <QString>

class SessionState;

// Who publishes, as every request names it: the host the stanza goes to, the sender (the user
// name part of the login identity) and, for land listings, the user's own city.
class PublishAccount
{
public:
    QString host;
    QString sender;
    QString position; // the profile's city, at most 32 characters

    static PublishAccount fromSession(const SessionState& state);
};
