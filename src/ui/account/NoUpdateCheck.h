#pragma once

#include "ui/account/LoginUpdateCheck.h"

// The check used while no update component is installed: it reports "no update available" as
// soon as control returns to the event loop, as a real check answers asynchronously.
class NoUpdateCheck : public LoginUpdateCheck
{
    Q_OBJECT
public:
    using LoginUpdateCheck::LoginUpdateCheck;

    void start(const Settings& settings) override;
};
