#pragma once

#include <QObject>
#include <QString>

namespace vantor::platform {

// Tells whether the machine can reach the internet. The main window shows the state in its status bar and
// starts the check on connection on the first change to online; checks refuse to run while offline.
class ConnectionDetector : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~ConnectionDetector() override = default;

    // Current state; false until the first probe has seen a usable address.
    virtual bool isOnline() const = 0;
    // The address that made the machine online, empty while offline.
    virtual QString ip() const = 0;

signals:
    // Raised once per transition, after isOnline() and ip() carry the new state.
    void changed(bool online);
};

} // namespace vantor::platform
