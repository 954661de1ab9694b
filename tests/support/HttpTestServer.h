#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>

namespace vantor::support {

// A small HTTP/1.1 server on 127.0.0.1 and a free port, in this process, plain or over TLS with a
// certificate (for 127.0.0.1 and localhost) from a CA made at start-up. It answers each path with what the
// test set, and can declare more bytes than it sends, send the body slowly, or redirect; one request a
// connection. Paths it was not told about get 404.
class HttpTestServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Response
    {
        int status = 200;
        QByteArray body;
        // Further header lines, e.g. {"Location", "..."} or {"Last-Modified", "..."}.
        QList<QPair<QByteArray, QByteArray>> headers;
        // The Content-Length sent; below 0 the body's own size. More than the body makes a truncated answer.
        qint64 declaredLength = -1;
        // Above 0: the body goes out in pieces of this size, one every chunkDelayMs.
        int chunkBytes = 0;
        int chunkDelayMs = 0;
    };

    explicit HttpTestServer(bool isTls = false);

    // Listens (after making the certificates for TLS); false, with errorText(), when it could not.
    bool start();
    QString errorText() const { return m_error; }
    // PEM file of the CA behind the TLS certificate.
    QString caCertificatePath() const;

    // http(s)://host:port + path.
    QUrl url(const QString& path, const QString& host = QStringLiteral("127.0.0.1")) const;
    void setResponse(const QString& path, const Response& response);
    // "METHOD path" of each request received, oldest first.
    const QStringList& requests() const { return m_requests; }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void answer(QTcpSocket* socket, const QByteArray& requestHead);

    bool m_isTls;
    QTemporaryDir m_dir;
    QHash<QString, Response> m_responses;
    QStringList m_requests;
    QString m_error;
};

} // namespace vantor::support
