#pragma once

#include "im/BroadcastHandler.h"
#include "im/IMSessionHost.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QObject>

#include <memory>

class BroadcastSink;
class IMClient;
class IMSession;
class LoadStarter;
class LoginPrompt;
class MainCommands;
class NetworkChangeWatch;
class ReconnectScheduler;
struct ShellWidgets;

// The main window as the messaging session sees it: the session with its broadcasts, the
// bottom-bar connection texts, the tray hint, the session menu items and the login again.
// The session reconnects by itself after an unexpected disconnection (at once when the
// network changes); once back, the listing page on screen is loaded again so that it shows
// what was published meanwhile.
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
    ReconnectScheduler* reconnection() const { return m_reconnect; }
    NetworkChangeWatch* networkWatch() const { return m_network; }
    // Every live land listing, whatever page is on screen.
    void setLandListener(BroadcastHandler::LandListener listener);
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
    // After a reconnection: the last load of the listing page on screen runs again.
    void catchUp();
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
    ReconnectScheduler* m_reconnect = nullptr;
    NetworkChangeWatch* m_network = nullptr;
};
