#pragma once

#include <QString>

// What the IM session needs from the main window. The main window implements it.
class IMSessionHost
{
public:
    enum SessionMenu
    {
        MenuLogOff,        // N20 "注销(&N)" of the status menu
        MenuLogIn,         // N76 "登录" of the status menu
        MenuAddFriend,     // N66 "添加运友" of the status menu
        MenuAccountLogOff, // N6 "注销" of the account menu
        MenuAccountLogIn   // N9 "登录" of the account menu
    };
    enum ConnectionTone
    {
        Normal, // black
        Failure // red
    };

    virtual ~IMSessionHost() = default;

    // The main settings writer, with an empty order-city value.
    virtual void writeMainSettings() = 0;
    // Starts the user profile fetch; when it ends the main window runs its sign-in follow-up
    // (which calls IMSession::showStatus with the profile's company).
    virtual void startProfileFetch() = 0;
    // Starts the advertisement fetch (national count, rotating advertisement, caption).
    virtual void startAdvertisementFetch() = 0;
    // lblConn in the bottom bar; an empty text changes only the colour.
    virtual void setConnectionText(const QString& text, ConnectionTone tone) = 0;
    // lblEndate in the bottom bar.
    virtual void setEndDateText(const QString& text) = 0;
    virtual void setTrayHint(const QString& text) = 0;
    virtual QString applicationTitle() const = 0;
    virtual void setMenuEnabled(SessionMenu item, bool enabled) = 0;
    // Shows the modal login window unless it is already on screen. Returns true when the user
    // logged in (the session then signs in again). On cancel the host ends the application
    // and returns false.
    virtual bool runLoginAgain() = 0;
};
