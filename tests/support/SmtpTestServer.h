#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vantor::support {

// A real SMTP server (Debian's aiosmtpd) on 127.0.0.1 and a free port, run as a child process, that
// records every message it accepts. Stopped by the destructor, and by itself when the test process dies.
class SmtpTestServer
{
public:
    struct Options
    {
        QString authUser; // empty: AUTH is refused (not offered)
        QString authPassword;
        bool authRequired = false; // MAIL is refused before a successful AUTH
        bool startTls = false;     // offers STARTTLS with a certificate made at start-up
        bool implicitTls = false;  // TLS from the first byte (SMTPS) instead of STARTTLS
    };

    // One accepted message as the server saw it.
    struct Message
    {
        QByteArray mailFrom;
        QList<QByteArray> recipients; // in the order the client sent them
        QByteArray data;              // exactly as received, transparency dots removed
        QByteArray authUser;          // the name that authenticated on that session, empty without AUTH
    };

    SmtpTestServer();
    explicit SmtpTestServer(Options options);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    // Starts the server and waits until it listens; false (see errorText) when it did not come up.
    bool start();
    void stop();
    QString errorText() const { return m_error; }

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 port() const { return m_port; }
    // PEM file of the CA behind the server certificate; only with startTls or implicitTls.
    QString caCertificatePath() const;

    // Every message accepted so far, oldest first.
    QList<Message> received() const;

private:
    bool makeCertificates();
    QStringList arguments() const;

    Options m_options;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace vantor::support
