#include "platform/SystemAddressSource.h"

#include <QHostInfo>
#include <QNetworkInterface>

namespace vantor::platform {

SystemAddressSource::SystemAddressSource(QObject* parent)
    : QObject(parent)
{}

void SystemAddressSource::resolveHostName(Resolved done)
{
    // The context object `this` drops the answer if the source is gone before the resolver replies.
    QHostInfo::lookupHost(QHostInfo::localHostName(), this,
                          [done = std::move(done)](const QHostInfo& info) { done(info.addresses()); });
}

QList<InterfaceAddresses> SystemAddressSource::interfaces() const
{
    QList<InterfaceAddresses> result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& netInterface : all) {
        const QNetworkInterface::InterfaceFlags flags = netInterface.flags();
        InterfaceAddresses entry;
        entry.isUp = flags.testFlag(QNetworkInterface::IsUp);
        entry.isRunning = flags.testFlag(QNetworkInterface::IsRunning);
        entry.isLoopback = flags.testFlag(QNetworkInterface::IsLoopBack);
        const QList<QNetworkAddressEntry> entries = netInterface.addressEntries();
        for (const QNetworkAddressEntry& address : entries)
            entry.addresses.append(address.ip());
        result.append(entry);
    }
    return result;
}

} // namespace vantor::platform
