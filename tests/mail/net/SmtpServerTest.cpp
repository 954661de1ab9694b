#include "mail/mime/MailMessage.h"
#include "mail/net/SmtpClient.h"
#include "support/SmtpTestServer.h"
#include "support/TrustingSocket.h"

#include <QRegularExpression>
#include <QTest>

#include <ctime>
#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::SecurityMode;
using vantor::mail::net::SmtpClient;
using vantor::support::SmtpTestServer;

namespace {

const QString AuthUser = QStringLiteral("anna");
const QString AuthPassword = QStringLiteral("a rather long password that does not fit in 57 bytes at all");

// A message to Bob and Carl, Cc to Bob again in other letters, Bcc to Dora, with dot-stuffing material.
void buildMessage(MailMessage& message)
{
    message.setFrom("Anna Sender", "anna@example.org");
    message.setSubject("Greetings");
    message.toList().addRecipient("Bob", "bob@example.net");
    message.toList().addRecipient("", "carl@example.net");
    message.ccList().addRecipient("", "BOB@example.net");
    message.bccList().addRecipient("Dora", "dora@example.com");
    message.setTextPlain("Hello,\r\n.\r\n..two dots\r\n.leading dot\r\nend\r\n");
    message.assembleBody();
}

QByteArray headerOf(const QByteArray& data)
{
    return data.left(data.indexOf("\r\n\r\n") + 2);
}

// The message text as it must arrive: the Bcc field (with its continuation lines) taken out.
QByteArray withoutBcc(const QByteArray& source)
{
    QByteArray result;
    bool inBcc = false;
    const QByteArray header = headerOf(source);
    for (const QByteArray& line : header.split('\n')) {
        if (line.isEmpty())
            continue;
        const bool continuation = line.startsWith(' ') || line.startsWith('\t');
        inBcc = continuation ? inBcc : line.toLower().startsWith("bcc:");
        if (!inBcc)
            result += line + '\n';
    }
    return result + source.mid(header.size());
}

// 15/03/2027 12:34:56 on the local wall clock, whatever the zone.
std::chrono::system_clock::time_point sendTime()
{
    std::tm local{};
    local.tm_year = 2027 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_min = 34;
    local.tm_sec = 56;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

QByteArray messageId(const QByteArray& data)
{
    const QRegularExpression field(QStringLiteral("(?mi)^Message-ID: *(<[^>]*>)"));
    return field.match(QString::fromLatin1(headerOf(data))).captured(1).toLatin1();
}

} // namespace

// The SMTP client against a real server (aiosmtpd) that records what it received.
class SmtpServerTest : public QObject
{
    Q_OBJECT

private:
    vantor::base::SettableClock m_clock{sendTime()};

    std::unique_ptr<SmtpClient> client(const SmtpTestServer& server, SecurityMode mode = SecurityMode::None)
    {
        const QString ca = server.caCertificatePath();
        auto smtp =
            std::make_unique<SmtpClient>([ca] { return vantor::support::trustingSocket(ca); }, m_clock);
        smtp->setHost(server.host().toStdString());
        smtp->setPort(server.port());
        smtp->setSecurity(mode);
        smtp->setUserName(AuthUser.toStdString());
        smtp->setPassword(AuthPassword.toStdString());
        smtp->setTimeOut(20);
        return smtp;
    }

    static SmtpTestServer::Options withAuth(bool startTls = false, bool implicitTls = false)
    {
        SmtpTestServer::Options options;
        options.authUser = AuthUser;
        options.authPassword = AuthPassword;
        options.authRequired = true;
        options.startTls = startTls;
        options.implicitTls = implicitTls;
        return options;
    }

    // Sends the standard message and checks what the server recorded of it.
    void sendAndCheck(SmtpClient& smtp, const SmtpTestServer& server, const QByteArray& expectedAuth)
    {
        MailMessage message;
        buildMessage(message);
        smtp.setMailMessage(&message);
        const std::vector<std::string> headerBefore = message.headerLines();
        QVERIFY(smtp.sendMessage());

        const QList<SmtpTestServer::Message> received = server.received();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0].mailFrom, QByteArray("anna@example.org"));
        // One RCPT per distinct address, sorted without regard to case; Bob only once.
        QCOMPARE(received[0].recipients,
                 QList<QByteArray>({"bob@example.net", "carl@example.net", "dora@example.com"}));
        QCOMPARE(received[0].authUser, expectedAuth);
        const QByteArray header = headerOf(received[0].data);
        QVERIFY(!header.contains("\nBcc:"));
        QVERIFY(!header.startsWith("Bcc:"));
        QVERIFY(!header.contains("dora@example.com"));
        QVERIFY(header.contains("Subject: Greetings"));
        QVERIFY2(messageId(received[0].data).startsWith("<20270315123456."), messageId(received[0].data));
        // The server removed the transparency dots: the body is as written.
        QVERIFY(received[0].data.endsWith("Hello,\r\n.\r\n..two dots\r\n.leading dot\r\nend\r\n"));
        QCOMPARE(received[0].data, withoutBcc(QByteArray::fromStdString(message.getSource())));

        // The message keeps its Bcc field and gets the Message-ID that was sent.
        QVERIFY(message.hasHeader("Bcc"));
        QCOMPARE(message.headerLines().size(), headerBefore.size() + 1);
        QCOMPARE(QByteArray::fromStdString(message.headerValue("Message-ID")), messageId(received[0].data));
    }

