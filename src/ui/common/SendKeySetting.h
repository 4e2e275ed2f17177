#pragma once

#include <QString>

class QWidget;

// The chat window's send-key menu: saves the choice in the settings file.
class SendKeySetting
{
public:
    // Writes the settings file from the session state and reports a failure in an error box.
    // Returns the send key written ("Enter" or "CtrlEnter").
    static QString saveFromChatMenu(int menuTag, QWidget* parent);
};
