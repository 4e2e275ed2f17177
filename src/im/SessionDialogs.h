#pragma once

#include <QString>
#include <functional>

// The questions and notices the IM session puts to the user.
//
// A question reached from a network event (a friend request) returns at once and hands the
// answer over later: while it waited for the user inside the event, nothing would be read from
// the server (no broadcasts, no keep-alive answers, and after a while the connection drops).
// The other calls come from the user's own clicks (rename, delete, add a friend); they return
// once the user has answered and may run a modal dialog meanwhile.
class SessionDialogs
{
public:
    virtual ~SessionDialogs() = default;

    // The rename box. False when cancelled; otherwise *text holds what was typed.
    virtual bool askNewName(const QString& caption, const QString& prompt, QString* text) = 0;
    // "<from> 请求加你为好友": shows the question and returns at once; answered is called later,
    // once, with true when the user accepts and adds the requester in turn, false when they
    // refuse (or close the question).
    virtual void askSubscription(const QString& from, std::function<void(bool)> answered) = 0;
    // A Yes/No question; true on Yes.
    virtual bool confirm(const QString& question) = 0;
    virtual void inform(const QString& text) = 0;
};