private slots:
    void sendsWithoutAuthenticationWhenTheServerOffersNone()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        QVERIFY(smtp->connect());
        QVERIFY(smtp->connected());
        QVERIFY(!smtp->authAccepted());
        sendAndCheck(*smtp, server, QByteArray());
        QVERIFY(smtp->quit());
        QVERIFY(!smtp->connected());
    }

    void sendsWithAuthLogin()
    {
        SmtpTestServer server(withAuth());
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        QVERIFY(smtp->connect());
        QVERIFY(smtp->authAccepted());
        sendAndCheck(*smtp, server, AuthUser.toUtf8());
        QVERIFY(smtp->quit());
    }

    void wrongPasswordFailsTheConnect()
    {
        SmtpTestServer server(withAuth());
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        smtp->setPassword("wrong");
        QVERIFY(!smtp->connect());
        QVERIFY(!smtp->connected());
        smtp->abort();
    }

    void sendsOverStartTls()
    {
        SmtpTestServer server(withAuth(true));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server, SecurityMode::STARTTLS);
        QVERIFY2(smtp->connect(), qPrintable(smtp->lastErrorText()));
        sendAndCheck(*smtp, server, AuthUser.toUtf8());
        QVERIFY(smtp->quit());
    }

    void sendsOverImplicitTls()
    {
        SmtpTestServer server(withAuth(false, true));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server, SecurityMode::SSL);
        QVERIFY2(smtp->connect(), qPrintable(smtp->lastErrorText()));
        sendAndCheck(*smtp, server, AuthUser.toUtf8());
        QVERIFY(smtp->quit());
    }

    void certificateFromAnUnknownCaFailsTheConnect()
    {
        SmtpTestServer server(withAuth(true));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        SmtpClient smtp;
        smtp.setHost(server.host().toStdString());
        smtp.setPort(server.port());
        smtp.setSecurity(SecurityMode::STARTTLS);
        smtp.setTimeOut(20);
        QVERIFY(!smtp.connect());
        smtp.abort();
        QVERIFY(server.received().isEmpty());
    }

    void twoSendsOnOneConnectionGetTwoMessageIds()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        QVERIFY(smtp->connect());
        MailMessage message;
        buildMessage(message);
        smtp->setMailMessage(&message);
        QVERIFY(smtp->sendMessage());
        QVERIFY(smtp->sendMessageTo("other@example.org", "x@example.net"));
        QVERIFY(smtp->quit());
        const QList<SmtpTestServer::Message> received = server.received();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[1].mailFrom, QByteArray("other@example.org"));
        QCOMPARE(received[1].recipients, QList<QByteArray>({"x@example.net"}));
        QVERIFY(!messageId(received[0].data).isEmpty());
        QVERIFY(messageId(received[0].data) != messageId(received[1].data));
        // Apart from the identifier both carry the same text.
        QCOMPARE(QByteArray(received[0].data).replace(messageId(received[0].data), "<id>"),
                 QByteArray(received[1].data).replace(messageId(received[1].data), "<id>"));
    }

    void largeMessageGoesOutInPacketsWithProgress()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        smtp->setPacketSize(4096);
        std::vector<std::pair<std::int64_t, std::int64_t>> progress;
        smtp->setOnProgress(
            [&progress](std::int64_t total, std::int64_t current) { progress.emplace_back(total, current); });
        QVERIFY(smtp->connect());
        MailMessage message;
        message.setFrom("", "anna@example.org");
        message.toList().addRecipient("", "bob@example.net");
        std::string text;
        for (int line = 0; line < 2000; ++line)
            text += (line % 7 == 0 ? "." : "") + std::string("line ") + std::to_string(line) + "\r\n";
        message.setTextPlain(text);
        message.assembleBody();
        smtp->setMailMessage(&message);
        QVERIFY(smtp->sendMessage());
        QVERIFY(smtp->quit());

        QVERIFY(progress.size() > 3);
        const std::int64_t total = progress.front().first;
        QCOMPARE(progress.front().second, std::int64_t(0));
        QCOMPARE(progress.back(), (std::pair<std::int64_t, std::int64_t>{total, total}));
        for (std::size_t i = 1; i + 1 < progress.size(); ++i) {
            QCOMPARE(progress[i].first, total);
            QCOMPARE(progress[i].second, std::min<std::int64_t>(std::int64_t(i) * 4096, total));
        }
        const QList<SmtpTestServer::Message> received = server.received();
        QCOMPARE(received.size(), 1);
        QVERIFY(received[0].data.endsWith(QByteArray::fromStdString(message.encodedBody())));
    }

    void messageThatIsNotAssembledOrHasNoRecipientIsNotSent()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        auto smtp = client(server);
        QVERIFY(smtp->connect());
        QVERIFY(!smtp->sendMessage());
        MailMessage message;
        message.setFrom("", "anna@example.org");
        message.setTextPlain("text\r\n");
        smtp->setMailMessage(&message);
        QVERIFY(!smtp->sendMessageTo("anna@example.org", "bob@example.net"));
        message.assembleBody();
        QVERIFY(!smtp->sendMessage());
        QVERIFY(!smtp->sendMessageTo("anna@example.org", " , "));
        QVERIFY(smtp->sendMessageTo("anna@example.org", "bob@example.net"));
        QVERIFY(smtp->quit());
        QCOMPARE(server.received().size(), 1);
    }
};

QTEST_GUILESS_MAIN(SmtpServerTest)
#include "SmtpServerTest.moc"
