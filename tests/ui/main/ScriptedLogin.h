#pragma once

#include "app/SessionState.h"
#include "ui/common/LoginPrompt.h"

// A login prompt that answers as told, and like the real one answers false at once while a
// login window is already showing.
class ScriptedLogin : public LoginPrompt
{
public:
    bool modalLogin() override
    {
        if (!session().loginWindowAvailable)
            return false;
        ++shown;
        return answer;
    }

    bool answer = false;
    int shown = 0;
};
