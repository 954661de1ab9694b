#include "support/KeyringSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include <csignal>

namespace vantor::support {

namespace {

// A session bus without service activation: a keyring that is not running stays silent, instead of being
// started by the bus with the user's real home.
const char* const BusConfig =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

KeyringSession::KeyringSession() = default;

KeyringSession::~KeyringSession()
{
    stopKeyring();
    if (m_bus.state() == QProcess::NotRunning)
        return;
    // GLib ends a process whose session bus goes away with SIGTERM; this process outlives its test bus.
    std::signal(SIGTERM, SIG_IGN);
    stop(m_bus);
}

bool KeyringSession::start(const QByteArray& password)
{
    const QString runtime = m_dir.filePath(QStringLiteral("run"));
    if (!m_dir.isValid() || !QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        m_error = QStringLiteral("no temporary directory");
        return false;
    }
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile configFile(config);
    if (!configFile.open(QIODevice::WriteOnly) ||
        configFile.write(QString::fromLatin1(BusConfig).arg(m_dir.path()).toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    configFile.close();
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                 QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(10000) || !m_bus.waitForReadyRead(10000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_bus.errorString();
        return false;
    }
    const QByteArray address = m_bus.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromUtf8(address));
    m_keyring.setProcessEnvironment(environment);
    m_keyring.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // --unlock reads the password from standard input and creates the login keyring with it.
    m_keyring.start(
        QStringLiteral("gnome-keyring-daemon"),
        {QStringLiteral("--foreground"), QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    if (!m_keyring.waitForStarted(10000)) {
        m_error = QStringLiteral("gnome-keyring-daemon did not start: ") + m_keyring.errorString();
        return false;
    }
    // Without an event loop here, QProcess hands the bytes and the end of input over only when told to.
    m_keyring.write(password);
    m_keyring.waitForBytesWritten(5000);
    m_keyring.closeWriteChannel();
    // Up once its login keyring is on disk.
    const QString keyring = m_dir.filePath(QStringLiteral("data/keyrings/login.keyring"));
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(keyring)) {
        if (deadline.hasExpired() || m_keyring.state() != QProcess::Running) {
            m_error = QStringLiteral("gnome-keyring-daemon made no login keyring");
            return false;
        }
        m_keyring.waitForFinished(50);
    }
    return true;
}

void KeyringSession::stopKeyring()
{
    stop(m_keyring);
}

void KeyringSession::stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace vantor::support
