#include "support/DovecotServer.h"

#include "support/FreePort.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace vantor::support {

namespace {

// Dovecot refuses mail access as root; the maildirs belong to nobody/nogroup.
constexpr uid_t MailUid = 65534;
constexpr gid_t MailGid = 65534;

QString scriptPath(const char* name)
{
    return QStringLiteral(VANTOR_SERVER_SCRIPTS "/") + QLatin1String(name);
}

void giveToMailUser(const QString& path, mode_t mode)
{
    const QByteArray native = QFile::encodeName(path);
    if (::chown(native.constData(), MailUid, MailGid) != 0 || ::chmod(native.constData(), mode) != 0)
        qWarning("cannot hand %s to the mail user", native.constData());
}

QString baseName(const QString& fileName)
{
    return fileName.section(QLatin1Char(':'), 0, 0);
}

} // namespace

DovecotServer::DovecotServer()
{
    QFile users(m_dir.filePath(QStringLiteral("users")));
    if (users.open(QIODevice::WriteOnly))
        users.close();
}

DovecotServer::~DovecotServer()
{
    stop();
}

QString DovecotServer::caCertificatePath() const
{
    return m_dir.filePath(QStringLiteral("tls/ca.crt"));
}

bool DovecotServer::start()
{
    if (m_running)
        return true;
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return false;
    }
    // Free ports can be taken by someone else between probing and binding; a few tries cover that.
    QString errors;
    for (int attempt = 0; attempt < 3 && !m_running; ++attempt) {
        if (attempt > 0)
            errors += m_error;
        m_port = freeLoopbackPort();
        m_pop3sPort = freeLoopbackPort();
        if (m_port == 0 || m_pop3sPort == 0 || m_port == m_pop3sPort)
            continue;
        m_running = runScript("dovecot.sh", {QStringLiteral("start"), m_dir.path(), QString::number(m_port),
                                             QString::number(m_pop3sPort),
                                             QString::number(QCoreApplication::applicationPid())});
    }
    if (!m_running)
        m_error = errors + m_error;
    return m_running;
}

void DovecotServer::stop()
{
    if (!m_running)
        return;
    runScript("dovecot.sh", {QStringLiteral("stop"), m_dir.path()});
    m_running = false;
}

bool DovecotServer::makeCertificate(const QStringList& options)
{
    return runScript("make-certs.sh", QStringList{m_dir.filePath(QStringLiteral("tls"))} + options);
}

bool DovecotServer::runScript(const char* script, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/bin/bash"), QStringList{scriptPath(script)} + arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        m_error = QLatin1String(script) + QStringLiteral(" did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

QString DovecotServer::mailDirectory(const QString& user) const
{
    return m_dir.filePath(QStringLiteral("mail/") + user);
}

void DovecotServer::addUser(const QString& user, const QString& password)
{
    QFile users(m_dir.filePath(QStringLiteral("users")));
    if (users.open(QIODevice::Append)) {
        users.write(user.toUtf8() + ":{PLAIN}" + password.toUtf8() + "::::::\n");
        users.close();
    }
    const QString mail = mailDirectory(user);
    QDir().mkpath(m_dir.filePath(QStringLiteral("mail")));
    giveToMailUser(m_dir.filePath(QStringLiteral("mail")), 0755);
    for (const char* sub : {"", "/new", "/cur", "/tmp"}) {
        const QString path = mail + QLatin1String(sub);
        QDir().mkpath(path);
        giveToMailUser(path, 0700);
    }
}

QString DovecotServer::putMessage(const QString& user, const QByteArray& bytes)
{
    ++m_delivered;
    const QString name = QStringLiteral("%1.P%2.vantor")
                             .arg(m_delivered, 8, 10, QLatin1Char('0'))
                             .arg(QCoreApplication::applicationPid());
    // Written in tmp/ and renamed into new/, as a maildir delivery does, so the server never sees half a
    // file.
    const QString staging = mailDirectory(user) + QStringLiteral("/tmp/") + name;
    QFile file(staging);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    file.close();
    giveToMailUser(staging, 0600);
    if (!QFile::rename(staging, mailDirectory(user) + QStringLiteral("/new/") + name))
        return QString();
    return name;
}

QStringList DovecotServer::listMaildir(const QString& user) const
{
    QStringList names;
    for (const char* sub : {"/new", "/cur"}) {
        const QStringList files = QDir(mailDirectory(user) + QLatin1String(sub)).entryList(QDir::Files);
        for (const QString& file : files)
            names.append(baseName(file));
    }
    names.sort();
    return names;
}

QString DovecotServer::findMessageFile(const QString& user, const QString& name) const
{
    for (const char* sub : {"/new", "/cur"}) {
        const QDir dir(mailDirectory(user) + QLatin1String(sub));
        const QStringList files = dir.entryList(QDir::Files);
        for (const QString& file : files) {
            if (baseName(file) == name)
                return dir.filePath(file);
        }
    }
    return QString();
}

QByteArray DovecotServer::maildirMessage(const QString& user, const QString& name) const
{
    QFile file(findMessageFile(user, name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray DovecotServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("log/dovecot.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int DovecotServer::endedSessions() const
{
    int count = 0;
    for (const QByteArray& line : log().split('\n')) {
        // Sessions that got past login log as "pop3(user)<pid><session>: Info: Disconnected: ...".
        if (line.contains(" pop3(") && line.contains(": Disconnected"))
            ++count;
    }
    return count;
}

bool DovecotServer::waitForEndedSessions(int count, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (endedSessions() < count) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return true;
}

} // namespace vantor::support
