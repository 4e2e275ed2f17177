#include "im/InternetCheck.h"

#include "service/LoopbackAddress.h"

#include <QHostAddress>
#include <QNetworkInterface>

bool InternetCheck::canReach(const QString& serverHost)
{
    if (LoopbackAddress::isLoopbackName(serverHost))
        return true;
    const QHostAddress literal(serverHost);
    if (!literal.isNull() && literal.isLoopback())
        return true;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        const auto flags = iface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        if (!iface.addressEntries().isEmpty())
            return true;
    }
    return false;
}
