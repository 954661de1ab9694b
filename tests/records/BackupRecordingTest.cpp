#include "mail/codec/MailDate.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "records/BackupFileName.h"
#include "records/BackupFolder.h"
#include "records/DeletedMessageRecorder.h"
#include "records/MessageSource.h"
#include "storage/ErrorLog.h"
#include "storage/IniFile.h"
#include "support/DovecotServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::Pop3Client;
using vantor::records::DeletedMessageRecorder;
using vantor::records::MessageSource;
using vantor::records::ResultRow;
using vantor::support::DovecotServer;

namespace {

// The check's POP3 connection seen as the source the recorder fetches from.
class Pop3Source : public MessageSource
{
public:
    explicit Pop3Source(Pop3Client& client)
        : m_client(client)
    {}
    bool retrieveHeader(int messageNumber, MailMessage& message) override
    {
        m_client.setMailMessage(&message);
        return m_client.retrieveHeader(messageNumber, 0);
    }
    bool retrieveMessage(int messageNumber, MailMessage& message) override
    {
        m_client.setMailMessage(&message);
        return m_client.retrieveMessage(messageNumber);
    }
    std::string host() const override { return m_client.host(); }

private:
    Pop3Client& m_client;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray message(const QByteArray& from, const QByteArray& subject, const QByteArray& body = "Buy now.\r\n")
{
    return "From: " + from + "\r\nSubject: " + subject + "\r\nDate: Tue, 08 Dec 2026 14:05:33 +0000\r\n\r\n" +
           body;
}

} // namespace

// Recording a condemned message against a real mailbox: the row, the backup copy in its two modes and
// the failures that go to the error log.
class BackupRecordingTest : public QObject
{
    Q_OBJECT

private:
    // One mailbox of its own per test, a fresh home with the given backup settings, a logged-in client.
    void prepare(bool backupActive, bool allMessage, bool withFolder, const QList<QByteArray>& messages)
    {
        const QString user = userName(++m_userCount);
        for (const QByteArray& bytes : messages)
            m_server.putMessage(user, bytes);
        m_message.reset();
        m_home = std::make_unique<QTemporaryDir>();
        {
            vantor::storage::IniFile settings(homeDir() + "/setting.ini");
            settings.writeBool("Backup", "Active", backupActive);
            settings.writeBool("Backup", "AllMessage", allMessage);
            settings.updateFile();
        }
        if (withFolder)
            QDir(m_home->path()).mkdir(QStringLiteral("EBak"));
        m_client = std::make_unique<Pop3Client>();
        m_client->setHost(m_server.host().toStdString());
        m_client->setPort(m_server.port());
        m_client->setUserName(user.toStdString());
        m_client->setPassword("secret");
        QVERIFY(m_client->connect());
        QVERIFY(m_client->login());
        m_source = std::make_unique<Pop3Source>(*m_client);
        m_errorLog = std::make_unique<vantor::storage::ErrorLog>(homeDir());
        m_recorder = std::make_unique<DeletedMessageRecorder>(homeDir(), *m_source, m_message, *m_errorLog);
    }

