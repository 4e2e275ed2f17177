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
    // Answers at once with acceptsSubscriptions, or, while holdSubscriptions is set, keeps the
    // question open until the test calls answerHeld.
    void askSubscription(const QString& from, std::function<void(bool)> answered) override
    {
        subscriptionsFrom << from;
        if (holdSubscriptions)
            held << answered;
        else
            answered(acceptsSubscriptions);
    }
    // Answers the oldest question still open.
    void answerHeld(bool accept)
    {
        if (!held.isEmpty())
            held.takeFirst()(accept);
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
    bool holdSubscriptions = false;
    QList<std::function<void(bool)>> held; // questions still open
    QList<bool> confirmAnswers;

    QStringList namePrompts; // "caption|prompt"
    QStringList subscriptionsFrom;
    QStringList questions;
    QStringList told;
};
