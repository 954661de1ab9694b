#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "support/ScriptedServer.h"

#include <QTest>

#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::Pop3Client;
using vantor::mail::net::TalkError;
using vantor::support::ScriptedServer;
using Pieces = QList<ScriptedServer::Piece>;
Q_DECLARE_METATYPE(Pieces)

namespace {

const QByteArray TwoMessages = "+OK 2 messages\r\n1 120\r\n2 340\r\n.\r\n";

std::unique_ptr<Pop3Client> clientFor(const ScriptedServer& server, int timeOut = 10)
{
    auto pop3 = std::make_unique<Pop3Client>();
    pop3->setHost(server.host().toStdString());
    pop3->setPort(server.port());
    pop3->setUserName("anna");
    pop3->setPassword("pw");
    pop3->setTimeOut(timeOut);
    return pop3;
}

} // namespace

// The POP3 client against a scripted server: replies in odd pieces, silence, early closes, odd bytes.
class Pop3FaultsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServer> m_server;

    // A client that has logged in to a server that listed `listing`.
    std::unique_ptr<Pop3Client> loggedIn(const QByteArray& listing = TwoMessages, int timeOut = 10)
    {
        m_server->greet("+OK ready\r\n").reply("+OK\r\n").reply("+OK\r\n").reply(listing);
        auto pop3 = clientFor(*m_server, timeOut);
        if (!pop3->connect() || !pop3->login())
            return nullptr;
        return pop3;
    }

