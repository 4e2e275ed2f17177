#pragma once

#include <QString>

class SessionState;

// The configuration built into the executable: resource "systemconfigure" of type "xmlfile",
// one line of upper-case hex, the DES hex form (configuration key) of a ClientConfig document.
class BuiltinConfig
{
public:
    // Resource path of the enciphered document.
    static QString resourcePath(); // ":/xmlfile/systemconfigure"
    // The resource's lines, each followed by CR LF.
    static QString resourceText();

    // Loads the built-in configuration into the session state and sets the application title
    // to AppName. Throws CoreError ("Error: not a Hex String", XML errors, the integer error
    // naming ServerPort); values read before the error stay stored.
    static void load();
    static void load(SessionState& state);
    // Same from a given resource text (hex lines).
    static void loadFromText(const QString& resourceText, SessionState& state);

    // The thirteen keys under \ClientConfig in the order they are read.
    static const char* const keys[13];
};