    static QString userName(int i) { return QStringLiteral("user%1").arg(i); }
    std::string homeDir() const { return m_home->path().toStdString(); }
    QString backupFolder() const { return m_home->path() + QStringLiteral("/EBak"); }
    QStringList backupFiles() const { return QDir(backupFolder()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray errorLog() const { return readFile(m_home->path() + QStringLiteral("/Error.log")); }

    static QString expectedName(const std::string& sender)
    {
        const auto date = vantor::mail::codec::parseMailDate("Tue, 08 Dec 2026 14:05:33 +0000");
        return QString::fromStdString(vantor::records::backupFileName(date, sender));
    }

    static constexpr int MaxUsers = 12;
    DovecotServer m_server;
    int m_userCount = 0;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<Pop3Client> m_client;
    std::unique_ptr<Pop3Source> m_source;
    std::unique_ptr<vantor::storage::ErrorLog> m_errorLog;
    MailMessage m_message;
    std::unique_ptr<DeletedMessageRecorder> m_recorder;

private slots:
    void initTestCase()
    {
        // Every login exists before the server starts: it reads its user list once at the first login.
        for (int i = 1; i <= MaxUsers; ++i)
            m_server.addUser(userName(i), QStringLiteral("secret"));
        QVERIFY2(m_server.start(), qPrintable(m_server.errorText()));
    }

    void cleanup()
    {
        if (m_client)
            m_client->abort();
        m_recorder.reset();
        m_client.reset();
    }

    void backupOffStillGivesTheRow()
    {
        prepare(false, true, true, {message("Spammer <spam@example.com>", "Cheap pills")});
        const auto [row, mayDelete] = m_recorder->recordDeletedMessage(1, 3, "Home");
        QVERIFY(row.has_value());
        QVERIFY(mayDelete);
        QCOMPARE(row->caption, std::string("spam@example.com"));
        QCOMPARE(row->icon, 3);
        const std::string date = vantor::mail::codec::formatListDateTime(
            vantor::mail::codec::parseMailDate("Tue, 08 Dec 2026 14:05:33 +0000"));
        QCOMPARE(row->subItems, (std::vector<std::string>{"Cheap pills", "Home", date}));
        // Only the header was fetched, and nothing was written.
        QVERIFY(m_message.encodedBody().empty());
        QVERIFY(backupFiles().isEmpty());
        QVERIFY(errorLog().isEmpty());
    }

    void headerModeKeepsTheHeaderLines()
    {
        const QByteArray header =
            "From: spam@example.com\r\nSubject: Header only\r\nX-Folded: one\r\n two\r\n"
            "Date: Tue, 08 Dec 2026 14:05:33 +0000\r\n\r\n";
        prepare(true, false, true, {header + "The body stays on the server.\r\n"});
        QVERIFY(m_recorder->recordDeletedMessage(1, 0, "Home").mayDelete);
        QCOMPARE(backupFiles(), QStringList{expectedName("spam@example.com")});
        QCOMPARE(readFile(backupFolder() + u'/' + backupFiles().first()), header);
    }

    void wholeModeKeepsTheFirstTenThousandCharacters()
    {
        QByteArray body;
        for (int i = 0; body.size() < 25000; ++i)
            body += QByteArray::number(i).rightJustified(49, 'x') + "\r\n";
        prepare(true, true, true, {message("spam@example.com", "Long", body)});
        QVERIFY(m_recorder->recordDeletedMessage(1, 4, "Home").mayDelete);
        const QByteArray saved = readFile(backupFolder() + u'/' + expectedName("spam@example.com"));
        // The cut falls inside a line, which still ends with CR LF.
        QCOMPARE(saved.size(), 10002);
        QCOMPARE(saved, body.left(10000) + "\r\n");
    }

    void wholeModeKeepsEveryPartOfAMultipartMessage()
    {
        const QByteArray parts = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"XYZ\"\r\n"
                                 "From: spam@example.com\r\nSubject: Parts\r\n"
                                 "Date: Tue, 08 Dec 2026 14:05:33 +0000\r\n\r\n"
                                 "--XYZ\r\nContent-Type: text/plain\r\n\r\nHello there\r\n"
                                 "--XYZ\r\nContent-Type: application/octet-stream; name=\"a.bin\"\r\n"
                                 "Content-Transfer-Encoding: base64\r\n\r\nQUJD\r\n--XYZ--\r\n";
        prepare(true, true, true, {parts});
        QVERIFY(m_recorder->recordDeletedMessage(1, 3, "Home").mayDelete);
        const QByteArray saved = readFile(backupFolder() + u'/' + expectedName("spam@example.com"));
        // The copy is the assembled MIME text: both parts with their headers between the delimiters.
        QVERIFY2(saved.contains("Hello there") && saved.contains("QUJD"), saved.constData());
        QVERIFY(saved.contains("Content-Type: text/plain"));
        QVERIFY(saved.contains("name=\"a.bin\""));
    }

    void wholeModeSavesATextBodyInUtf8()
    {
        const QByteArray text = "Content-Type: text/plain; charset=GB2312\r\n"
                                "Content-Transfer-Encoding: quoted-printable\r\n"
                                "From: spam@example.com\r\nSubject: Chinese\r\n"
                                "Date: Tue, 08 Dec 2026 14:05:33 +0000\r\n\r\n=C0=EE=D5=B9=B7=E6\r\n";
        prepare(true, true, true, {text});
        QVERIFY(m_recorder->recordDeletedMessage(1, 3, "Home").mayDelete);
        QCOMPARE(readFile(backupFolder() + u'/' + expectedName("spam@example.com")),
                 QByteArray("\xE6\x9D\x8E\xE5\xB1\x95\xE9\x94\x8B\r\n"));
    }

    void sameDateAndSenderKeepsTheLaterCopy()
    {
        prepare(true, false, true,
                {message("spam@example.com", "First"), message("spam@example.com", "Second")});
        QVERIFY(m_recorder->recordDeletedMessage(1, 1, "Home").mayDelete);
        QVERIFY(m_recorder->recordDeletedMessage(2, 1, "Home").mayDelete);
        QCOMPARE(backupFiles().size(), 1);
        QVERIFY(readFile(backupFolder() + u'/' + backupFiles().first()).contains("Subject: Second"));
    }

    void missingFolderIsLoggedAndTheMessageKept()
    {
        prepare(true, false, false, {message("spam@example.com", "Nowhere to go")});
        QVERIFY(!m_recorder->recordDeletedMessage(1, 5, "Home").mayDelete);
        QVERIFY(!QFileInfo::exists(backupFolder()));
        QVERIFY(errorLog().contains("= 00001 - cannot found EBak directory\r\n"));
    }

    void hostileSendersAreWrittenInsideTheFolder()
    {
        prepare(true, false, true,
                {message("../../x", "Climb out"), message("evil\x01\x1f@example.com", "Control bytes")});
        QVERIFY(m_recorder->recordDeletedMessage(1, 3, "Home").mayDelete);
        QVERIFY(m_recorder->recordDeletedMessage(2, 3, "Home").mayDelete);
        QStringList files = backupFiles();
        files.sort();
        QStringList expected{expectedName(m_message.fromAddress()), expectedName("../../x")};
        expected.sort();
        QCOMPARE(files, expected);
        QCOMPARE(files.filter(QStringLiteral(" - .._.._x.vtb")).size(), 1);
        QCOMPARE(files.filter(QStringLiteral(" - evil__@example.com.vtb")).size(), 1);
        // Nothing escaped to the home directory or above it.
        QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), QStringList{QStringLiteral("setting.ini")});
        QVERIFY(errorLog().isEmpty());
    }

    void failedRetrievalIsLoggedWithoutRowOrFile()
    {
        prepare(true, true, true, {message("spam@example.com", "Only one")});
        const auto [row, mayDelete] = m_recorder->recordDeletedMessage(7, 3, "Home");
        QVERIFY(!row && !mayDelete);
        QVERIFY(backupFiles().isEmpty());
        QVERIFY(errorLog().contains("= 00001 - failed on retrive message from 127.0.0.1\r\n"));
    }

    void previewBackupWritesOnlyWhenBackupsAreOn()
    {
        prepare(false, false, true, {message("spam@example.com", "Preview")});
        QVERIFY(m_recorder->backupDeletedMessage(1));
        QVERIFY(backupFiles().isEmpty());
        QVERIFY(m_message.headerLines().empty());
        cleanup();

        prepare(true, true, true, {message("spam@example.com", "Preview")});
        QVERIFY(m_recorder->backupDeletedMessage(1));
        QCOMPARE(readFile(backupFolder() + u'/' + expectedName("spam@example.com")),
                 QByteArray("Buy now.\r\n"));
    }
};

QTEST_GUILESS_MAIN(BackupRecordingTest)
#include "BackupRecordingTest.moc"
