#include "support/DovecotServer.h"
#include "support/SmtpTestServer.h"

#include <QTcpSocket>
#include <QTest>

using vantor::support::DovecotServer;
using vantor::support::SmtpTestServer;

// The test servers themselves, spoken to with a bare blocking socket, so that a fault in a client test
// can be told apart from a fault in the server set-up.
class ServersTest : public QObject
{
    Q_OBJECT

private:
    static QByteArray command(QTcpSocket& socket, const QByteArray& line, const QByteArray& end = "\r\n")
    {
        if (!line.isEmpty())
            socket.write(line + "\r\n");
        QByteArray reply;
        while (!reply.endsWith(end) && socket.waitForReadyRead(10000))
            reply += socket.readAll();
        return reply;
    }

    // An SMTP reply ends with its final line: the code followed by a space.
    static QByteArray smtpCommand(QTcpSocket& socket, const QByteArray& line)
    {
        QByteArray reply = command(socket, line);
        while (reply.size() > 3 && reply.at(reply.lastIndexOf('\n', -3) + 4) != ' ' &&
               socket.waitForReadyRead(10000))
            reply += socket.readAll();
        return reply;
    }

private slots:
    void dovecotServesDeliveredMessagesAndDeletesOnQuit()
    {
        DovecotServer server;
        server.addUser(QStringLiteral("anna"), QStringLiteral("pw1"));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        const QString first = server.putMessage(QStringLiteral("anna"), "Subject: one\r\n\r\nbody\r\n");
        const QString second = server.putMessage(QStringLiteral("anna"), "Subject: two\r\n\r\n.dot\r\n");
        QCOMPARE(server.listMaildir(QStringLiteral("anna")), QStringList({first, second}));

        QTcpSocket socket;
        socket.connectToHost(server.host(), server.port());
        QVERIFY(command(socket, {}).startsWith("+OK"));
        QVERIFY(command(socket, "USER anna").startsWith("+OK"));
        QVERIFY(command(socket, "PASS pw1").startsWith("+OK"));
        QCOMPARE(command(socket, "LIST", "\r\n.\r\n"),
                 QByteArray("+OK 2 messages:\r\n1 22\r\n2 22\r\n.\r\n"));
        QVERIFY(command(socket, "RETR 2", "\r\n.\r\n").endsWith("\r\n\r\n..dot\r\n.\r\n"));
        QVERIFY(command(socket, "DELE 1").startsWith("+OK"));
        QVERIFY(command(socket, "QUIT").startsWith("+OK"));
        QVERIFY(server.waitForEndedSessions(1));
        QCOMPARE(server.listMaildir(QStringLiteral("anna")), QStringList({second}));
        QCOMPARE(server.maildirMessage(QStringLiteral("anna"), second),
                 QByteArray("Subject: two\r\n\r\n.dot\r\n"));
        QVERIFY(QFile::exists(server.caCertificatePath()));
    }

    void dovecotRefusesAWrongPassword()
    {
        DovecotServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        server.addUser(QStringLiteral("ben"), QStringLiteral("right"));
        QTcpSocket socket;
        socket.connectToHost(server.host(), server.port());
        command(socket, {});
        command(socket, "USER ben");
        QVERIFY(command(socket, "PASS wrong").startsWith("-ERR"));
    }

    void smtpServerRecordsEnvelopeAndData()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        QTcpSocket socket;
        socket.connectToHost(server.host(), server.port());
        QVERIFY(command(socket, {}).startsWith("220"));
        QVERIFY(smtpCommand(socket, "EHLO client").contains("\r\n250 "));
        QVERIFY(command(socket, "MAIL FROM:<a@example.org>").startsWith("250"));
        QVERIFY(command(socket, "RCPT TO:<b@example.org>").startsWith("250"));
        QVERIFY(command(socket, "RCPT TO:<c@example.org>").startsWith("250"));
        QVERIFY(command(socket, "DATA").startsWith("354"));
        QVERIFY(command(socket, "Subject: s\r\n\r\n..dot\r\n.").startsWith("250"));
        const QList<SmtpTestServer::Message> messages = server.received();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].mailFrom, QByteArray("a@example.org"));
        QCOMPARE(messages[0].recipients, QList<QByteArray>({"b@example.org", "c@example.org"}));
        QCOMPARE(messages[0].data, QByteArray("Subject: s\r\n\r\n.dot\r\n"));
        QVERIFY(messages[0].authUser.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ServersTest)
#include "ServersTest.moc"
