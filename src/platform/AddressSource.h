#pragma once

#include <QHostAddress>
#include <QList>

#include <functional>

namespace vantor::platform {

// One network interface as the probe judges it.
struct InterfaceAddresses
{
    bool isUp = false;
    bool isRunning = false;
    bool isLoopback = false;
    QList<QHostAddress> addresses;
};

// Supplies the facts a connection probe looks at: the addresses of the machine's own host name and the
// addresses of its network interfaces. The system's source asks the resolver and the kernel; tests inject
// lists.
class AddressSource
{
public:
    using Resolved = std::function<void(const QList<QHostAddress>&)>;

    virtual ~AddressSource() = default;

    // Resolves the local host name and calls done with the result (empty when the name does not resolve).
    // done may run later, from the event loop; it never runs after the source is destroyed.
    virtual void resolveHostName(Resolved done) = 0;
    virtual QList<InterfaceAddresses> interfaces() const = 0;
};

} // namespace vantor::platform
