#pragma once

#include <QString>

// Whether the machine counts as online for the automatic update check. There is no dial-up
// indicator to read here, so: some network interface that is up holds an address other than
// a loopback one, or the configured update host is itself on loopback (a local exchange
// needs no network).
namespace OnlineCheck {

bool isLoopbackHost(const QString& host);
bool isOnline(const QString& updateHost);

} // namespace OnlineCheck
