#pragma once

#include "FakeIMClient.h"
#include "RecordingStarter.h"
#include "RecordingWindows.h"
#include "ScriptedLogin.h"
#include "ui/main/MainWindowServices.h"

// The services of a main window under test: a scripted XMPP client, recorded loads and
// windows, a scripted login.
struct MainWindowFakes
{
    FakeIMClient client;
    RecordingStarter loads;
    RecordingWindows windows;
    ScriptedLogin login;

    MainWindowServices services() { return {&client, &loads, &windows, &login}; }
};
