#pragma once

#include "platform/AddressSource.h"

#include <QHostAddress>
#include <QList>

namespace vantor::platform {

// The decision of one probe, kept apart from the timer and the resolver so it can be tested on plain lists.
class ConnectionProbe
{
public:
    // Loopback (127.0.0.0/8, ::1) and link-local addresses (169.254.0.0/16, fe80::/10) prove no way out of
    // the machine; every other valid address does.
    static bool isUsable(const QHostAddress& address);

    // The address that makes the machine online: the last usable address the host name resolved to, else the
    // first usable address of an up, running, non-loopback interface. A null address means offline.
    static QHostAddress pick(const QList<QHostAddress>& resolved,
                             const QList<InterfaceAddresses>& interfaces);
};

} // namespace vantor::platform
