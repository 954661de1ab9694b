#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "support/DovecotServer.h"
#include "support/TrustingSocket.h"

#include <QTest>

#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::Pop3Client;
using vantor::mail::net::SecurityMode;
using vantor::support::DovecotServer;

Q_DECLARE_METATYPE(SecurityMode)

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("s3cret pass");

QByteArray sampleMessage(int n)
{
    return "Return-Path: <sender" + QByteArray::number(n) +
           "@example.org>\r\n"
           "From: \"Sender " +
           QByteArray::number(n) + "\" <sender" + QByteArray::number(n) +
           "@example.org>\r\n"
           "To: anna@example.net\r\n"
           "Subject: message number " +
           QByteArray::number(n) +
           "\r\n"
           "Received: from relay.example.org\r\n"
           "\tby mx.example.net; Tue, 05 Feb 2002 10:20:30 +0100\r\n"
           "\r\n"
           "Body of message " +
           QByteArray::number(n) +
           "\r\n"
           ".line that starts with a dot\r\n"
           "..and one with two\r\n";
}

// The header lines of a message as stored: every line up to and including the empty separator line.
std::vector<std::string> headerLinesOf(const QByteArray& message)
{
    std::vector<std::string> lines;
    for (const QByteArray& line : message.split('\n')) {
        lines.push_back(line.chopped(line.endsWith('\r') ? 1 : 0).toStdString());
        if (lines.back().empty())
            break;
    }
    return lines;
}

} // namespace

// The POP3 client against a real Dovecot: login, listing, header and message fetches, deletions, TLS.
class Pop3DovecotTest : public QObject
{
    Q_OBJECT

private:
    DovecotServer m_server;
    QStringList m_names;

    std::unique_ptr<Pop3Client> client(SecurityMode mode = SecurityMode::None, const QString& user = User)
    {
        const QString ca = m_server.caCertificatePath();
        auto pop3 = std::make_unique<Pop3Client>([ca] { return vantor::support::trustingSocket(ca); });
        pop3->setHost(m_server.host().toStdString());
        pop3->setPort(mode == SecurityMode::SSL ? m_server.pop3sPort() : m_server.port());
        pop3->setSecurity(mode);
        pop3->setUserName(user.toStdString());
        pop3->setPassword(Password.toStdString());
        pop3->setTimeOut(20);
        return pop3;
    }

private slots:
    void initTestCase()
    {
        m_server.addUser(User, Password);
        m_server.addUser(QStringLiteral("empty"), Password);
        m_server.addUser(QStringLiteral("deleter"), Password);
        QVERIFY2(m_server.start(), qPrintable(m_server.errorText()));
        for (int n = 1; n <= 5; ++n)
            m_names.append(m_server.putMessage(User, sampleMessage(n)));
    }

    void loginWithTheRightPasswordListsTheMailbox()
    {
        auto pop3 = client();
        QVERIFY(pop3->connect());
        QVERIFY(pop3->connected());
        QVERIFY(pop3->login());
        QVERIFY(pop3->loggedIn());
        QCOMPARE(pop3->messageCount(), 5);
        QCOMPARE(pop3->messageSizes().size(), 6U);
        QCOMPARE(pop3->messageSizes()[0], 0);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(pop3->messageSizes()[n], sampleMessage(n).size());
        QVERIFY(pop3->quit());
        QVERIFY(!pop3->connected());
        QCOMPARE(pop3->messageCount(), -1);
    }

    void wrongPasswordFailsTheLogin()
    {
        auto pop3 = client();
        pop3->setPassword("wrong");
        QVERIFY(pop3->connect());
        QVERIFY(!pop3->login());
        QVERIFY(!pop3->loggedIn());
        QCOMPARE(pop3->messageCount(), -1);
        pop3->abort();
    }

    void emptyMailboxHasNoMessages()
    {
        auto pop3 = client(SecurityMode::None, QStringLiteral("empty"));
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        QCOMPARE(pop3->messageCount(), 0);
        QVERIFY(pop3->messageSizes().empty());
        QVERIFY(!pop3->retrieveHeader(1, 0));
        QVERIFY(pop3->quit());
    }

    void headerFetchGivesTheStoredHeaderLines()
    {
        auto pop3 = client();
        MailMessage message;
        pop3->setMailMessage(&message);
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        for (int n = 1; n <= pop3->messageCount(); ++n) {
            QVERIFY(pop3->retrieveHeader(n, 0));
            const std::vector<std::string> expected = headerLinesOf(sampleMessage(n));
            QCOMPARE(message.headerLines(), expected);
            QCOMPARE(message.subject(), "message number " + std::to_string(n));
            QCOMPARE(message.fromAddress(), "sender" + std::to_string(n) + "@example.org");
        }
        QVERIFY(pop3->quit());
    }

    void retrievedMessageIsTheStoredMessage()
    {
        auto pop3 = client();
        MailMessage message;
        pop3->setMailMessage(&message);
        std::vector<std::pair<std::int64_t, std::int64_t>> progress;
        pop3->setOnProgress(
            [&progress](std::int64_t total, std::int64_t current) { progress.emplace_back(total, current); });
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        QVERIFY(pop3->retrieveMessage(3));
        QCOMPARE(QByteArray::fromStdString(pop3->lastMessage()), sampleMessage(3));
        QCOMPARE(message.subject(), std::string("message number 3"));
        QVERIFY(!progress.empty());
        QCOMPARE(progress.back().first, std::int64_t(sampleMessage(3).size()));
        QVERIFY(progress.back().second >= progress.back().first);
        QVERIFY(!pop3->retrieveMessage(6));
        QVERIFY(!pop3->retrieveMessage(-1));
        QVERIFY(pop3->lastMessage().empty());
        QVERIFY(pop3->quit());
    }

