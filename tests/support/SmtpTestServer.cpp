#include "support/SmtpTestServer.h"

#include <QDir>
#include <QFile>

namespace vantor::support {

namespace {

QString script(const char* name)
{
    return QStringLiteral(VANTOR_SERVER_SCRIPTS "/") + QLatin1String(name);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

SmtpTestServer::SmtpTestServer()
    : SmtpTestServer(Options())
{}

SmtpTestServer::SmtpTestServer(Options options)
    : m_options(std::move(options))
{
    QDir(m_dir.path()).mkpath(QStringLiteral("records"));
}

SmtpTestServer::~SmtpTestServer()
{
    stop();
}

QString SmtpTestServer::caCertificatePath() const
{
    return m_dir.filePath(QStringLiteral("tls/ca.crt"));
}

bool SmtpTestServer::makeCertificates()
{
    QProcess make;
    make.setProcessChannelMode(QProcess::MergedChannels);
    make.start(QStringLiteral("/bin/sh"), {script("make-certs.sh"), m_dir.filePath(QStringLiteral("tls"))});
    if (!make.waitForFinished(60000) || make.exitCode() != 0) {
        m_error = QStringLiteral("make-certs.sh failed: ") + QString::fromLocal8Bit(make.readAll());
        return false;
    }
    return true;
}

QStringList SmtpTestServer::arguments() const
{
    // Port 0: the server binds a free port itself and names it, so there is no race for it.
    QStringList args{script("smtp_server.py"), QStringLiteral("--port"), QStringLiteral("0"),
                     QStringLiteral("--record-dir"), m_dir.filePath(QStringLiteral("records"))};
    if (!m_options.authUser.isEmpty())
        args << QStringLiteral("--auth") << m_options.authUser + QLatin1Char(':') + m_options.authPassword;
    if (m_options.authRequired)
        args << QStringLiteral("--auth-required");
    if (m_options.startTls || m_options.implicitTls)
        args << QStringLiteral("--cert") << m_dir.filePath(QStringLiteral("tls/server.crt"))
             << QStringLiteral("--key") << m_dir.filePath(QStringLiteral("tls/server.key"));
    if (m_options.implicitTls)
        args << QStringLiteral("--implicit-tls");
    return args;
}

bool SmtpTestServer::start()
{
    if (m_process.state() != QProcess::NotRunning)
        return true;
    if ((m_options.startTls || m_options.implicitTls) && !makeCertificates())
        return false;
    // Debian's aiosmtpd belongs to the system interpreter, whatever python3 comes first on PATH.
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments());
    QByteArray banner;
    while (!banner.contains('\n') && m_process.waitForReadyRead(20000))
        banner += m_process.readAllStandardOutput();
    if (!banner.startsWith("READY ")) {
        m_error = QStringLiteral("smtp_server.py did not start: ") +
                  QString::fromLocal8Bit(banner + m_process.readAllStandardError());
        stop();
        return false;
    }
    m_port = static_cast<quint16>(banner.mid(6).trimmed().toUInt());
    return m_port != 0;
}

void SmtpTestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QList<SmtpTestServer::Message> SmtpTestServer::received() const
{
    QList<Message> messages;
    const QDir records(m_dir.filePath(QStringLiteral("records")));
    // Complete records carry a plain four-digit name; ".partial" ones are still being written.
    const QStringList names =
        records.entryList({QStringLiteral("[0-9][0-9][0-9][0-9]")}, QDir::Dirs, QDir::Name);
    for (const QString& name : names) {
        const QString base = records.filePath(name) + QLatin1Char('/');
        Message message;
        message.mailFrom = readFile(base + QStringLiteral("mail_from"));
        const QByteArray recipients = readFile(base + QStringLiteral("rcpt_tos"));
        for (const QByteArray& line : recipients.split('\n')) {
            if (!line.isEmpty())
                message.recipients.append(line);
        }
        message.data = readFile(base + QStringLiteral("data"));
        message.authUser = readFile(base + QStringLiteral("auth"));
        messages.append(message);
    }
    return messages;
}

} // namespace vantor::support
