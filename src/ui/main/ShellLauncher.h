#pragma once

#include <QString>
#include <functional>

// Hands addresses and programs to the desktop: outside pages go to the user's default web
// browser, the calculator to the platform's calculator program. Tests install a recorder.
class ShellLauncher
{
public:
    enum class Target
    {
        Browser,
        Calculator
    };
    // Returns whether the desktop took the request.
    using Handler = std::function<bool(Target target, const QString& argument)>;

    static bool openInBrowser(const QString& url);
    static bool startCalculator();

    // Replaces the desktop for tests; an empty handler puts the desktop back.
    static void setHandler(Handler handler);

private:
    static bool dispatch(Target target, const QString& argument);
    static bool launchCalculator();
};
