#pragma once

#include <QByteArray>
#include <QString>

class SessionState;

// The settings file config.xml beside the executable: remembered login, send key and
// subscribed cities. GBK bytes, gb2312 header, CR LF, two spaces per level, no final line
// break, no byte-order mark.
class SettingsFile
{
public:
    // What the load puts into the login window.
    struct LoginFields
    {
        QString userName;
        QString password;
        bool rememberChecked = false;
    };

    static QString defaultPath(); // <executable directory>/config.xml

    // Loads the settings: fills `fields`, the remember-password flag, the send-key setting and
    // the order-city list. Throws CoreError on a malformed file, a rememberpsw that is no
    // boolean, or a password that is not hex; what was filled before the error stays.
    static void load(LoginFields& fields, SessionState& state, const QString& path);
    static void load(LoginFields& fields);

    // The main settings document: password enciphered only when the remember flag is on,
    // `orderCityText` as the ordercity element.
    static QByteArray composeMain(const SessionState& state, const QString& orderCityText);
    // The chat menu's document: password always enciphered, sendmsg "Enter" for tag 1 and
    // "CtrlEnter" otherwise, no ordercity element.
    static QByteArray composeChat(const SessionState& state, int menuTag);

    // Write the file, replacing it atomically. Return false (and the reason in `error`)
    // when the file could not be written, which is also logged; the old file then stays as it
    // was.
    static bool writeMain(const SessionState& state, const QString& orderCityText,
                          const QString& path, QString* error = nullptr);
    static bool writeChat(const SessionState& state, int menuTag, const QString& path,
                          QString* error = nullptr);

    // The chat window's send-key menu: writes the file from the session state. Returns the
    // send key written ("Enter" or "CtrlEnter"), also when writing failed (reason in `error`).
    static QString saveFromChatMenu(int menuTag, QString* error);
    // The connection handler and the order-city form: writes the file; a failure is only logged.
    static void saveMain(const QString& orderCityText);

    static QString sendKeyForMenuTag(int menuTag);

    // The file is GBK, which other programs read too: a login holding characters GBK lacks
    // would come back with "?" in their place. Such a login is not remembered; the documents
    // then carry an empty user name and password instead.
    static bool canRemember(const QString& userName, const QString& password);
};