    void operationsKeepTheirOrder()
    {
        auto pop3 = client();
        QVERIFY(!pop3->login());
        QVERIFY(!pop3->retrieveHeader(1, 0));
        QVERIFY(!pop3->quit());
        QVERIFY(pop3->connect());
        QVERIFY(!pop3->connect());
        QVERIFY(!pop3->retrieveHeader(1, 0));
        QVERIFY(!pop3->deleteMessage(1));
        pop3->abort();
        Pop3Client noHost;
        QVERIFY(!noHost.connect());
    }

    void deleteAndQuitRemovesExactlyThoseMessages()
    {
        QStringList names;
        for (int n = 1; n <= 4; ++n)
            names.append(m_server.putMessage(QStringLiteral("deleter"), sampleMessage(n)));
        auto pop3 = client(SecurityMode::None, QStringLiteral("deleter"));
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        QVERIFY(pop3->deleteMessage(2));
        QVERIFY(pop3->deleteMessage(4));
        // Numbers stay as listed after a deletion.
        QVERIFY(pop3->retrieveHeader(3, 0));
        QVERIFY(pop3->quit());
        QCOMPARE(m_server.listMaildir(QStringLiteral("deleter")), QStringList({names[0], names[2]}));
        for (const QString& name : m_server.listMaildir(QStringLiteral("deleter")))
            QVERIFY(m_server.maildirMessage(QStringLiteral("deleter"), name).size() > 0);
    }

    void deleteAndAbortRemovesNothing()
    {
        const QStringList before = m_server.listMaildir(User);
        const int ended = m_server.endedSessions();
        auto pop3 = client();
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        QVERIFY(pop3->deleteMessage(1));
        QVERIFY(pop3->deleteMessage(5));
        pop3->abort();
        QVERIFY(!pop3->connected());
        QCOMPARE(pop3->messageCount(), -1);
        // The server ends the session in its own time; only then is the maildir final.
        QVERIFY(m_server.waitForEndedSessions(ended + 1));
        QCOMPARE(m_server.listMaildir(User), before);
    }

    void deleteOnRetrieveDeletesEachRetrievedMessage()
    {
        const QString name = m_server.putMessage(QStringLiteral("deleter"), sampleMessage(9));
        auto pop3 = client(SecurityMode::None, QStringLiteral("deleter"));
        pop3->setDeleteOnRetrieve(true);
        QVERIFY(pop3->connect());
        QVERIFY(pop3->login());
        const int last = pop3->messageCount();
        QVERIFY(pop3->retrieveMessage(last));
        QVERIFY(pop3->quit());
        QVERIFY(!m_server.listMaildir(QStringLiteral("deleter")).contains(name));
    }

    void tlsModesWorkWithTheTrustedCertificate_data()
    {
        QTest::addColumn<SecurityMode>("mode");
        QTest::newRow("POP3S") << SecurityMode::SSL;
        QTest::newRow("STLS") << SecurityMode::STARTTLS;
    }

    void tlsModesWorkWithTheTrustedCertificate()
    {
        QFETCH(SecurityMode, mode);
        const qsizetype tlsLogins = m_server.log().count(", TLS,");
        auto pop3 = client(mode);
        MailMessage message;
        pop3->setMailMessage(&message);
        QVERIFY2(pop3->connect(), pop3->failureText().c_str());
        QVERIFY(pop3->login());
        QCOMPARE(pop3->messageCount(), 5);
        QVERIFY(pop3->retrieveHeader(2, 0));
        QCOMPARE(message.headerLines(), headerLinesOf(sampleMessage(2)));
        QVERIFY(pop3->retrieveMessage(4));
        QCOMPARE(QByteArray::fromStdString(pop3->lastMessage()), sampleMessage(4));
        QVERIFY(pop3->quit());
        // The server saw the login inside TLS.
        QCOMPARE(m_server.log().count(", TLS,"), tlsLogins + 1);
    }

    void certificateFromAnUnknownCaFailsTheConnect_data() { tlsModesWorkWithTheTrustedCertificate_data(); }

    void certificateFromAnUnknownCaFailsTheConnect()
    {
        QFETCH(SecurityMode, mode);
        // The default socket trusts the system's CA store only, which knows nothing of the test CA.
        Pop3Client pop3;
        pop3.setHost(m_server.host().toStdString());
        pop3.setPort(mode == SecurityMode::SSL ? m_server.pop3sPort() : m_server.port());
        pop3.setSecurity(mode);
        pop3.setTimeOut(20);
        QVERIFY(!pop3.connect());
        QVERIFY(!pop3.connected());
        QCOMPARE(pop3.lastError(), vantor::mail::net::TalkError::Socket);
        pop3.abort();
    }

    void plainClientOnTheTlsPortFails()
    {
        auto pop3 = client();
        pop3->setPort(m_server.pop3sPort());
        pop3->setTimeOut(2);
        QVERIFY(!pop3->connect());
        pop3->abort();
    }
};

QTEST_GUILESS_MAIN(Pop3DovecotTest)
#include "Pop3DovecotTest.moc"
