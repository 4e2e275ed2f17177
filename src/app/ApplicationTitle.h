#pragma once

#include <QString>

// The application's title: "Tovanta" at start, then the configured AppName. It names the
// single-instance guard and is the caption of errors that reach the application. Kept apart
// from Qt's display name, which the platform would append to every window caption.
class ApplicationTitle
{
public:
    static QString get();
    static void set(const QString& title);
};
