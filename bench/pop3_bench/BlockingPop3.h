#pragma once

#include <QByteArray>
#include <QTcpSocket>

// The floor to measure the client against: the same POP3 commands one at a time over a plain
// QTcpSocket, each reply awaited with waitForReadyRead, no event loop, no judgement beyond "+OK".
class BlockingPop3
{
public:
    bool connect(const QString& host, quint16 port);
    bool login(const QByteArray& user, const QByteArray& password);
    // TOP n 0 for every listed message; returns the number of headers fetched.
    int fetchAllHeaders();
    bool retrieve(int number, QByteArray& text);
    bool quit();
    int messageCount() const { return m_messageCount; }

private:
    bool command(const QByteArray& line, bool multiLine, QByteArray& reply);

    QTcpSocket m_socket;
    int m_messageCount = 0;
};
