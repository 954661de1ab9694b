#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"
#include "core/check/CheckLock.h"
#include "storage/SettingKeys.h"
#include "support/FreePort.h"
#include "support/ScriptedServer.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTest>

#include <csignal>

using vantor::test::CheckFixture;
using vantor::test::SpamCorpus;
using vantor::test::TestMailServer;

// vantor-check run as a program on a home directory, against a real POP3 server.
class VantorCheckToolTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

    struct Run
    {
        int exitCode = -1;
        QStringList lines;
        QString errors;
    };

    static Run run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(VANTOR_CHECK_TOOL), arguments);
        if (!process.waitForFinished(120000))
            return {};
        return outcome(process);
    }

    static Run outcome(QProcess& process)
    {
        Run result;
        result.exitCode = process.exitCode();
        result.lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        result.errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(6), qPrintable(m_server.errorText())); }

    void checksEveryAccountAndSaysOk()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);

        const Run result = run({QStringLiteral("--home"), fixture.home.dir()});

        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.lines.last(), QStringLiteral("Home\t11\t5\t6\tOK"));
        QVERIFY(result.lines.first().endsWith(QStringLiteral(" - Start")));
        QCOMPARE(
            result.lines.filter(QStringLiteral(" - Msg 8 deleted: Spammer: itereocicvim@hotmail.com")).size(),
            1);
        QCOMPARE(result.lines.size(), 3 + 11 + 1 + 1);
        QTRY_COMPARE(m_server.listMaildir(user).size(), 5);
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("11/5/6"));
        QVERIFY(result.errors.isEmpty());
    }

    void failedAccountMakesItFail()
    {
        CheckFixture fixture;
        const QString user = m_server.newUser();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.addAccount(QStringLiteral("Refused"), m_server.host(), vantor::support::freeLoopbackPort(),
                           user, TestMailServer::Password);
        // An empty stored password is sent as it is, without asking.
        fixture.addAccount(QStringLiteral("Empty"), m_server.host(), m_server.port(), user, QString());
        fixture.addAccount(QStringLiteral("Good"), m_server.host(), m_server.port(), user,
                           TestMailServer::Password);

        const Run result = run({QStringLiteral("--home"), fixture.home.dir()});

        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.lines.mid(result.lines.size() - 3),
                 (QStringList{QStringLiteral("Refused\t\t\t\tERROR: failed on connect"),
                              QStringLiteral("Empty\t\t\t\tERROR: failed on login"),
                              QStringLiteral("Good\t1\t1\t0\tOK")}));
        // Entries of the same second replace each other in Error.log; the later one is always there.
        QVERIFY(fixture.errorEntries().contains(QStringLiteral(" 00006 - failed on login to 127.0.0.1")));
    }

    void previewDeletesNothing()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        const QStringList mailbox = m_server.listMaildir(user);

        const Run result = run({QStringLiteral("--home"), fixture.home.dir(), QStringLiteral("--preview")});

        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.lines.last(), QStringLiteral("Home\t11\t\t\tOK"));
        QCOMPARE(result.lines.filter(QStringLiteral(" - Msg 10 deleted: Subject empty")).size(), 1);
        QCOMPARE(m_server.listMaildir(user), mailbox);
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("none"));
    }

    void terminationDuringAStalledFetchSendsNothingMore()
    {
        vantor::support::ScriptedServer server;
        QVERIFY(server.listen());
        // A server without CAPA and UIDL: the tool talks in lockstep.
        server.greet("+OK ready\r\n").reply("-ERR\r\n").reply("+OK\r\n").reply("+OK\r\n");
        server.reply("+OK\r\n1 300\r\n.\r\n").reply("-ERR\r\n");
        // Spam by the default rules (no subject); the backup's RETR then gets no answer.
        server.reply("+OK\r\nFrom: spam@example.org\r\nTo: me@example.org\r\n\r\n.\r\n").ignoreLine();
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                           QStringLiteral("p"));
        fixture.setSetting(vantor::storage::BackupActive, true);
        fixture.setSetting(vantor::storage::BackupAllMessage, true);
        QProcess process;
        process.start(QStringLiteral(VANTOR_CHECK_TOOL), {QStringLiteral("--home"), fixture.home.dir()});

        QTRY_VERIFY(server.receivedLines().contains("RETR 1"));
        process.terminate();
        QTRY_COMPARE(process.state(), QProcess::NotRunning);

        QCOMPARE(process.exitCode(), 128 + SIGTERM);
        QTRY_VERIFY(!server.hasClient());
        QCOMPARE(server.receivedLines(),
                 (QByteArrayList{"CAPA", "USER u", "PASS p", "LIST", "UIDL", "TOP 1 0", "RETR 1"}));
        QCOMPARE(QDir(fixture.path(QStringLiteral("EBak"))).entryList(QDir::Files), QStringList());
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
        QVERIFY(outcome(process).lines.contains(
            QStringLiteral("Scripted\t1\t\t\tERROR: session aborted, nothing deleted")));
    }

    void twoChecksOnOneHomeTakeTurns()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        QProcess first;
        QProcess second;
        for (QProcess* process : {&first, &second})
            process->start(QStringLiteral(VANTOR_CHECK_TOOL), {QStringLiteral("--home"), fixture.home.dir()});
        QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));

        // Whichever came second found the spam gone; neither counted a message twice.
        QStringList lines{outcome(first).lines.last(), outcome(second).lines.last()};
        lines.sort();
        QCOMPARE(lines,
                 (QStringList{QStringLiteral("Home\t11\t5\t6\tOK"), QStringLiteral("Home\t5\t5\t0\tOK")}));
        QCOMPARE(first.exitCode() + second.exitCode(), 0);
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("16/10/6"));
        QCOMPARE(m_server.listMaildir(user).size(), 5);
    }

    void homeKeptBusyTooLongRefuses()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        QLockFile otherCheck(fixture.path(QLatin1String(vantor::core::CheckLock::FileName)));
        QVERIFY(otherCheck.tryLock(0));

        // Waits the full 30 seconds for the other check.
        const Run result = run({QStringLiteral("--home"), fixture.home.dir()});

        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.errors.contains(QStringLiteral("Another check is running on this home directory.")));
        QCOMPARE(m_server.listMaildir(user).size(), 11);
    }

    void refusesWithoutAccountsOrArguments()
    {
        CheckFixture fixture;
        const Run noAccounts = run({QStringLiteral("--home"), fixture.home.dir()});
        QCOMPARE(noAccounts.exitCode, 1);
        QVERIFY(
            noAccounts.errors.contains(QStringLiteral("Before check email you must config your accounts.")));

        QCOMPARE(run({}).exitCode, 2);
        QCOMPARE(run({QStringLiteral("--home"), fixture.path(QStringLiteral("missing"))}).exitCode, 2);
        QCOMPARE(run({QStringLiteral("--home"), fixture.home.dir(), QStringLiteral("extra")}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(VantorCheckToolTest)
#include "VantorCheckToolTest.moc"
