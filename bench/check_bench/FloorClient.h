#pragma once

#include <QByteArray>
#include <QTcpSocket>

#include <set>

namespace vantor::bench {

// The least a client can do for a check: one blocking socket, one command at a time, no parsing beyond
// finding the end of each reply. Sends the command sequence of the automatic check for a mailbox whose
// spam numbers it is told: USER, PASS, LIST, TOP n 0 for every message (and once more, then DELE, for the
// spam), QUIT; then the second listing: USER, PASS, LIST, TOP n 0 for what is left, QUIT.
class FloorClient
{
public:
    FloorClient(QByteArray host, quint16 port, QByteArray user, QByteArray password);

    // False when a reply did not come or was not "+OK".
    bool check(int messageCount, const std::set<int>& spam);
    // Login, LIST, TOP n 0 for every message, QUIT: what a listing of the mailbox needs at the least.
    bool headers(int messageCount);
    // Login, LIST and QUIT: makes the server build its index before anything is measured.
    bool touch();

private:
    bool open();
    bool command(const QByteArray& line, bool multiLine);
    bool login();
    bool quit();

    QByteArray m_host;
    quint16 m_port;
    QByteArray m_user;
    QByteArray m_password;
    QTcpSocket m_socket;
    QByteArray m_reply;
};

} // namespace vantor::bench
