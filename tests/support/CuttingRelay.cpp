#include "support/CuttingRelay.h"

#include <QHostAddress>

namespace vantor::support {

CuttingRelay::CuttingRelay(const QString& host, quint16 port, QByteArray cutAt)
    : m_host(host)
    , m_port(port)
    , m_cutAt(std::move(cutAt))
{
    connect(&m_listener, &QTcpServer::newConnection, this, &CuttingRelay::onNewConnection);
}

bool CuttingRelay::listen()
{
    return m_listener.listen(QHostAddress::LocalHost);
}

void CuttingRelay::onNewConnection()
{
    m_client = m_listener.nextPendingConnection();
    m_client->setParent(this);
    m_server = new QTcpSocket(this);
    m_partialLine.clear();
    connect(m_client, &QTcpSocket::readyRead, this, &CuttingRelay::fromClient);
    connect(m_server, &QTcpSocket::readyRead, this, &CuttingRelay::fromServer);
    connect(m_server, &QTcpSocket::disconnected, m_client, &QTcpSocket::disconnectFromHost);
    connect(m_client, &QTcpSocket::disconnected, m_server, &QTcpSocket::disconnectFromHost);
    // What the client sends before this is up waits in the socket's buffer.
    m_server->connectToHost(m_host, m_port);
}

void CuttingRelay::fromClient()
{
    m_partialLine += m_client->readAll();
    qsizetype end;
    while ((end = m_partialLine.indexOf("\r\n")) >= 0) {
        const QByteArray line = m_partialLine.left(end + 2);
        m_partialLine.remove(0, end + 2);
        if (line.startsWith(m_cutAt)) {
            m_hasCut = true;
            m_server->abort();
            m_client->abort();
            return;
        }
        m_server->write(line);
    }
}

void CuttingRelay::fromServer()
{
    m_client->write(m_server->readAll());
}

} // namespace vantor::support
