#pragma once

// The modal login, as the main window's log-off-and-on asks for it again.
class LoginPrompt
{
public:
    virtual ~LoginPrompt() = default;

    // False at once while a login window is showing; otherwise shows it and, on OK, stores
    // login identity (user name + "@" + HostName) and password in the session. True on OK.
    virtual bool modalLogin() = 0;
};
