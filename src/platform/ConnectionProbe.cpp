#include "platform/ConnectionProbe.h"

#include <algorithm>

namespace vantor::platform {

bool ConnectionProbe::isUsable(const QHostAddress& address)
{
    if (address.isNull() || address.isLoopback() || address.isLinkLocal())
        return false;
    // An IPv4 address carried in IPv6 form (::ffff:127.0.0.1) is judged as the IPv4 address it wraps.
    bool isMapped = false;
    const quint32 ipv4 = address.toIPv4Address(&isMapped);
    if (isMapped && address.protocol() == QAbstractSocket::IPv6Protocol)
        return isUsable(QHostAddress(ipv4));
    return true;
}

QHostAddress ConnectionProbe::pick(const QList<QHostAddress>& resolved,
                                   const QList<InterfaceAddresses>& interfaces)
{
    const auto last = std::find_if(resolved.rbegin(), resolved.rend(), isUsable);
    if (last != resolved.rend())
        return *last;
    for (const InterfaceAddresses& entry : interfaces) {
        if (!entry.isUp || !entry.isRunning || entry.isLoopback)
            continue;
        const auto first = std::find_if(entry.addresses.begin(), entry.addresses.end(), isUsable);
        if (first != entry.addresses.end())
            return *first;
    }
    return {};
}

} // namespace vantor::platform
