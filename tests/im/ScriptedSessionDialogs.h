#pragma once

#include "im/SessionDialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// SessionDialogs that answer from a script and record what was asked.
class ScriptedSessionDialogs : public SessionDialogs
{
public:
    bool askNewName(const QString& caption, const QString& prompt, QString* text) override
    {
        namePrompts << caption + QLatin1Char('|') + prompt;
        if (whileAskingName)
            whileAskingName(); // what happens while the box is open
        *text = newName;
        return nameEntered;
    }
    bool acceptSubscription(const QString& from) override
    {
        subscriptionsFrom << from;
        return acceptsSubscriptions;
    }
    // Answers from confirmAnswers in order, then No.
    bool confirm(const QString& question) override
    {
        questions << question;
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    void inform(const QString& text) override { told << text; }

    QString newName;
    bool nameEntered = true; // false: the box was cancelled
    std::function<void()> whileAskingName;
    bool acceptsSubscriptions = true;
    QList<bool> confirmAnswers;

    QStringList namePrompts; // "caption|prompt"
    QStringList subscriptionsFrom;
    QStringList questions;
    QStringList told;
};
