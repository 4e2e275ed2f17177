#pragma once

#include "ui/account/LoginUpdateCheck.h"

#include <functional>

class TauAutoUpgrader;

// The login window's update check over the update component: no periodic check, no messages
// of its own. When an update has been installed the upgrader runs and `whenInstalled` ends
// the program (the login window closes without a login).
class AutoUpgraderCheck : public LoginUpdateCheck
{
    Q_OBJECT
public:
    explicit AutoUpgraderCheck(std::function<void()> whenInstalled, QObject* parent = nullptr);

    void start(const Settings& settings) override;
    TauAutoUpgrader& upgrader() { return *m_upgrader; }

private:
    TauAutoUpgrader* m_upgrader;
    std::function<void()> m_whenInstalled;
};
