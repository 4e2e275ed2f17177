#pragma once

#include "ui/main/SecondaryWindows.h"

// The secondary windows the composition root hands the main window: today the updater,
// which checks on its own while the main window is open.
class ClientSecondaryWindows : public SecondaryWindows
{
public:
    // An update component owned by the main window: the configured information file and
    // version, automatic checks on. When it has installed an update the main window says so
    // and closes without asking, which ends the program for the upgrader.
    void configureUpdater(QWidget* mainWindow) override;
};