private slots:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
    }

    void commandsGoOutAsWritten()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply("+OK\r\nSubject: x\r\n\r\n.\r\n").reply("+OK\r\nSubject: x\r\n\r\nbody\r\n.\r\n");
        m_server->reply("+OK\r\n").reply("+OK bye\r\n");
        QVERIFY(pop3->retrieveHeader(2, 0));
        QVERIFY(pop3->retrieveMessage(1));
        QVERIFY(pop3->deleteMessage(1));
        QVERIFY(pop3->quit());
        QCOMPARE(m_server->receivedLines(),
                 QList<QByteArray>({"USER anna", "PASS pw", "LIST", "TOP 2 0", "RETR 1", "DELE 1", "QUIT"}));
    }

    void repliesSplitAtEveryByteAreWhole()
    {
        m_server->greet(ScriptedServer::split("+OK hello\r\n", 1));
        m_server->reply(ScriptedServer::split("+OK\r\n", 1)).reply(ScriptedServer::split("+OK\r\n", 1));
        m_server->reply(ScriptedServer::split(TwoMessages, 1));
        m_server->reply(ScriptedServer::split("+OK 9\r\nA: b\r\n\r\n..x\r\n.\r\n", 1));
        auto pop3 = clientFor(*m_server);
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        QCOMPARE(pop3->messageCount(), 2);
        QCOMPARE(pop3->messageSizes(), (std::vector<std::int32_t>{0, 120, 340}));
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastMessage(), std::string("A: b\r\n\r\n.x\r\n"));
    }

    void terminatorSplitAcrossPiecesIsFound()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply(Pieces{{"+OK\r\nbody\r\n", 0}, {".", 30}, {"\r\n", 30}});
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastMessage(), std::string("body\r\n"));
    }

    void errPieceInsideAMessageIsJustText()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply(
            Pieces{{"+OK\r\nfirst\r\n", 0}, {"-ERR looks like an error\r\n", 30}, {"end\r\n.\r\n", 30}});
        QVERIFY(pop3->retrieveMessage(2));
        QCOMPARE(pop3->lastMessage(), std::string("first\r\n-ERR looks like an error\r\nend\r\n"));
    }

    void errAnswerToAMultiLineCommandEndsTheWaitAtOnce()
    {
        auto pop3 = loggedIn(TwoMessages, 30);
        QVERIFY(pop3);
        m_server->reply("-ERR no such message\r\n");
        m_server->reply(Pieces{{"-E", 0}, {"RR split\r", 30}, {"\n", 30}});
        m_server->reply("+OK\r\n");
        QVERIFY(!pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastError(), TalkError::None);
        QCOMPARE(pop3->failureText(), std::string("-ERR no such message"));
        QVERIFY(!pop3->retrieveHeader(2, 0));
        QCOMPARE(pop3->lastError(), TalkError::None);
        QVERIFY(pop3->lastMessage().empty());
        // The conversation is in step again for the next command.
        QVERIFY(pop3->deleteMessage(1));
    }

    void silenceAbortsTheSession()
    {
        auto pop3 = loggedIn(TwoMessages, 1);
        QVERIFY(pop3);
        // The reply to TOP 1 comes late: had the session gone on, it would pass for the reply to TOP 2.
        m_server->reply(Pieces{{"+OK\r\nFrom: spam@example.com\r\n\r\n.\r\n", 1500}});
        QVERIFY(!pop3->retrieveHeader(1, 0));
        QCOMPARE(pop3->lastError(), TalkError::TimeOut);
        QVERIFY(!pop3->connected());
        QVERIFY(!pop3->retrieveHeader(2, 0));
        QVERIFY(!pop3->deleteMessage(2));
        QVERIFY(!pop3->quit());
        QTRY_VERIFY(!m_server->hasClient());
        QCOMPARE(m_server->receivedLines().last(), QByteArray("TOP 1 0"));
    }

    // Replies no honest server sends, each of which would break the lockstep if the session went on.
    void faultyRepliesAbortTheSession_data()
    {
        QTest::addColumn<Pieces>("reply");
        QTest::addColumn<int>("error");
        // Past the header limit of a megabyte, without an end.
        QTest::newRow("endless") << ScriptedServer::split("+OK\r\n" + QByteArray(3 << 20, 'x'), 1 << 16)
                                 << int(TalkError::Oversized);
        // Each byte just inside the inactivity limit: the header's whole deadline runs out first.
        QTest::newRow("drip") << ScriptedServer::split("+OK\r\nSubject: slow\r\n\r\n.\r\n", 1, 700)
                              << int(TalkError::TimeOut);
        // A refusal followed by more: what follows would be taken as the next command's reply.
        QTest::newRow("refusal and more") << Pieces{{"-ERR no\r\n+OK\r\n", 0}} << int(TalkError::None);
    }

    void faultyRepliesAbortTheSession()
    {
        QFETCH(Pieces, reply);
        QFETCH(int, error);
        auto pop3 = loggedIn(TwoMessages, 1);
        QVERIFY(pop3);
        m_server->reply(reply);
        QVERIFY(!pop3->retrieveHeader(1, 0));
        QCOMPARE(int(pop3->lastError()), error);
        QVERIFY(!pop3->connected());
        QTRY_VERIFY(!m_server->hasClient());
        QVERIFY(!pop3->failureText().empty());
    }

    void oneLineReplyWithASecondLineAbortsTheSession()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply("+OK deleted\r\n+OK\r\n");
        QVERIFY(!pop3->deleteMessage(1));
        QVERIFY(!pop3->connected());
    }

    void slowButSteadySenderDoesNotTimeOut()
    {
        auto pop3 = loggedIn(TwoMessages, 1);
        QVERIFY(pop3);
        // Eight pieces 300 ms apart: the reply takes far longer than the time-out, no silence does.
        m_server->reply(ScriptedServer::split("+OK\r\nline one\r\nline two\r\n.\r\n", 4, 300));
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastMessage(), std::string("line one\r\nline two\r\n"));
    }

    void closeInTheMiddleOfAReplyForgetsTheMailbox()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->replyAndClose(Pieces{{"+OK\r\npartial line\r\n", 0}});
        QVERIFY(!pop3->retrieveMessage(1));
        QVERIFY(!pop3->connected());
        QVERIFY(!pop3->loggedIn());
        QCOMPARE(pop3->messageCount(), -1);
        QVERIFY(pop3->messageSizes().empty());
        QVERIFY(!pop3->retrieveMessage(1));
    }

    void quitAnsweredAndClosedAtOnceIsAccepted()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->replyAndClose(Pieces{{"+OK bye\r\n", 0}});
        QVERIFY(pop3->quit());
        QVERIFY(!pop3->connected());
    }

    void refusedQuitKeepsTheConnection()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply("-ERR not now\r\n");
        QVERIFY(!pop3->quit());
        QVERIFY(pop3->connected());
        QCOMPARE(pop3->messageCount(), 2);
    }

    void listingWithGapsHasZeroSizesBetween()
    {
        auto pop3 = loggedIn("+OK\r\n1 10\r\n2 20\r\n5 50\r\n.\r\n");
        QVERIFY(pop3);
        QCOMPARE(pop3->messageCount(), 5);
        QCOMPARE(pop3->messageSizes(), (std::vector<std::int32_t>{0, 10, 20, 0, 0, 50}));
    }

    void unreadableOrRefusedListingFailsTheLogin_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::newRow("no number") << QByteArray("+OK\r\nabc 10\r\n.\r\n");
        QTest::newRow("refused") << QByteArray("-ERR mailbox locked\r\n");
    }

    void unreadableOrRefusedListingFailsTheLogin()
    {
        QFETCH(QByteArray, listing);
        m_server->greet("+OK\r\n").reply("+OK\r\n").reply("+OK\r\n").reply(listing);
        auto pop3 = clientFor(*m_server);
        QVERIFY(pop3->connect());
        QVERIFY(!pop3->login());
        QCOMPARE(pop3->messageCount(), -1);
    }

    void wrongPasswordStopsBeforeTheListing()
    {
        m_server->greet("+OK\r\n").reply("+OK\r\n").reply("-ERR [AUTH] Authentication failed.\r\n");
        auto pop3 = clientFor(*m_server);
        QVERIFY(pop3->connect());
        QVERIFY(!pop3->login());
        QVERIFY(!pop3->loggedIn());
        QCOMPARE(m_server->receivedLines(), QList<QByteArray>({"USER anna", "PASS pw"}));
    }

    void messageIsCutAtANulByte()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply(QByteArray("+OK\r\nA\r\nB\0C\r\nD\r\n.\r\n", 19));
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastMessage(), std::string("A\r\nB\r\n"));
    }

    void bareLineEndsBecomeCrLf()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        m_server->reply("+OK\r\nA\nB\rC\r\n.\r\n");
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(pop3->lastMessage(), std::string("A\r\nB\r\nC\r\n"));
    }

    void headerFetchKeepsFoldedLinesAsTheyCame()
    {
        auto pop3 = loggedIn();
        QVERIFY(pop3);
        MailMessage message;
        pop3->setMailMessage(&message);
        m_server->reply("+OK\r\nsubject: first part\r\n  second part\r\nFrom: a@b.c\r\n\r\n.\r\n");
        QVERIFY(pop3->retrieveHeader(1, 0));
        QCOMPARE(message.headerLines(),
                 (std::vector<std::string>{"subject: first part", "  second part", "From: a@b.c", ""}));
    }

    void lineBreakInAnArgumentSendsNothing_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("user") << QByteArray("anna\r\nDELE 1") << QByteArray("pw");
        QTest::newRow("password") << QByteArray("anna") << QByteArray("pw\nDELE 1");
    }

    void lineBreakInAnArgumentSendsNothing()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, password);
        m_server->greet("+OK\r\n").reply("+OK bye\r\n");
        auto pop3 = clientFor(*m_server);
        pop3->setUserName(user.toStdString());
        pop3->setPassword(password.toStdString());
        QVERIFY(pop3->connect());
        QVERIFY(!pop3->login());
        QVERIFY(!pop3->loggedIn());
        // The connection keeps its order: whatever went out before QUIT would arrive before it.
        QVERIFY(pop3->quit());
        QCOMPARE(m_server->received(), QByteArray("QUIT\r\n"));
    }

    void hostWithALineBreakOrABadNumberIsNotContacted()
    {
        auto pop3 = clientFor(*m_server);
        pop3->setHost("127.0.0.1\r\n");
        QVERIFY(!pop3->connect());
        pop3->setHost("300.1.1");
        QVERIFY(!pop3->connect());
        QCOMPARE(pop3->lastError(), TalkError::Socket);
        QCOMPARE(m_server->connectionCount(), 0);
    }

    void refusedGreetingFailsTheConnect()
    {
        m_server->greet("-ERR go away\r\n");
        auto pop3 = clientFor(*m_server);
        QVERIFY(!pop3->connect());
        QVERIFY(!pop3->connected());
        pop3->abort();
    }

    void progressFollowsTheListedSize()
    {
        auto pop3 = loggedIn("+OK\r\n1 30\r\n.\r\n");
        QVERIFY(pop3);
        std::vector<std::pair<std::int64_t, std::int64_t>> progress;
        pop3->setOnProgress(
            [&progress](std::int64_t total, std::int64_t current) { progress.emplace_back(total, current); });
        m_server->reply(Pieces{{"+OK 30\r\n0123456789\r\n", 0}, {"0123456789\r\n.\r\n", 30}});
        QVERIFY(pop3->retrieveMessage(1));
        QCOMPARE(progress.size(), 2U);
        QCOMPARE(progress[0], (std::pair<std::int64_t, std::int64_t>{30, 20}));
        QCOMPARE(progress[1], (std::pair<std::int64_t, std::int64_t>{30, 35}));
    }
};

QTEST_GUILESS_MAIN(Pop3FaultsTest)
#include "Pop3FaultsTest.moc"
