#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "support/TestFiles.h"
#include "TestMailServer.h"
#include "core/accounts/AccountManagerLogic.h"
#include "core/check/AccountRowLayout.h"
#include "records/BackupFolder.h"
#include "storage/SettingKeys.h"
#include "support/FreePort.h"
#include "support/ScriptedServer.h"

#include <QDir>
#include <QTest>
#include <QTimer>

using vantor::core::CheckMode;
using vantor::core::TrayState;
using vantor::support::ScriptedServer;
using vantor::test::CheckFixture;
using vantor::test::SpamCorpus;
using vantor::test::TestMailServer;

// The automatic check against a real POP3 server: what it deletes, what it lists, what it writes.
class AutomaticCheckTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

    QString newUser() { return m_server.newUser(); }

    // Delivers the corpus to the user; returns the maildir names of the ham, in order.
    QStringList deliverCorpus(const QString& user)
    {
        QStringList ham;
        for (const SpamCorpus::Message& message : SpamCorpus::messages()) {
            const QString name = m_server.putMessage(user, message.bytes);
            if (!message.isSpam())
                ham.append(name);
        }
        return ham;
    }

    static QByteArray header(const QByteArray& from, const QByteArray& subject)
    {
        return "+OK\r\nFrom: " + from + "\r\nSubject: " + subject +
               "\r\nDate: Tue, 05 Feb 2002 10:20:30 +0100\r\n\r\n.\r\n";
    }

    // A POP3 session that logs in and lists the given sizes; the caller adds what follows LIST.
    static void scriptLogin(ScriptedServer& server, const QByteArrayList& sizes)
    {
        QByteArray listing = "+OK\r\n";
        for (int i = 0; i < sizes.size(); ++i)
            listing += QByteArray::number(i + 1) + ' ' + sizes[i] + "\r\n";
        server.greet("+OK ready\r\n").reply("+OK\r\n").reply("+OK\r\n").reply(listing + ".\r\n");
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(12), qPrintable(m_server.errorText())); }

    void removesExactlyTheSpam()
    {
        CheckFixture fixture;
        const QString user = newUser();
        const QStringList ham = deliverCorpus(user);
        fixture.writeCorpusProfile();
        // The protection a new account gets on a port other than 995: STLS, then the login.
        const std::string security = vantor::core::AccountManagerLogic::defaultSecurity(
            std::to_string(m_server.port()), vantor::core::AccountManagerLogic::ImplicitTlsPop3Port);
        QCOMPARE(security, std::string("STARTTLS"));
        fixture.trustCa(m_server.caCertificatePath());
        fixture.addAccount(QStringLiteral("Home"), m_server.host(), m_server.port(), user,
                           QStringLiteral("secret"), QStringLiteral("Spam"), QString::fromStdString(security));
        fixture.setSetting(vantor::storage::BackupActive, true);
        fixture.setSetting(vantor::storage::GeneralReport, true);
        fixture.setSetting(vantor::storage::EMailClientAutoClient, true);
        fixture.setSetting(vantor::storage::EMailClientPath, std::string_view("/usr/bin/mailclient"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QTRY_COMPARE(m_server.listMaildir(user), ham);
        const auto& lists = fixture.checks->lists();
        QCOMPARE(CheckFixture::rowTexts(lists.accounts()),
                 QStringList{QStringLiteral("Home|0|11|5|6|Spam|OK")});
        QVERIFY(m_server.log().contains("user=<" + user.toUtf8() + ">, method=PLAIN, rip=127.0.0.1, lip=127.0.0.1, "
                                        "mpid="));
        QVERIFY(m_server.log().contains(", TLS, session="));

        QStringList kept;
        QStringList deleted;
        for (const SpamCorpus::Message& message : SpamCorpus::messages())
            (message.isSpam() ? deleted : kept)
                .append(message.sender + QLatin1Char('|') + QString::number(message.verdict));
        QStringList keptRows;
        for (const QString& row : CheckFixture::rowTexts(lists.kept()))
            keptRows.append(row.section(QLatin1Char('|'), 0, 1));
        QCOMPARE(keptRows, kept);
        QStringList deletedRows;
        for (const QString& row : CheckFixture::rowTexts(lists.deleted()))
            deletedRows.append(row.section(QLatin1Char('|'), 0, 1));
        QCOMPARE(deletedRows, deleted);
        QCOMPARE(CheckFixture::rowTexts(lists.deleted()).last(),
                 QStringLiteral("prize@lucky-draw.ru|5|You have won|Home|") +
                     QDateTime(QDate(2002, 2, 5), QTime(9, 20, 30), Qt::UTC)
                         .toLocalTime()
                         .toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));

        const QStringList report = fixture.reportTexts();
        QCOMPARE(report.mid(0, 5),
                 (QStringList{QStringLiteral("Start"), QStringLiteral("Account: 127.0.0.1"),
                              QStringLiteral("Messages on this account: 11"), QStringLiteral("Msg 1 clear"),
                              QStringLiteral("Msg 2 deleted: Sender: fasttrec.com --> Equals "
                                             "fasttrec.com")}));
        QCOMPARE(report.at(6), QStringLiteral("Msg 4 deleted: Subject: *****spam***** *****spam***** \"100% "
                                              "herbalsensation\" --> Contains *****spam*****"));
        QVERIFY(report.at(8).startsWith(QStringLiteral("Msg 6 deleted: Headers: ")));
        QCOMPARE(report.mid(9),
                 (QStringList{
                     QStringLiteral("Msg 7 filtered: Exceptions: poohba@blkpoohba.dyndns.org --> "
                                    "Equals poohba@blkpoohba.dyndns.org"),
                     QStringLiteral("Msg 8 deleted: Spammer: itereocicvim@hotmail.com --> "
                                    "itereocicvim@hotmail.com"),
                     QStringLiteral("Msg 9 clear"),
                     QStringLiteral("Msg 10 deleted: Subject empty"),
                     QStringLiteral("Msg 11 deleted: main level domain: .ru"),
                     QStringLiteral("Finish"),
                 }));

        QCOMPARE(fixture.todaysTotals(), QStringLiteral("11/5/6"));
        const QList<QByteArray> database =
            vantor::test::TestFiles::read(fixture.path(QStringLiteral("backup.bak"))).split('\n');
        QCOMPARE(database.size(), 1 + 6 + 1);
        QCOMPARE(database.first(), QByteArray("EMail,Subject,Account,Date/Time\r"));
        QVERIFY(database.at(1).startsWith("bigmoney@fasttrec.com,ADV: --YOUR BRAND NEW HOUSE--,Home,"));
        const QStringList backups = QDir(fixture.path(QStringLiteral("EBak"))).entryList(QDir::Files);
        QCOMPARE(backups.size(), 6);
        QCOMPARE(backups.filter(QStringLiteral(" - bigmoney@fasttrec.com.vtb")).size(), 1);

        QCOMPARE(fixture.errorEntries(), QStringList());
        QCOMPARE(fixture.host.reportsShown, 1);
        QCOMPARE(fixture.host.mailClients, QStringList{QStringLiteral("/usr/bin/mailclient")});
        QCOMPARE(fixture.host.controlChanges, (QStringList{QStringLiteral("off"), QStringLiteral("on")}));
        QCOMPARE(fixture.host.chartRefreshes, 1);
        QCOMPARE(fixture.status.trayStates, (QList<TrayState>{TrayState::Filtering, TrayState::Idle}));
        QCOMPARE(
            fixture.status.texts,
            (QStringList{QStringLiteral("Connecting to 127.0.0.1"), QStringLiteral("Logining to 127.0.0.1"),
                         QStringLiteral("Connected to 127.0.0.1"),
                         QStringLiteral("Filtering email from 127.0.0.1"),
                         QStringLiteral("Disconnecting to 127.0.0.1"),
                         QStringLiteral("Disconnected to 127.0.0.1"), QStringLiteral("Ready")}));
        const QStringList& progress = fixture.status.progress;
        QCOMPARE(progress.mid(0, 3),
                 (QStringList{QStringLiteral("accounts 1/1"), QStringLiteral("messages 0/0"),
                              QStringLiteral("messages 1/11")}));
        QCOMPARE(progress.mid(progress.size() - 2),
                 (QStringList{QStringLiteral("messages 11/11"), QStringLiteral("reset")}));
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(fixture.state.lastCheckTime == fixture.clock.localNow());
    }

    void failedAccountsAreMarkedAndTheOthersChecked()
    {
        CheckFixture fixture;
        const QString user = newUser();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.addAccount(QStringLiteral("Refused"), m_server.host(), vantor::support::freeLoopbackPort(),
                           user, QStringLiteral("secret"));
        fixture.addAccount(QStringLiteral("Wrong"), m_server.host(), m_server.port(), user,
                           QStringLiteral("nope"));
        fixture.addAccount(QStringLiteral("Good"), m_server.host(), m_server.port(), user,
                           QStringLiteral("secret"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 (QStringList{QStringLiteral("Refused|1|||||ERROR: failed on connect"),
                              QStringLiteral("Wrong|1|||||ERROR: failed on login"),
                              QStringLiteral("Good|0|1|1|0|->Default<-|OK")}));
        QCOMPARE(fixture.errorEntries(),
                 (QStringList{QStringLiteral(" 00006 - failed on connect to 127.0.0.1 (Connection refused)"),
                              QStringLiteral(" 00006 - failed on login to 127.0.0.1"),
                              QStringLiteral(" 00004 - used Default profile not Default"),
                              QStringLiteral(" 00003 - used Default profile not Default")}));
        // Only the account that ended "OK" counts.
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("1/1/0"));
        QCOMPARE(m_server.listMaildir(user).size(), 1);
    }

    void missingAccountDataEndsThePass()
    {
        CheckFixture fixture;
        const QString user = newUser();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.addAccount(QStringLiteral("First"), m_server.host(), m_server.port(), user,
                           QStringLiteral("secret"));
        fixture.addAccount(QStringLiteral("NoServer"), m_server.host(), m_server.port(), user,
                           QStringLiteral("secret"));
        fixture.addAccount(QStringLiteral("Last"), m_server.host(), m_server.port(), user,
                           QStringLiteral("secret"));
        {
            vantor::storage::IniFile accounts(fixture.home.nativeFilePath("account.vta"));
            accounts.deleteKey("Acc2", "POPServer");
            accounts.updateFile();
        }

        fixture.checks->startCheck(CheckMode::Automatic);

        const QStringList rows = CheckFixture::rowTexts(fixture.checks->lists().accounts());
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0), QStringLiteral("First|0|1|1|0|->Default<-|OK"));
        QCOMPARE(rows.at(1), QStringLiteral("NoServer|1|||||ERROR: failed on read HOST info"));
        QVERIFY(!fixture.state.checkRunning);
        QCOMPARE(fixture.host.controlChanges.last(), QStringLiteral("on"));
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("1/1/0"));
    }

    void unreadableHeaderIsLoggedAndTheAccountStillEndsOk()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        scriptLogin(server, {"100", "120"});
        server.reply("-ERR no such message\r\n")
            .reply(header("friend@example.org", "hello"))
            .reply("+OK bye\r\n");
        // The second listing.
        scriptLogin(server, {"100", "120"});
        server.reply(header("a@example.org", "one"))
            .reply(header("friend@example.org", "hello"))
            .reply("+OK bye\r\n");
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QVERIFY(server.isDone());
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Scripted|0|2|2|0|->Default<-|OK")});
        QCOMPARE(fixture.errorEntries().first(),
                 QStringLiteral(" 00006 - failed on retrive message from 127.0.0.1"));
        QCOMPARE(fixture.checks->lists().kept().size(), 2);
        QCOMPARE(server.receivedLines().mid(3, 3), (QByteArrayList{"TOP 1 0", "TOP 2 0", "QUIT"}));
    }

    void failedSecondListingLeavesTheCountsEmpty()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        scriptLogin(server, {"300"});
        // Spam by the default rules (no subject): fetched, fetched again for the row, deleted.
        const QByteArray spam = "+OK\r\nFrom: spam@example.org\r\nTo: me@example.org\r\n\r\n.\r\n";
        server.reply(spam).reply(spam).reply("+OK deleted\r\n").reply("+OK bye\r\n");
        server.greet("+OK ready\r\n").reply("+OK\r\n").reply("-ERR no\r\n");
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QVERIFY(server.isDone());
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Scripted|1|1|||->Default<-|ERROR: failed on login")});
        QVERIFY(fixture.errorEntries().contains(QStringLiteral(" 00002 - failed on login to 127.0.0.1")));
        QCOMPARE(fixture.checks->lists().deleted().size(), 1);
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("0/0/0"));
    }

    void refusedDeletionIsNotListedAsDeleted()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        scriptLogin(server, {"300"});
        const QByteArray spam = "+OK\r\nFrom: spam@example.org\r\nTo: me@example.org\r\n\r\n.\r\n";
        server.reply(spam).reply(spam).reply("-ERR locked\r\n").reply("+OK bye\r\n");
        scriptLogin(server, {"300"});
        server.reply(spam).reply("+OK bye\r\n");
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QVERIFY(server.isDone());
        QCOMPARE(fixture.checks->lists().deleted().size(), 0);
        QCOMPARE(fixture.checks->lists().kept().size(), 1);
        QVERIFY(fixture.errorEntries().contains(
            QStringLiteral(" 00006 - failed on delete message from 127.0.0.1")));
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
    }

    void checksOverTls()
    {
        CheckFixture fixture;
        fixture.trustCa(m_server.caCertificatePath());
        const QString user = newUser();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.addAccount(QStringLiteral("Implicit"), QStringLiteral("localhost"), m_server.pop3sPort(),
                           user, QStringLiteral("secret"), QStringLiteral("Default"), QStringLiteral("SSL"));
        fixture.addAccount(QStringLiteral("Upgrade"), QStringLiteral("localhost"), m_server.port(), user,
                           QStringLiteral("secret"), QStringLiteral("Default"), QStringLiteral("STARTTLS"));
        fixture.addAccount(QStringLiteral("Unknown"), QStringLiteral("localhost"), m_server.port(), user,
                           QStringLiteral("secret"), QStringLiteral("Default"), QStringLiteral("TLS1.0"));

        fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 (QStringList{QStringLiteral("Implicit|0|1|1|0|->Default<-|OK"),
                              QStringLiteral("Upgrade|0|1|1|0|->Default<-|OK"),
                              QStringLiteral("Unknown|1|||||ERROR: failed on connect")}));
    }

    void guardsRefuseToStart()
    {
        CheckFixture fixture;
        fixture.state.watchRunning = true;
        fixture.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(
            fixture.prompts.errors,
            QStringList{QStringLiteral("EMail Vantor is checking new emails in your accounts. Retry when "
                                       "EMail Vantor have finish.")});
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(!fixture.host.areControlsEnabled.has_value());

        fixture.state.watchRunning = false;
        fixture.detector.setOnline(false);
        fixture.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(fixture.prompts.errors.last(),
                 QStringLiteral("Before check email accout you must connect to Internet."));
        QVERIFY(!fixture.state.checkRunning);

        fixture.detector.setOnline(true);
        fixture.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(fixture.prompts.errors.last(),
                 QStringLiteral("Before check email you must config your accounts."));
        QCOMPARE(fixture.host.accountManagerOpened, 1);
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("emails.log"))));
    }

    void noCheckedAccountStillLogsZeros()
    {
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Off"), m_server.host(), m_server.port(), newUser(),
                           QStringLiteral("secret"));
        {
            vantor::storage::IniFile accounts(fixture.home.nativeFilePath("account.vta"));
            accounts.writeBool("Acc1", "Check", false);
            accounts.updateFile();
        }
        fixture.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(fixture.checks->lists().accounts().size(), 0);
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("0/0/0"));
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
    }

    void requestWhileRunningIsIgnored()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        // A slow greeting keeps the check waiting while the second request arrives.
        server.greet({{"+OK ready\r\n", 300}}).reply("+OK\r\n").reply("+OK\r\n").reply("+OK\r\n.\r\n");
        server.reply("+OK bye\r\n");
        scriptLogin(server, {});
        server.reply("+OK bye\r\n");
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));
        bool wasRunning = false;
        QTimer::singleShot(50, this, [&] {
            wasRunning = fixture.state.checkRunning;
            fixture.checks->startCheck(CheckMode::Automatic);
        });

        fixture.checks->startCheck(CheckMode::Automatic);

        QVERIFY(wasRunning);
        QCOMPARE(server.connectionCount(), 2);
        QCOMPARE(fixture.reportTexts().count(QStringLiteral("Start")), 1);
        QCOMPARE(fixture.host.controlChanges, (QStringList{QStringLiteral("off"), QStringLiteral("on")}));
    }
};

QTEST_GUILESS_MAIN(AutomaticCheckTest)
#include "AutomaticCheckTest.moc"
