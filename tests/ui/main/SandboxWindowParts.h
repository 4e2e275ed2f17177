#pragma once

#include "RecordingWindows.h"
#include "ScriptedLogin.h"
#include "im/XmppIMClient.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/MainWindowServices.h"
#include "ui/main/ServiceLoadStarter.h"

// What a main window under test needs against the sandbox exchange: the real client and
// loaders; the other windows, the login and the message boxes recorded.
struct SandboxWindowParts
{
    XmppIMClient client;
    ServiceLoadStarter loads{nullptr};
    RecordingWindows windows;
    ScriptedLogin login;
    MessageBoxes::Recorder boxes;

    MainWindowServices services() { return {&client, &loads, &windows, &login}; }
};
