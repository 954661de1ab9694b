#include "support/HttpTestServer.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace vantor::support {

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

// Sends body from offset on, one piece at a time, then closes the connection.
void sendBody(QTcpSocket* socket, const QByteArray& body, qsizetype offset, int pieceBytes, int delayMs)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (offset >= body.size()) {
        socket->disconnectFromHost();
        return;
    }
    socket->write(body.mid(offset, pieceBytes));
    QTimer::singleShot(delayMs, socket,
                       [=] { sendBody(socket, body, offset + pieceBytes, pieceBytes, delayMs); });
}

} // namespace

HttpTestServer::HttpTestServer(bool isTls)
    : m_isTls(isTls)
{}

QString HttpTestServer::caCertificatePath() const
{
    return m_dir.filePath(QStringLiteral("tls/ca.crt"));
}

bool HttpTestServer::start()
{
    if (m_isTls) {
        QProcess make;
        make.setProcessChannelMode(QProcess::MergedChannels);
        make.start(QStringLiteral("/bin/sh"), {QStringLiteral(VANTOR_SERVER_SCRIPTS "/make-certs.sh"),
                                               m_dir.filePath(QStringLiteral("tls"))});
        if (!make.waitForFinished(60000) || make.exitCode() != 0) {
            m_error = QStringLiteral("make-certs.sh failed: ") + QString::fromLocal8Bit(make.readAll());
            return false;
        }
    }
    if (!listen(QHostAddress::LocalHost, 0)) {
        m_error = errorString();
        return false;
    }
    return true;
}

QUrl HttpTestServer::url(const QString& path, const QString& host) const
{
    QUrl url;
    url.setScheme(m_isTls ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(host);
    url.setPort(serverPort());
    url.setPath(path);
    return url;
}

void HttpTestServer::setResponse(const QString& path, const Response& response)
{
    m_responses.insert(path, response);
}

void HttpTestServer::incomingConnection(qintptr socketDescriptor)
{
    QTcpSocket* socket = nullptr;
    if (m_isTls) {
        auto* tls = new QSslSocket(this);
        tls->setSocketDescriptor(socketDescriptor);
        tls->setLocalCertificate(
            QSslCertificate::fromPath(m_dir.filePath(QStringLiteral("tls/server.crt"))).value(0));
        QFile keyFile(m_dir.filePath(QStringLiteral("tls/server.key")));
        keyFile.open(QIODevice::ReadOnly);
        tls->setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
        // A client that refuses the certificate just goes away; the test sees that on its side.
        connect(tls, &QSslSocket::sslErrors, tls, [] {});
        tls->startServerEncryption();
        socket = tls;
    } else {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(socketDescriptor);
    }
    auto head = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
        if (head->endsWith("\r\n\r\n"))
            return;
        head->append(socket->readAll());
        if (head->contains("\r\n\r\n"))
            answer(socket, *head);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void HttpTestServer::answer(QTcpSocket* socket, const QByteArray& requestHead)
{
    const QList<QByteArray> requestLine = requestHead.left(requestHead.indexOf("\r\n")).split(' ');
    const QString method = QString::fromLatin1(requestLine.value(0));
    const QString path = QString::fromLatin1(requestLine.value(1));
    m_requests << method + QLatin1Char(' ') + path;

    Response response;
    if (m_responses.contains(path)) {
        response = m_responses.value(path);
    } else {
        response.status = 404;
        response.body = "no such file\n";
    }
    const qint64 length = response.declaredLength >= 0 ? response.declaredLength : response.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                      reasonPhrase(response.status) + "\r\nContent-Length: " + QByteArray::number(length) +
                      "\r\nConnection: close\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    socket->write(head + "\r\n");
    if (method == QLatin1String("HEAD") || response.body.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    const int piece = response.chunkBytes > 0 ? response.chunkBytes : static_cast<int>(response.body.size());
    sendBody(socket, response.body, 0, piece, response.chunkDelayMs);
}

} // namespace vantor::support
