#include "CheckFixture.h"
#include "TestMailServer.h"
#include "core/check/CheckController.h"
#include "core/check/CheckLock.h"
#include "core/watch/WatchController.h"
#include "storage/SettingKeys.h"
#include "support/CuttingRelay.h"
#include "support/ScriptedServer.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QLockFile>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>

using vantor::core::CheckGuards;
using vantor::core::CheckMode;
using vantor::support::ScriptedServer;
using vantor::test::CheckFixture;
using vantor::test::TestMailServer;
using Pieces = QList<ScriptedServer::Piece>;

namespace {

const QByteArray SpamHeader = "+OK\r\nFrom: spam@example.org\r\nTo: me@example.org\r\n\r\n.\r\n";
const QString Aborted = QStringLiteral("ERROR: session aborted, nothing deleted");

// Files written by this process may grow to limit bytes while it lives (writes beyond fail with EFBIG).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit reduced{limit, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

// Greets, accepts any login and lists two messages.
void scriptLogin(ScriptedServer& server)
{
    server.greet("+OK ready\r\n").reply("+OK\r\n").reply("+OK\r\n").reply("+OK\r\n1 300\r\n2 300\r\n.\r\n");
}

} // namespace

// A check never deletes the wrong message nor loses one: broken sessions, failed backups, refused TLS,
// two checks on one home directory.
class CheckFaultsTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

    // Every message of the user is still there once its session has ended on the server.
    void verifyNothingDeleted(const QString& user, int endedBefore, int count)
    {
        QVERIFY(m_server.waitForEndedSessions(endedBefore + 1));
        QCOMPARE(m_server.listMaildir(user).size(), count);
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(6), qPrintable(m_server.errorText())); }

    // The reply to the header fetch (TOP 1 0) or to the backup's fetch (RETR 1) comes after the time-out;
    // taken for the reply to the next command, it would condemn the wrong message.
    void lateReplyDeletesNothing_data()
    {
        QTest::addColumn<bool>("isBackupFetch");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QByteArrayList>("sent");
        QTest::newRow("header fetch") << false << QStringLiteral("Scripted|1|2||||")
                                      << QByteArrayList{"USER u", "PASS p", "LIST", "TOP 1 0"};
        QTest::newRow("backup fetch") << true << QStringLiteral("Scripted|1|2|||->Default<-|")
                                      << QByteArrayList{"USER u", "PASS p", "LIST", "TOP 1 0", "RETR 1"};
    }

    void lateReplyDeletesNothing()
    {
        QFETCH(bool, isBackupFetch);
        QFETCH(QString, row);
        QFETCH(QByteArrayList, sent);
        ScriptedServer server;
        QVERIFY(server.listen());
        scriptLogin(server);
        if (isBackupFetch)
            server.reply(SpamHeader);
        server.reply(Pieces{{SpamHeader, 2500}}).reply(SpamHeader).reply("+OK deleted\r\n").reply("+OK\r\n");
        CheckFixture fixture(1);
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));
        fixture.setSetting(vantor::storage::BackupActive, isBackupFetch);
        fixture.setSetting(vantor::storage::BackupAllMessage, true);

        fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(server.receivedLines(), sent);
        QCOMPARE(server.connectionCount(), 1);
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()), QStringList{row + Aborted});
        QVERIFY(fixture.errorEntries().contains(QStringLiteral(
            " 00006 - session aborted, nothing deleted on 127.0.0.1 (no data for 1 seconds)")));
        QVERIFY(fixture.reportTexts().contains(Aborted));
        QVERIFY(fixture.checks->lists().deleted().isEmpty());
        QVERIFY(!fixture.state.checkRunning);
    }

    void silenceInFinishOrWatchSendsNothingMore()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        scriptLogin(server);
        server.reply(SpamHeader).reply(SpamHeader).reply("+OK\r\n");
        scriptLogin(server);
        server.ignoreLine();
        scriptLogin(server);
        server.ignoreLine();
        CheckFixture fixture(1);
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));
        const QByteArrayList stalled{"USER u", "PASS p", "LIST", "TOP 1 0"};

        fixture.checks->startCheck(CheckMode::Preview);
        fixture.checks->finishPreview();
        QCOMPARE(server.receivedLines().mid(6), stalled);
        QVERIFY(fixture.checks->lists().deleted().isEmpty());
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("0/0/0"));

        vantor::core::WatchController watch(*fixture.checks, fixture.host);
        watch.watchPoll();
        QCOMPARE(server.receivedLines().mid(10), stalled);
        QVERIFY(fixture.host.balloons.isEmpty());
        QCOMPARE(server.connectionCount(), 3);
    }

    void cutBeforeQuitRecordsNothing()
    {
        CheckFixture fixture;
        vantor::support::CuttingRelay relay(m_server.host(), m_server.port(), "QUIT");
        QVERIFY(relay.listen());
        const QString user = fixture.addCorpusAccount(m_server, relay.port());
        const int ended = m_server.endedSessions();

        fixture.checks->startCheck(CheckMode::Automatic);

        // Six DELEs were accepted, then the connection was lost before QUIT: the server rolls them back.
        QVERIFY(relay.hasCut());
        verifyNothingDeleted(user, ended, 11);
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Home|1|11|||Spam|") + Aborted});
        QVERIFY(fixture.checks->lists().deleted().isEmpty());
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("0/0/0"));
    }

    void unwritableBackupKeepsTheMessage_data()
    {
        QTest::addColumn<bool>("isFolderAFile");
        QTest::newRow("EBak is a file") << true;
        QTest::newRow("file size limit") << false;
    }

    void unwritableBackupKeepsTheMessage()
    {
        QFETCH(bool, isFolderAFile);
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        fixture.setSetting(vantor::storage::BackupActive, true);
        if (isFolderAFile)
            QVERIFY(vantor::test::TestFiles::write(fixture.path(QStringLiteral("EBak")), "not a folder"));
        const int ended = m_server.endedSessions();
        {
            // Less than the header of any spam message, from the first wait for the server on (the lock
            // file, written before, is larger).
            std::optional<FileSizeLimit> limit;
            if (!isFolderAFile)
                QTimer::singleShot(0, [&limit] { limit.emplace(100); });
            fixture.checks->startCheck(CheckMode::Automatic);
        }

        verifyNothingDeleted(user, ended, 11);
        const QString kept = QStringLiteral("OK, 6 kept on server: backup failed");
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Home|0|11|11|0|Spam|") + kept});
        QVERIFY(fixture.reportTexts().contains(kept));
        QVERIFY(fixture.checks->lists().deleted().isEmpty());
        if (isFolderAFile)
            QVERIFY(fixture.errorEntries().contains(QStringLiteral(" 00001 - cannot found EBak directory")));
        else
            QCOMPARE(QDir(fixture.path(QStringLiteral("EBak"))).entryList(QDir::Files), QStringList());
    }

    void refusedTlsIsLoggedWithItsReason_data()
    {
        QTest::addColumn<QStringList>("certificate");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("row");
        const QString untrusted = QStringLiteral("ERROR: certificate not trusted");
        QTest::newRow("another host's")
            << QStringList{QStringLiteral("--name"), QStringLiteral("other.example")}
            << QStringLiteral("(certificate not trusted: other host name)") << untrusted;
        QTest::newRow("expired") << QStringList{QStringLiteral("--expired")}
                                 << QStringLiteral("(certificate not trusted: expired)") << untrusted;
        QTest::newRow("self-signed") << QStringList{QStringLiteral("--self-signed")}
                                     << QStringLiteral("(certificate not trusted: self-signed)") << untrusted;
        // Never a fall back to USER and PASS in clear.
        QTest::newRow("STLS refused") << QStringList() << QStringLiteral("(-ERR not now)")
                                      << QStringLiteral("ERROR: server offers no TLS");
    }

    void refusedTlsIsLoggedWithItsReason()
    {
        QFETCH(QStringList, certificate);
        QFETCH(QString, reason);
        QFETCH(QString, row);
        CheckFixture fixture;
        vantor::support::DovecotServer dovecot;
        ScriptedServer scripted;
        if (certificate.isEmpty()) {
            QVERIFY(scripted.listen());
            scripted.greet("+OK ready\r\n").reply("-ERR not now\r\n");
            fixture.addAccount(QStringLiteral("Guarded"), scripted.host(), scripted.port(),
                               QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("Default"),
                               QStringLiteral("STARTTLS"));
        } else {
            QVERIFY(dovecot.makeCertificate(certificate));
            QVERIFY2(dovecot.start(), qPrintable(dovecot.errorText()));
            fixture.trustCa(dovecot.caCertificatePath());
            fixture.addAccount(QStringLiteral("Guarded"), dovecot.host(), dovecot.pop3sPort(),
                               QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("Default"),
                               QStringLiteral("SSL"));
        }

        fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Guarded|1|||||") + row});
        QCOMPARE(fixture.errorEntries().value(0),
                 QStringLiteral(" 00006 - failed on connect to 127.0.0.1 ") + reason);
        // The report tells it too, not only the log.
        const std::vector<std::string>& report = fixture.checks->lastReport();
        QVERIFY(std::any_of(report.begin(), report.end(), [&](const std::string& line) {
            return QString::fromStdString(line).endsWith(row + QStringLiteral(" 127.0.0.1 ") + reason);
        }));
        if (certificate.isEmpty())
            QCOMPARE(scripted.receivedLines(), QByteArrayList{"STLS"});
    }

    void secondCheckOnTheHomeWaitsThenRefuses()
    {
        CheckFixture fixture;
        fixture.addCorpusAccount(m_server);
        fixture.services.lockPatience = std::chrono::milliseconds(800);
        QLockFile other(fixture.path(QLatin1String(vantor::core::CheckLock::FileName)));
        QVERIFY(other.tryLock(0));

        QCOMPARE(fixture.checks->startCheck(CheckMode::Automatic), CheckGuards::Outcome::Locked);
        QCOMPARE(fixture.prompts.errors,
                 QStringList{QStringLiteral("Another check is running on this home directory.")});
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(fixture.checks->lists().accounts().isEmpty());

        // The other check ends while this one waits.
        QTimer::singleShot(300, [&other] { other.unlock(); });
        QCOMPARE(fixture.checks->startCheck(CheckMode::Automatic), CheckGuards::Outcome::Passed);
        QCOMPARE(fixture.checks->lists().accounts().size(), 1);
        QCOMPARE(fixture.prompts.errors.size(), 1);
    }
};

QTEST_GUILESS_MAIN(CheckFaultsTest)
#include "CheckFaultsTest.moc"
