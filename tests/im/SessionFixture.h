#pragma once

#include "FakeIMClient.h"
#include "RecordingChatWindows.h"
#include "RecordingSessionHost.h"
#include "ScriptedSessionDialogs.h"
#include "app/SessionState.h"
#include "im/IMSession.h"

#include <memory>

// An IMSession on the fake client, with a recording host and chat windows and scripted
// dialogs. The application's session state is reset to lina@localhost (password demo1234) on
// localhost:15222, company 北京远航物流, valid until 2027-12-31.
struct SessionFixture
{
    SessionFixture() : session(std::make_unique<IMSession>(&client, &host, &dialogs))
    {
        resetSession();
        ::session().loginIdentity = QStringLiteral("lina@localhost");
        ::session().password = QStringLiteral("demo1234");
        ::session().HostName = QStringLiteral("localhost");
        ::session().ServerPort = 15222;
        ::session().profile.company = QStringLiteral("北京远航物流");
        ::session().profile.endate = QStringLiteral("2027-12-31");
        session->setChatWindows(&chat);
    }

    // Logs in and receives the roster.
    void connectAndSync(const QList<FakeIMClient::Contact>& roster)
    {
        client.roster = roster;
        client.raiseConnected();
        Q_EMIT client.OnSync();
    }

    FakeIMClient client;
    RecordingSessionHost host;
    RecordingChatWindows chat;
    ScriptedSessionDialogs dialogs;
    std::unique_ptr<IMSession> session; // goes first
};
