#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vantor::support {

// A private session bus with a real Secret Service on it: dbus-daemon and gnome-keyring-daemon, whose login
// keyring lives in a temporary directory and is unlocked with a test password. start() points this
// process's DBUS_SESSION_BUS_ADDRESS at the bus; stopKeyring() ends the keyring, after which no keyring
// answers; the bus ends with the object.
class KeyringSession
{
public:
    KeyringSession();
    ~KeyringSession();
    KeyringSession(const KeyringSession&) = delete;
    KeyringSession& operator=(const KeyringSession&) = delete;

    // False (see errorText) when either daemon did not come up.
    bool start(const QByteArray& password);
    void stopKeyring();
    QString errorText() const { return m_error; }

private:
    static void stop(QProcess& process);

    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_error;
};

} // namespace vantor::support
