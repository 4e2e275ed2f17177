#pragma once

#include "im/IMSessionHost.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QObject>

#include <memory>

class BroadcastHandler;
class BroadcastSink;
class IMClient;
class IMSession;
class LoadStarter;
class LoginPrompt;
class MainCommands;
struct ShellWidgets;

// The main window as the messaging session sees it: the session with its broadcasts, the
// bottom-bar connection texts, the tray hint, the session menu items and the login again.
class MainImHost : public QObject, public IMSessionHost
{
    Q_OBJECT
public:
    // The widgets stay the window's; client, login and loads are not owned. Broadcast rows go
    // to the sink.
    MainImHost(IMClient* client, LoginPrompt* login, LoadStarter* loads,
               const ShellWidgets& widgets, BroadcastSink* sink, QObject* parent = nullptr);
    ~MainImHost() override;

    // Creates the session on the client and the IM panel, routes the broadcasts to the sink
    // and the panel's requests to the commands.
    void wireMessaging(MainCommands* commands);

    IMSession* imSession() const { return m_session; }
    // Sign-in to the XMPP server with the session's login identity.
    void signIn();
    // N20, N6, N76, N9.
    void logOffAndLogIn();

    // IMSessionHost
    void writeMainSettings() override;
    void startProfileFetch() override;
    void startAdvertisementFetch() override;
    void setConnectionText(const QString& text, ConnectionTone tone) override;
    void setEndDateText(const QString& text) override;
    void setTrayHint(const QString& text) override;
    QString applicationTitle() const override;
    void setMenuEnabled(SessionMenu item, bool enabled) override;
    bool runLoginAgain() override;

private:
    void signInFollowUp();
    void showUserName();
    void setBroadcastAccount();

    IMClient* m_client;
    LoginPrompt* m_login;
    LoadStarter* m_loads;
    const ShellWidgets& m_widgets;
    BroadcastSink* m_sink;
    MainCommands* m_commands = nullptr;
    IMSession* m_session = nullptr;
    std::unique_ptr<BroadcastHandler> m_broadcasts;
};
