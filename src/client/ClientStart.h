#pragma once

#include "ui/common/Startup.h"

// Fills the start sequence with the real windows: the login window for the modal login, the
// main window, and the main window's XMPP sign-in. The executable, the demo and the end-to-end
// test all start the client through these same hooks.
class ClientStart
{
public:
    static Startup::Hooks hooks();
    static void install();
};
