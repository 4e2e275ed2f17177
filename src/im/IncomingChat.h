#pragma once

#include <QDateTime>
#include <QString>

// A chat message the session accepted, as the chat windows receive it.
struct IncomingChat
{
    QString from;   // the sender's user part
    QString domain; // the sender's domain
    QString text;
    // When the sender sent it, for a message the server kept while this user was offline
    // (the delay stamp, UTC); invalid for a live message, whose time is its arrival.
    QDateTime sentAt;
};
