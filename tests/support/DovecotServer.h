#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vantor::support {

// A private Dovecot POP3 instance in a temporary directory on 127.0.0.1: plain POP3 with STLS on port(),
// implicit TLS on pop3sPort(), a CA made at start-up, passwd-file users and maildirs the test fills.
// Stopped by the destructor; it also stops by itself when the test process dies.
class DovecotServer
{
public:
    DovecotServer();
    ~DovecotServer();
    DovecotServer(const DovecotServer&) = delete;
    DovecotServer& operator=(const DovecotServer&) = delete;

    // Starts the instance and waits until its ports answer; false (see errorText) when it did not come up.
    bool start();
    // Before start(): the certificate to serve instead, made by make-certs.sh with these options
    // ("--expired", or "--name" and a host name), signed by a CA of its own.
    bool makeCertificate(const QStringList& options);
    // Signals the instance's master process and waits for its end; harmless when not running.
    void stop();
    bool isRunning() const { return m_running; }
    QString errorText() const { return m_error; }

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 port() const { return m_port; }
    quint16 pop3sPort() const { return m_pop3sPort; }
    // PEM file of the CA that signed the server certificate (for 127.0.0.1 and localhost).
    QString caCertificatePath() const;
    QString directory() const { return m_dir.path(); }

    // Adds a login with an empty maildir; works before and after start().
    void addUser(const QString& user, const QString& password);
    // Delivers the bytes unchanged as a new message; returns its maildir base name (orders as delivered).
    QString putMessage(const QString& user, const QByteArray& bytes);
    // Base names (flags cut off) of the messages in the user's maildir, sorted as delivered.
    QStringList listMaildir(const QString& user) const;
    // The stored bytes of one message by base name; empty when it is gone.
    QByteArray maildirMessage(const QString& user, const QString& name) const;

    // The server's log so far.
    QByteArray log() const;
    // Number of POP3 sessions (after login) that have ended so far, from the server's log.
    int endedSessions() const;
    // Waits until at least count sessions have ended: the server carries out deletions at a session's end.
    bool waitForEndedSessions(int count, int timeoutMs = 10000) const;

private:
    QString mailDirectory(const QString& user) const;
    QString findMessageFile(const QString& user, const QString& name) const;
    bool runScript(const char* script, const QStringList& arguments);

    QTemporaryDir m_dir;
    quint16 m_port = 0;
    quint16 m_pop3sPort = 0;
    bool m_running = false;
    QString m_error;
    int m_delivered = 0;
};

} // namespace vantor::support
