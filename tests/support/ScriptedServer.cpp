#include "support/ScriptedServer.h"

#include <QTimer>

namespace vantor::support {

namespace {

const QByteArray DataEnd = QByteArrayLiteral("\r\n.\r\n");

} // namespace

ScriptedServer::ScriptedServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedServer::onNewConnection);
}

ScriptedServer::~ScriptedServer()
{
    if (m_client)
        m_client->abort();
}

bool ScriptedServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

ScriptedServer& ScriptedServer::add(Trigger trigger, const QList<Piece>& pieces, bool closeAfter)
{
    m_steps.append(Step{trigger, pieces, closeAfter});
    return *this;
}

ScriptedServer& ScriptedServer::greet(const QByteArray& bytes)
{
    return greet(QList<Piece>{Piece{bytes, 0}});
}

ScriptedServer& ScriptedServer::greet(const QList<Piece>& pieces)
{
    return add(Trigger::Connection, pieces, false);
}

ScriptedServer& ScriptedServer::reply(const QByteArray& bytes)
{
    return reply(QList<Piece>{Piece{bytes, 0}});
}

ScriptedServer& ScriptedServer::reply(const QList<Piece>& pieces)
{
    return add(Trigger::Line, pieces, false);
}

ScriptedServer& ScriptedServer::replyAndClose(const QList<Piece>& pieces)
{
    return add(Trigger::Line, pieces, true);
}

ScriptedServer& ScriptedServer::ignoreLine()
{
    return add(Trigger::Line, {}, false);
}

ScriptedServer& ScriptedServer::replyToData(const QByteArray& bytes)
{
    return add(Trigger::Data, QList<Piece>{Piece{bytes, 0}}, false);
}

QList<ScriptedServer::Piece> ScriptedServer::split(const QByteArray& bytes, int pieceSize, int delayMs)
{
    QList<Piece> pieces;
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        pieces.append(Piece{bytes.mid(at, pieceSize), delayMs});
    return pieces;
}

void ScriptedServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_client)
            m_client->abort();
        m_client = socket;
        m_input.clear();
        ++m_connections;
        connect(socket, &QTcpSocket::readyRead, this, &ScriptedServer::onReadyRead);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (!m_steps.isEmpty() && m_steps.first().trigger == Trigger::Connection)
            play(m_steps.takeFirst());
    }
}

void ScriptedServer::onReadyRead()
{
    const QByteArray bytes = m_client->readAll();
    m_received += bytes;
    m_input += bytes;
    while (consumeTrigger()) {
    }
}

bool ScriptedServer::consumeTrigger()
{
    const bool wantsData = !m_steps.isEmpty() && m_steps.first().trigger == Trigger::Data;
    if (wantsData) {
        const qsizetype end = m_input.indexOf(DataEnd);
        if (end == -1)
            return false;
        m_data.append(m_input.left(end + 2));
        m_input.remove(0, end + DataEnd.size());
    } else {
        const qsizetype end = m_input.indexOf("\r\n");
        if (end == -1)
            return false;
        m_lines.append(m_input.left(end));
        m_input.remove(0, end + 2);
    }
    if (!m_steps.isEmpty() && m_steps.first().trigger != Trigger::Connection)
        play(m_steps.takeFirst());
    return true;
}

void ScriptedServer::play(const Step& step)
{
    m_pending += step.pieces;
    m_closeWhenSent = m_closeWhenSent || step.closeAfter;
    if (!m_sending)
        sendNext();
}

void ScriptedServer::sendNext()
{
    if (m_pending.isEmpty()) {
        m_sending = false;
        if (m_closeWhenSent && m_client) {
            m_closeWhenSent = false;
            m_client->disconnectFromHost();
        }
        return;
    }
    m_sending = true;
    // Every piece leaves in its own turn of the event loop, after its delay, so the client can see it alone.
    QTimer::singleShot(m_pending.first().delayMs, this, [this] {
        const Piece piece = m_pending.takeFirst();
        if (m_client) {
            m_client->write(piece.bytes);
            m_client->flush();
        }
        sendNext();
    });
}

} // namespace vantor::support
