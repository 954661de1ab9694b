#include "FloorClient.h"

#include <QHostAddress>

namespace vantor::bench {

namespace {

constexpr int WaitMs = 30000;

} // namespace

FloorClient::FloorClient(QByteArray host, quint16 port, QByteArray user, QByteArray password)
    : m_host(std::move(host))
    , m_port(port)
    , m_user(std::move(user))
    , m_password(std::move(password))
{}

bool FloorClient::open()
{
    m_socket.connectToHost(QString::fromLatin1(m_host), m_port);
    return m_socket.waitForConnected(WaitMs) && command(QByteArray(), false);
}

bool FloorClient::command(const QByteArray& line, bool multiLine)
{
    if (!line.isEmpty())
        m_socket.write(line + "\r\n");
    m_reply.clear();
    const QByteArray end = multiLine ? QByteArray("\r\n.\r\n") : QByteArray("\r\n");
    while (!m_reply.startsWith("-ERR") && !m_reply.endsWith(end)) {
        if (!m_socket.waitForReadyRead(WaitMs))
            return false;
        m_reply += m_socket.readAll();
    }
    return m_reply.startsWith("+OK");
}

bool FloorClient::login()
{
    return open() && command("USER " + m_user, false) && command("PASS " + m_password, false) &&
           command("LIST", true);
}

bool FloorClient::quit()
{
    const bool isDone = command("QUIT", false);
    m_socket.disconnectFromHost();
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        m_socket.waitForDisconnected(WaitMs);
    return isDone;
}

bool FloorClient::touch()
{
    return login() && quit();
}

bool FloorClient::headers(int messageCount)
{
    if (!login())
        return false;
    for (int n = 1; n <= messageCount; ++n) {
        if (!command("TOP " + QByteArray::number(n) + " 0", true))
            return false;
    }
    return quit();
}

bool FloorClient::check(int messageCount, const std::set<int>& spam)
{
    if (!login())
        return false;
    for (int n = 1; n <= messageCount; ++n) {
        const QByteArray top = "TOP " + QByteArray::number(n) + " 0";
        if (!command(top, true))
            return false;
        if (spam.contains(n) && !(command(top, true) && command("DELE " + QByteArray::number(n), false)))
            return false;
    }
    if (!quit() || !login())
        return false;
    const int left = messageCount - static_cast<int>(spam.size());
    for (int n = 1; n <= left; ++n) {
        if (!command("TOP " + QByteArray::number(n) + " 0", true))
            return false;
    }
    return quit();
}

} // namespace vantor::bench
