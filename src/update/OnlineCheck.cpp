#include "update/OnlineCheck.h"

#include "service/LoopbackAddress.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace OnlineCheck {

bool isLoopbackHost(const QString& host)
{
    if (LoopbackAddress::isLoopbackName(host))
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool isOnline(const QString& updateHost)
{
    if (isLoopbackHost(updateHost))
        return true;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QHostAddress ip = entry.ip();
            if (!ip.isLoopback() && !ip.isLinkLocal() && !ip.isNull())
                return true;
        }
    }
    return false;
}

} // namespace OnlineCheck
