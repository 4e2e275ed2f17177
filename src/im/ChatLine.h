#pragma once

#include <QDateTime>
#include <QString>

// One line of a conversation as it was shown: who wrote it, what, and when.
struct ChatLine
{
    QString name;
    QString text;
    QDateTime time;
};
