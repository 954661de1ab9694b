#include "mail/mime/MailMessage.h"
#include "mail/net/SmtpClient.h"
#include "support/ScriptedServer.h"

#include <QHostInfo>
#include <QTest>

#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::Handshaking;
using vantor::mail::net::SecurityMode;
using vantor::mail::net::SmtpClient;
using vantor::mail::net::TalkError;
using vantor::support::ScriptedServer;
using Pieces = QList<ScriptedServer::Piece>;
using Lines = QList<QByteArray>;

namespace {

QByteArray hostName()
{
    return QHostInfo::localHostName().toUtf8();
}

} // namespace

// The SMTP client against a scripted server: fallbacks, split and multi-line replies, refusals.
class SmtpFaultsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServer> m_server;
    MailMessage m_message;

    std::unique_ptr<SmtpClient> client(int timeOut = 10)
    {
        auto smtp = std::make_unique<SmtpClient>();
        smtp->setHost(m_server->host().toStdString());
        smtp->setPort(m_server->port());
        smtp->setUserName("anna");
        smtp->setPassword("pw");
        smtp->setTimeOut(timeOut);
        smtp->setMailMessage(&m_message);
        return smtp;
    }

    // A client past greeting and EHLO on a server that does not take AUTH LOGIN.
    std::unique_ptr<SmtpClient> connected(int timeOut = 10)
    {
        m_server->greet("220 ready\r\n").reply("250 hello\r\n").reply("502 no AUTH here\r\n");
        auto smtp = client(timeOut);
        return smtp->connect() ? std::move(smtp) : nullptr;
    }

