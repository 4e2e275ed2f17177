#pragma once

#include <QString>

// A friend-request command the find-friends page sends as a link: "member:" + login name +
// ":" + display name. The browser window turns it into a friend request and closes.
struct MemberLink
{
    QString login;
    QString displayName;

    static bool isMemberLink(const QString& url);
    // The login is empty when the link has no second colon; the request is then dropped.
    static MemberLink parse(const QString& url);
};
