#include "core/messager/Messager.h"

#include "FakeConnectionDetector.h"
#include "support/ScriptedUserPrompts.h"
#include "support/SmtpTestServer.h"
#include "support/TempHome.h"
#include "support/TrustingSocket.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

using namespace vantor;
using core::Messager;
using Outcome = Messager::Outcome;
using support::SmtpTestServer;

namespace {

const QString AuthUser = QStringLiteral("anna");
const QString AuthPassword = QStringLiteral("s3cret");

SmtpTestServer::Options withAuth(bool startTls = false)
{
    SmtpTestServer::Options options;
    options.authUser = AuthUser;
    options.authPassword = AuthPassword;
    options.authRequired = true;
    options.startTls = startTls;
    return options;
}

core::MessageDraft draftTo(const std::string& address)
{
    core::MessageDraft draft;
    draft.fromAddress = "anna@example.org";
    draft.toAddress = address;
    draft.subject = "Files";
    draft.text = "Here they are.\n.\nBye";
    return draft;
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList result;
    for (const char* item : items)
        result.append(QString::fromUtf8(item));
    return result;
}

// The received text parsed back into a message.
std::unique_ptr<mail::mime::MailMessage> parsed(const QByteArray& data)
{
    auto message = std::make_unique<mail::mime::MailMessage>();
    message->fill(data.toStdString(), true);
    return message;
}

} // namespace