private slots:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        m_message.reset();
        m_message.setFrom("", "anna@example.org");
        m_message.toList().addRecipient("", "bob@example.net");
        m_message.bccList().addRecipient("", "dora@example.com");
        m_message.setTextPlain(".\r\nline\r\n");
        m_message.assembleBody();
    }

    void heloIsTheFallbackForARefusedEhlo()
    {
        m_server->greet("220 ready\r\n").reply("500 what\r\n").reply("250 hi\r\n").reply("502 no\r\n");
        auto smtp = client();
        QVERIFY(smtp->connect());
        QVERIFY(!smtp->authAccepted());
        QCOMPARE(m_server->receivedLines(),
                 Lines({"EHLO " + hostName(), "HELO " + hostName(), "AUTH LOGIN"}));
    }

    void multiLineRepliesInSeparatePiecesAreReadWhole()
    {
        m_server->greet(Pieces{{"220-first greeting line\r\n", 0}, {"220 second\r\n", 30}});
        m_server->reply(Pieces{{"250-hello\r\n", 0}, {"250-AUTH LOGIN\r\n", 30}, {"250 8BITMIME\r\n", 30}});
        m_server->reply("334 VXNlcm5hbWU6\r\n").reply("334 UGFzc3dvcmQ6\r\n").reply("235 welcome\r\n");
        auto smtp = client();
        const std::string password(70, 'p');
        smtp->setPassword(password);
        QVERIFY(smtp->connect());
        QVERIFY(smtp->authAccepted());
        // The whole password travels, not only its first 57 bytes.
        const QByteArray encoded = QByteArray::fromStdString(password).toBase64();
        QCOMPARE(m_server->receivedLines(), Lines({"EHLO " + hostName(), "AUTH LOGIN", "YW5uYQ==", encoded}));
    }

    void emptyUserNameIsSentAsAnEmptyLine()
    {
        m_server->greet("220 ready\r\n").reply("250 hello\r\n").reply("334 VXNlcm5hbWU6\r\n");
        m_server->reply("535 no such user\r\n");
        auto smtp = client();
        smtp->setUserName("");
        QVERIFY(!smtp->connect());
        QVERIFY(!smtp->connected());
        QCOMPARE(m_server->receivedLines(), Lines({"EHLO " + hostName(), "AUTH LOGIN", ""}));
    }

    void refusedGreetingFailsTheConnect()
    {
        m_server->greet("554 go away\r\n");
        auto smtp = client();
        QVERIFY(!smtp->connect());
        QVERIFY(!smtp->connected());
        smtp->abort();
    }

    void manualHandshakingStopsAfterTheGreeting()
    {
        m_server->greet("220 ready\r\n").reply("250 hello\r\n");
        auto smtp = client();
        smtp->setHandshaking(Handshaking::hsManual);
        QVERIFY(smtp->connect());
        QVERIFY(smtp->sendEhlo());
        QCOMPARE(m_server->receivedLines(), Lines({"EHLO " + hostName()}));
    }

    void refusedStartTlsFailsTheConnect()
    {
        m_server->greet("220 ready\r\n")
            .reply("250-hello\r\n250 STARTTLS\r\n")
            .reply("454 TLS not available\r\n");
        auto smtp = client();
        smtp->setSecurity(SecurityMode::STARTTLS);
        QVERIFY(!smtp->connect());
        QCOMPARE(smtp->connectFailure(), vantor::mail::net::ConnectFailure::NoTls);
        QCOMPARE(m_server->receivedLines(), Lines({"EHLO " + hostName(), "STARTTLS"}));
    }

    void sendTranscriptHasSortedDistinctRecipientsAndStuffedDots()
    {
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->reply("250 ok\r\n").reply("250 ok\r\n").reply("250 ok\r\n").reply("354 go\r\n");
        m_server->replyToData("250 queued\r\n");
        QVERIFY(smtp->sendMessageTo("anna@example.org", "zed@example.net,Bob@example.net,bob@EXAMPLE.net"));
        QCOMPARE(m_server->receivedLines().mid(2),
                 Lines({"MAIL FROM: <anna@example.org>", "RCPT TO: <Bob@example.net>",
                        "RCPT TO: <zed@example.net>", "DATA"}));
        QCOMPARE(m_server->receivedData().size(), 1);
        const QByteArray data = m_server->receivedData().first();
        QVERIFY(data.endsWith("\r\n\r\n..\r\nline\r\n"));
        QVERIFY(!data.contains("dora@example.com"));
        QVERIFY(m_message.hasHeader("Bcc"));
    }

    void permanentFailurePieceEndsTheWaitAtOnce()
    {
        auto smtp = connected(30);
        QVERIFY(smtp);
        m_server->reply(Pieces{{"554-policy says no\r\n", 0}, {"554 rejected\r\n", 5000}});
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "bob@example.net"));
        QCOMPARE(smtp->lastError(), TalkError::None);
        // The second line is still on its way: the client did not wait for it.
        QVERIFY(!m_server->isDone());
    }

    void refusedRecipientStopsTheSendWithoutAReset()
    {
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->reply("250 ok\r\n").reply("250 ok\r\n").reply("550 no such user\r\n").reply("221 bye\r\n");
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "a@example.net,b@example.net,c@example.net"));
        QVERIFY(smtp->quit());
        QCOMPARE(m_server->receivedLines().mid(2),
                 Lines({"MAIL FROM: <anna@example.org>", "RCPT TO: <a@example.net>",
                        "RCPT TO: <b@example.net>", "QUIT"}));
    }

    void refusedDataTextFailsAndRestoresTheHeader()
    {
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->reply("250 ok\r\n").reply("250 ok\r\n").reply("250 ok\r\n").reply("354 go\r\n");
        m_server->replyToData("552 too big\r\n");
        const std::vector<std::string> before = m_message.headerLines();
        QVERIFY(!m_message.hasHeader("Message-ID"));
        QVERIFY(!smtp->sendMessage());
        QVERIFY(m_message.hasHeader("Bcc"));
        QVERIFY(m_message.hasHeader("Message-ID"));
        QCOMPARE(m_message.headerLines().size(), before.size() + 1);
    }

    void lineBreakInAnAddressSendsNothing_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("recipients");
        QTest::newRow("sender") << QByteArray("anna@example.org>\r\nRCPT TO: <x@y.z")
                                << QByteArray("b@example.net");
        QTest::newRow("recipient") << QByteArray("anna@example.org")
                                   << QByteArray("b@example.net,\"c@x\r\nDATA\"");
    }

    void lineBreakInAnAddressSendsNothing()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, recipients);
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->reply("221 bye\r\n");
        QVERIFY(!smtp->sendMessageTo(from.toStdString(), recipients.toStdString()));
        // Whatever went out before QUIT would arrive before it.
        QVERIFY(smtp->quit());
        QCOMPARE(m_server->receivedLines().mid(2), Lines({"QUIT"}));
    }

    void silenceEndsTheWaitAfterTheTimeOut()
    {
        auto smtp = connected(1);
        QVERIFY(smtp);
        m_server->ignoreLine();
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "b@example.net"));
        QCOMPARE(smtp->lastError(), TalkError::TimeOut);
        QVERIFY(smtp->connected());
    }

    void abortDuringASendEndsIt()
    {
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->reply("250 ok\r\n").reply("250 ok\r\n").reply("250 ok\r\n").reply("354 go\r\n");
        m_message.setTextPlain(std::string(20000, 'x'));
        m_message.assembleBody();
        smtp->setPacketSize(1000);
        int reports = 0;
        // The window's Abort button, pressed while the text goes out.
        smtp->setOnProgress([&smtp, &reports](std::int64_t, std::int64_t) {
            if (++reports == 3)
                smtp->abort();
        });
        QVERIFY(!smtp->sendMessage());
        QVERIFY(!smtp->connected());
        QCOMPARE(reports, 3);
    }

    void serverClosingTheConnectionClearsConnected()
    {
        auto smtp = connected();
        QVERIFY(smtp);
        m_server->replyAndClose(Pieces{{"421 shutting down\r\n", 0}});
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "b@example.net"));
        QTRY_VERIFY(!smtp->connected());
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "b@example.net"));
    }
};

QTEST_GUILESS_MAIN(SmtpFaultsTest)
#include "SmtpFaultsTest.moc"
