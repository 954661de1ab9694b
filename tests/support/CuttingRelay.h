#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace vantor::support {

// A relay on 127.0.0.1 in front of a real server. It passes every byte both ways until the client sends a
// command line that begins with cutAt; then it drops both connections without passing that line on, as a
// network that fails at the worst moment would. Connections are relayed one after the other.
class CuttingRelay : public QObject
{
    Q_OBJECT

public:
    CuttingRelay(const QString& host, quint16 port, QByteArray cutAt);

    bool listen();
    quint16 port() const { return m_listener.serverPort(); }
    // The connection has been cut.
    bool hasCut() const { return m_hasCut; }

private:
    void onNewConnection();
    void fromClient();
    void fromServer();

    QTcpServer m_listener;
    QString m_host;
    quint16 m_port;
    QByteArray m_cutAt;
    QPointer<QTcpSocket> m_client;
    QPointer<QTcpSocket> m_server;
    QByteArray m_partialLine;
    bool m_hasCut = false;
};

} // namespace vantor::support
