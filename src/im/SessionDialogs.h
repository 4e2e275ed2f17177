#pragma once

#include <QString>

// The questions and notices the IM session puts to the user. Each call returns once the user
// has answered; on screen the dialogs are modal and run their own event loop meanwhile.
class SessionDialogs
{
public:
    virtual ~SessionDialogs() = default;

    // The rename box. False when cancelled; otherwise *text holds what was typed.
    virtual bool askNewName(const QString& caption, const QString& prompt, QString* text) = 0;
    // "<from> 请求加你为好友": true when the user accepts and adds the requester in turn.
    virtual bool acceptSubscription(const QString& from) = 0;
    // A Yes/No question; true on Yes.
    virtual bool confirm(const QString& question) = 0;
    virtual void inform(const QString& text) = 0;
};
