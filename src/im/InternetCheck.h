#pragma once

#include <QString>

// Whether the machine can reach the server: a loopback server (localhost, *.localhost,
// 127.0.0.0/8, ::1) always counts as reachable; otherwise some network interface other
// than loopback must be up with an address.
class InternetCheck
{
public:
    static bool canReach(const QString& serverHost);
};
