#pragma once

#include <QString>

// Why a publishing window refuses to send: the warning's caption and text, exact.
struct PublishRefusal
{
    QString caption;
    QString text;

    bool operator==(const PublishRefusal& other) const
    {
        return caption == other.caption && text == other.text;
    }
};
