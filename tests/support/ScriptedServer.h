#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace vantor::support {

// An in-process server on 127.0.0.1 that plays a script, for the faults a real server will not produce:
// replies split into pieces, silence, a close in the middle of a reply, odd bytes. Runs on the thread of
// the client under test, so it is served by the client's own waiting loop.
//
// The script is a queue of steps, each waiting for one trigger (the connection, one command line, or a
// block of message data ending in CR LF "." CR LF) and then sending its pieces, each after its delay.
// Once the queue is empty the server keeps quiet. One client connection at a time.
class ScriptedServer : public QObject
{
    Q_OBJECT

public:
    struct Piece
    {
        QByteArray bytes;
        int delayMs = 0; // pause before this piece is sent
    };

    ScriptedServer();
    ~ScriptedServer() override;

    bool listen();
    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 port() const { return m_server.serverPort(); }

    // On connection: send the greeting as one piece.
    ScriptedServer& greet(const QByteArray& bytes);
    ScriptedServer& greet(const QList<Piece>& pieces);
    // After the next command line: answer it.
    ScriptedServer& reply(const QByteArray& bytes);
    ScriptedServer& reply(const QList<Piece>& pieces);
    // After the next command line: send the pieces (possibly none), then close the connection.
    ScriptedServer& replyAndClose(const QList<Piece>& pieces = {});
    // After the next command line: say nothing (the client must time out).
    ScriptedServer& ignoreLine();
    // After the next block of message data: answer it.
    ScriptedServer& replyToData(const QByteArray& bytes);

    // The bytes split into pieces of pieceSize bytes, each sent delayMs after the one before.
    static QList<Piece> split(const QByteArray& bytes, int pieceSize, int delayMs = 0);

    // Every byte received from clients, in order.
    QByteArray received() const { return m_received; }
    // The command lines received so far, without their CR LF (message data not included).
    QList<QByteArray> receivedLines() const { return m_lines; }
    // Message data blocks received so far, each without its final "." line.
    QList<QByteArray> receivedData() const { return m_data; }
    bool hasClient() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }
    int connectionCount() const { return m_connections; }
    // The script has been played to its end and every piece is out.
    bool isDone() const { return m_steps.isEmpty() && m_pending.isEmpty(); }

private:
    enum class Trigger
    {
        Connection,
        Line,
        Data
    };
    struct Step
    {
        Trigger trigger;
        QList<Piece> pieces;
        bool closeAfter = false;
    };

    ScriptedServer& add(Trigger trigger, const QList<Piece>& pieces, bool closeAfter);
    void onNewConnection();
    void onReadyRead();
    bool consumeTrigger();
    void play(const Step& step);
    void sendNext();

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QList<Step> m_steps;
    QList<Piece> m_pending;
    bool m_closeWhenSent = false;
    bool m_sending = false;
    QByteArray m_input;
    QByteArray m_received;
    QList<QByteArray> m_lines;
    QList<QByteArray> m_data;
    int m_connections = 0;
};

} // namespace vantor::support
