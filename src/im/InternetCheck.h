#pragma once

#include <QString>
#include <QStringList>

// Whether the machine can reach the server: a loopback server (localhost, *.localhost,
// 127.0.0.0/8, ::1) always counts as reachable; otherwise some network interface other
// than loopback must be up with an address.
class InternetCheck
{
public:
    static bool canReach(const QString& serverHost);
    // The addresses of the interfaces that are up and running, loopback left out.
    static QStringList upAddresses();
};