// The message sender against a real SMTP server (aiosmtpd) that records what it received.
class MessagerTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<core::AccountStore> m_accounts;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;
    test::FakeConnectionDetector m_detector;
    base::SettableClock m_clock{std::chrono::system_clock::now()};
    QString m_caPath;
    std::unique_ptr<Messager> m_messager;
    QStringList m_statuses;

    void addAccount(const SmtpTestServer& server, const std::string& password,
                    const std::string& security = {})
    {
        core::AccountFields fields{"Work",
                                   "pop.example.org",
                                   "110",
                                   server.host().toStdString(),
                                   std::to_string(server.port()),
                                   AuthUser.toStdString(),
                                   password,
                                   "Default",
                                   "",
                                   security};
        QCOMPARE(m_accounts->add(fields), core::AccountStore::WriteResult::Stored);
    }

    // A file in the test's folder with bytes no text encoding would carry through unchanged.
    std::filesystem::path makeFile(const QString& name, std::size_t size)
    {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
        const QString path = m_dir.filePath(name);
        test::writeBytes(path.toStdString(), bytes);
        return path.toStdString();
    }

    void checkAttachments(const mail::mime::MailMessage& constMessage,
                          const std::vector<std::filesystem::path>& files)
    {
        auto& message = const_cast<mail::mime::MailMessage&>(constMessage);
        const std::vector<mail::mime::MimePart*>& parts = message.attachments();
        QCOMPARE(parts.size(), files.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            QCOMPARE(parts[i]->fileName(), files[i].filename().string());
            parts[i]->decode();
            QVERIFY(parts[i]->decodedBody() == test::readBytes(files[i]));
        }
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir());
        m_accounts = std::make_unique<core::AccountStore>(*m_home, *m_errorLog);
        QFile::remove(m_home->filePath(QStringLiteral("account.vta")));
        m_prompts = {};
        m_detector.setOnline(true);
        m_statuses.clear();
        m_caPath.clear();
        m_messager = std::make_unique<Messager>(
            Messager::Services{*m_home, *m_accounts, m_texts, m_prompts, m_detector, m_clock,
                               [this] { return support::trustingSocket(m_caPath); }, "2.5"});
        m_messager->setOnStatus([this](const QString& text) { m_statuses.append(text); });
        m_messager->smtp().setTimeOut(20);
    }

    // The account's login over STARTTLS; two files, sent twice without clearing, go out both times whole.
    void sendsAttachmentsWithTheAccountsLoginOverStartTls()
    {
        SmtpTestServer server(withAuth(true));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        m_caPath = server.caCertificatePath();
        addAccount(server, AuthPassword.toStdString(), "STARTTLS");
        const std::vector<std::filesystem::path> files{makeFile(QStringLiteral("report.pdf"), 70000),
                                                       makeFile(QStringLiteral("PHOTO.JPG"), 3000)};
        for (const auto& file : files)
            QVERIFY(m_messager->attachFile(file));

        core::MessageDraft draft = draftTo("bob@example.net");
        draft.priorityPosition = 4;
        QCOMPARE(m_messager->send("Work", draft), Outcome::Sent);
        QCOMPARE(m_statuses,
                 texts({"Connecting to Work", "Connected to Work", "Sending...", "Message sent. Ready"}));
        draft.toAddress = "carl@example.net";
        draft.toName = "Carl";
        draft.priorityPosition = 0;
        QCOMPARE(m_messager->send("Work", draft), Outcome::Sent);

        const QList<SmtpTestServer::Message> received = server.received();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[0].authUser, AuthUser.toUtf8());
        QCOMPARE(received[0].recipients, QList<QByteArray>{"bob@example.net"});
        QCOMPARE(received[1].recipients, QList<QByteArray>{"carl@example.net"});
        const auto first = parsed(received[0].data);
        const auto second = parsed(received[1].data);
        // An empty name is replaced by the address, as [Messager] UseEMail asks by default.
        QCOMPARE(first->headerValue("To"), std::string("\"bob@example.net\" <bob@example.net>"));
        QCOMPARE(first->headerValue("From"), std::string("\"anna@example.org\" <anna@example.org>"));
        QCOMPARE(second->headerValue("To"), std::string("\"Carl\" <carl@example.net>"));
        QCOMPARE(first->headerValue("X-Priority"), std::string("1"));
        QCOMPARE(second->headerValue("X-Priority"), std::string("5"));
        QCOMPARE(first->subject(), std::string("Files"));
        QVERIFY(first->headerValue("X-Mailer").starts_with("EMail Vantor 2.5"));
        QVERIFY(first->textPlainPart());
        // The line end before the next boundary may be read as part of the text; the text itself is whole.
        QString text = QString::fromStdString(first->textPlainPart()->decodedText());
        if (text.endsWith(QStringLiteral("\r\n")))
            text.chop(2);
        QCOMPARE(text, QStringLiteral("Here they are.\r\n.\r\nBye"));
        checkAttachments(*first, files);
        checkAttachments(*second, files);

        // Removing the first file leaves the second, for the message and for the list.
        QVERIFY(m_messager->detachFile(0));
        QVERIFY(!m_messager->detachFile(1));
        QCOMPARE(m_messager->attachedFiles(), std::vector<std::filesystem::path>{files[1]});
        QCOMPARE(m_messager->send("Work", draft), Outcome::Sent);
        checkAttachments(*parsed(server.received().at(2).data), {files[1]});
    }

    // A server without AUTH takes the mail without it; an empty stored password is asked for when the
    // account has a user name, and never written back.
    void authenticatesOnlyWhereTheServerAsks()
    {
        SmtpTestServer open;
        QVERIFY2(open.start(), qPrintable(open.errorText()));
        addAccount(open, AuthPassword.toStdString());
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::Sent);
        QCOMPARE(open.received().size(), 1);
        QCOMPARE(open.received()[0].authUser, QByteArray());

        SmtpTestServer guarded(withAuth());
        QVERIFY2(guarded.start(), qPrintable(guarded.errorText()));
        QCOMPARE(m_accounts->remove(1), core::AccountStore::WriteResult::Stored);
        addAccount(guarded, "");
        m_prompts.passwordAnswers = {AuthPassword};
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::Sent);
        QCOMPARE(m_prompts.passwordPrompts, texts({"Enter password of Work account|Password:"}));
        QCOMPARE(guarded.received().size(), 1);
        QCOMPARE(guarded.received()[0].authUser, AuthUser.toUtf8());
        QVERIFY(m_accounts->read(1).password.empty());

        // A wrong password fails the connect, and the connection it left is not in the way of the next send.
        m_prompts.passwordAnswers = {QStringLiteral("wrong"), AuthPassword};
        m_statuses.clear();
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::ConnectFailed);
        QCOMPARE(m_statuses.last(), QStringLiteral("ERROR: failed on connect"));
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::Sent);
        QCOMPARE(guarded.received().size(), 2);
    }

    // What stops a send before any connection: each with its own box, or none when there are no accounts.
    void refusesWhatCannotBeSent()
    {
        QCOMPARE(m_messager->send("", draftTo("bob@example.net")), Outcome::NoAccountChosen);
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::NoAccounts);
        core::AccountFields noSmtp{"Home", "pop.example.org", "110", "", "25", "u", "p", "Default", "", ""};
        QCOMPARE(m_accounts->add(noSmtp), core::AccountStore::WriteResult::Stored);
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::NoAccountInfo);
        QCOMPARE(m_messager->send("Home", draftTo("bob@example.net")), Outcome::NoAccountInfo);
        m_detector.setOnline(false);
        QCOMPARE(m_messager->send("Home", draftTo("bob@example.net")), Outcome::Offline);
        QCOMPARE(m_prompts.errors,
                 texts({"Select account from ComboBox.", "Cannot read account info.",
                        "Cannot read account info.", "Before you must connect to Internet."}));
        QVERIFY(m_statuses.isEmpty());
    }

    // Abort while the text goes out closes the connection before its end: the server delivers nothing,
    // and the next send goes through whole.
    void abortDuringTheTextDeliversNothing()
    {
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        addAccount(server, AuthPassword.toStdString());
        const std::filesystem::path big = makeFile(QStringLiteral("big.zip"), 3 * 1024 * 1024);
        QVERIFY(m_messager->attachFile(big));
        int packets = 0;
        m_messager->smtp().setOnProgress([this, &packets](std::int64_t total, std::int64_t current) {
            if (current > 0 && current < total && ++packets == 3)
                m_messager->abort();
        });
        QCOMPARE(m_messager->send("Work", draftTo("bob@example.net")), Outcome::Aborted);
        QCOMPARE(packets, 3);
        QCOMPARE(m_statuses.last(), QStringLiteral("Aborted"));
        QVERIFY(!m_messager->isSending());

        m_messager->smtp().setOnProgress({});
        QCOMPARE(m_messager->send("Work", draftTo("carl@example.net")), Outcome::Sent);
        const QList<SmtpTestServer::Message> received = server.received();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0].recipients, QList<QByteArray>{"carl@example.net"});
        checkAttachments(*parsed(received[0].data), {big});
    }

    void attachmentIconsFollowTheEndingAsWritten()
    {
        const std::vector<std::pair<std::string, int>> cases{
            {"setup.exe", 4}, {"run.bat", 4},    {"a.jpg", 0},     {"b.jpeg", 0},   {"PHOTO.JPG", 6},
            {"page.html", 2}, {"page.htm", 2},   {"notes.txt", 1}, {"tune.mp3", 3}, {"pack.rar", 5},
            {"data.bin", 6},  {"/dir.zip/x", 6}, {"thtml", 2},     {"", 6}};
        for (const auto& [name, icon] : cases)
            QVERIFY2(Messager::attachmentIcon(name) == icon, name.c_str());
        QCOMPARE(Messager::priorityForPosition(0), 4);
        QCOMPARE(Messager::priorityForPosition(4), 0);
    }
};

QTEST_GUILESS_MAIN(MessagerTest)
#include "MessagerTest.moc"
