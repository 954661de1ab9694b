#include "mail/net/SocketConversation.h"

#include "support/ScriptedServer.h"

#include <QTest>
#include <QTimer>

#include <memory>

using vantor::mail::net::ConversationListener;
using vantor::mail::net::ReplyEnd;
using vantor::mail::net::SocketConversation;
using vantor::mail::net::TalkError;
using vantor::support::ScriptedServer;
using Pieces = QList<ScriptedServer::Piece>;
using Progress = std::vector<std::pair<std::int64_t, std::int64_t>>;

namespace {

// Accepts every awaited reply and records what it hears; can cancel on the first piece.
class RecordingListener : public ConversationListener
{
public:
    SocketConversation* conversation = nullptr;
    bool cancelOnPiece = false;
    std::vector<int> completedSteps;
    std::vector<std::string> pieces;
    int disconnects = 0;
    int errors = 0;

    void replyComplete(int step, bool& success, std::string_view) override
    {
        completedSteps.push_back(step);
        success = step != 0;
    }
    void dataReceived(int, bool&, std::string_view piece, bool) override
    {
        pieces.emplace_back(piece);
        if (cancelOnPiece)
            conversation->cancelWait();
    }
    void talkError(int, TalkError) override
    {
        ++errors;
        conversation->cancelWait();
    }
    void talkDisconnected() override { ++disconnects; }
};

} // namespace

// The conversation itself, below any protocol: waiting, buffers, packets, cancellation.
class SocketConversationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<RecordingListener> m_listener;
    std::unique_ptr<SocketConversation> m_conversation;

    bool openWithGreeting(const ReplyEnd& end = ReplyEnd::oneLine())
    {
        m_conversation->prepareWait(1, end);
        m_conversation->open(m_server->host().toStdString(), m_server->port(), false);
        m_conversation->waitReply();
        return m_conversation->success();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        m_listener = std::make_unique<RecordingListener>();
        m_conversation = std::make_unique<SocketConversation>(*m_listener);
        m_listener->conversation = m_conversation.get();
        m_conversation->setTimeOut(10);
    }

    void cleanup()
    {
        m_conversation.reset();
        m_server.reset();
    }

    void packetSendReportsProgressPerPacketAndOnlyOnce()
    {
        m_server->greet("hello\r\n").reply("ok one\r\n").reply("ok two\r\n");
        QVERIFY(openWithGreeting());
        Progress progress;
        m_conversation->setOnProgress(
            [&progress](std::int64_t total, std::int64_t current) { progress.emplace_back(total, current); });
        const std::string command = std::string(33, 'a') + "\r\n";
        m_conversation->setPacketSize(10);
        m_conversation->talk(command, ReplyEnd::oneLine(), 2);
        m_conversation->waitReply();
        QVERIFY(m_conversation->success());
        QCOMPARE(progress, (Progress{{35, 0}, {35, 10}, {35, 20}, {35, 30}, {35, 35}, {35, 35}}));
        // The packet size served that one command only.
        progress.clear();
        m_conversation->talk(command, ReplyEnd::oneLine(), 3);
        m_conversation->waitReply();
        QVERIFY(m_conversation->success());
        QVERIFY(progress.empty());
        QCOMPARE(m_server->receivedLines(), QList<QByteArray>({QByteArray(33, 'a'), QByteArray(33, 'a')}));
    }

    void eventLoopKeepsRunningWhileWaiting()
    {
        m_server->greet(Pieces{{"hello\r\n", 300}});
        bool timerFired = false;
        QTimer::singleShot(20, [&timerFired] { timerFired = true; });
        QVERIFY(openWithGreeting());
        QVERIFY(timerFired);
    }

    void firstPieceRuleTakesWhateverCameFirst()
    {
        m_server->greet(Pieces{{"+O", 0}, {"K\r\n", 100}});
        QVERIFY(openWithGreeting(ReplyEnd::firstPiece()));
        QCOMPARE(m_conversation->replyBuffer(), std::string("+O"));
    }

    void dataWhileIdleStaysUntilTheNextCommandClearsIt()
    {
        m_server->greet("hello\r\n").reply(Pieces{{"ok\r\n", 0}, {"late\r\n", 50}}).reply("second\r\n");
        QVERIFY(openWithGreeting());
        m_conversation->talk("one\r\n", ReplyEnd::oneLine(), 2);
        m_conversation->waitReply();
        QVERIFY(m_conversation->success());
        QTRY_COMPARE(m_conversation->replyBuffer(), std::string("ok\r\nlate\r\n"));
        // The stray line was judged as nothing awaited.
        QCOMPARE(m_listener->completedSteps, (std::vector<int>{1, 2, 0}));
        m_conversation->talk("two\r\n", ReplyEnd::oneLine(), 3);
        m_conversation->waitReply();
        QCOMPARE(m_conversation->replyBuffer(), std::string("second\r\n"));
    }

    void cancelFromAPieceEndsTheWaitWithoutSuccess()
    {
        m_server->greet("hello\r\n").reply("+OK\r\nbut the rest never comes");
        QVERIFY(openWithGreeting());
        m_listener->cancelOnPiece = true;
        m_conversation->talk("RETR 1\r\n", ReplyEnd::multiLine(), 6);
        m_conversation->waitReply();
        QVERIFY(!m_conversation->success());
        QVERIFY(!m_conversation->isWaiting());
        QCOMPARE(m_listener->completedSteps.back(), 0);
        QCOMPARE(m_conversation->stepCode(), 0);
    }

    void disconnectionEndsTheWaitAndIsReported()
    {
        m_server->greet("hello\r\n").replyAndClose(Pieces{{"partial", 0}});
        QVERIFY(openWithGreeting());
        m_conversation->talk("cmd\r\n", ReplyEnd::oneLine(), 2);
        m_conversation->waitReply();
        QVERIFY(!m_conversation->success());
        QCOMPARE(m_listener->disconnects, 1);
        QCOMPARE(m_listener->errors, 0);
        QCOMPARE(m_conversation->replyBuffer(), std::string("partial"));
        QVERIFY(!m_conversation->isActive());
    }

    void refusedConnectionIsAnError()
    {
        const quint16 port = m_server->port();
        m_server.reset();
        m_conversation->prepareWait(1, ReplyEnd::oneLine());
        m_conversation->open("127.0.0.1", port, false);
        m_conversation->waitReply();
        QVERIFY(!m_conversation->success());
        QCOMPARE(m_conversation->lastError(), TalkError::Socket);
        QCOMPARE(m_listener->errors, 1);
    }

    void commandOnAClosedConnectionEndsByTimeOut()
    {
        m_conversation->setTimeOut(1);
        m_conversation->talk("nobody listens\r\n", ReplyEnd::oneLine(), 2);
        m_conversation->waitReply();
        QVERIFY(!m_conversation->success());
        QCOMPARE(m_conversation->lastError(), TalkError::TimeOut);
    }
};

QTEST_GUILESS_MAIN(SocketConversationTest)
#include "SocketConversationTest.moc"
