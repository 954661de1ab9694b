#pragma once

#include "platform/AddressSource.h"

#include <QObject>

namespace vantor::platform {

// The machine's real addresses: an asynchronous lookup of QHostInfo::localHostName() and
// QNetworkInterface::allInterfaces(). The lookup runs off the UI thread so a slow resolver never freezes the
// window.
class SystemAddressSource : public QObject, public AddressSource
{
    Q_OBJECT

public:
    explicit SystemAddressSource(QObject* parent = nullptr);

    void resolveHostName(Resolved done) override;
    QList<InterfaceAddresses> interfaces() const override;
};

} // namespace vantor::platform
