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
    return !upAddresses().isEmpty();
}

QStringList InternetCheck::upAddresses()
{
    QStringList addresses;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        const auto flags = iface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        const auto entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries)
            addresses << entry.ip().toString();
    }
    return addresses;
}
