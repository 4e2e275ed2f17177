#pragma once

class IMClient;
class LoadStarter;
class LoginPrompt;
class SecondaryWindows;

// What the composition root hands the main window. None of them is owned by the window;
// each outlives it.
struct MainWindowServices
{
    IMClient* client = nullptr;   // the XMPP client
    LoadStarter* loads = nullptr; // listing loaders and fetches; the window gives it its view
    SecondaryWindows* windows = nullptr; // detail, chat, publishing, search, profile, updater
    LoginPrompt* login = nullptr;        // the modal login of log-off-and-on
};
