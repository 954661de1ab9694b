#include "BlockingPop3.h"

#include <QList>

namespace {

constexpr int WaitMs = 30000;

} // namespace

bool BlockingPop3::connect(const QString& host, quint16 port)
{
    m_socket.connectToHost(host, port);
    QByteArray greeting;
    return m_socket.waitForConnected(WaitMs) && command({}, false, greeting);
}

bool BlockingPop3::command(const QByteArray& line, bool multiLine, QByteArray& reply)
{
    if (!line.isEmpty()) {
        m_socket.write(line + "\r\n");
        m_socket.flush();
    }
    reply.clear();
    const QByteArray end = multiLine ? QByteArrayLiteral("\r\n.\r\n") : QByteArrayLiteral("\r\n");
    while (!reply.endsWith(end) && !(multiLine && reply.startsWith("-ERR") && reply.endsWith("\r\n"))) {
        if (!m_socket.waitForReadyRead(WaitMs))
            return false;
        reply += m_socket.readAll();
    }
    return reply.startsWith("+OK");
}

bool BlockingPop3::login(const QByteArray& user, const QByteArray& password)
{
    QByteArray reply;
    if (!command("USER " + user, false, reply) || !command("PASS " + password, false, reply) ||
        !command("LIST", true, reply))
        return false;
    const QList<QByteArray> lines = reply.split('\n');
    // Status line, listing lines, "." line, and the empty rest after the last line break.
    m_messageCount = lines.size() < 4 ? 0 : lines[lines.size() - 3].trimmed().split(' ').first().toInt();
    return true;
}

int BlockingPop3::fetchAllHeaders()
{
    int fetched = 0;
    QByteArray reply;
    for (int n = 1; n <= m_messageCount; ++n) {
        if (command("TOP " + QByteArray::number(n) + " 0", true, reply))
            ++fetched;
    }
    return fetched;
}

bool BlockingPop3::retrieve(int number, QByteArray& text)
{
    return command("RETR " + QByteArray::number(number), true, text);
}

bool BlockingPop3::quit()
{
    QByteArray reply;
    const bool accepted = command("QUIT", false, reply);
    m_socket.abort();
    return accepted;
}
