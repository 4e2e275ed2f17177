#pragma once

#include <QString>

// The login window's caption in each phase of the update check.
class LoginCaption
{
public:
    enum class State
    {
        Idle,
        Checking,
        UpdateStarting,
        Downloading
    };

    static QString text(State state, const QString& appName, const QString& appVersion);
};
