#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"
#include "storage/SettingKeys.h"
#include "support/CuttingRelay.h"
#include "support/DelayingRelay.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

using vantor::core::CheckMode;
using vantor::support::DelayingRelay;
using vantor::test::CheckFixture;
using vantor::test::SpamCorpus;
using vantor::test::TestMailServer;

// Pipelining and the header cache against Dovecot: a check with them comes out exactly as the lockstep
// check, file for file, and a check of an unchanged mailbox sends no TOP at all.
class CheckSpeedUpsTest : public QObject
{
    Q_OBJECT

private:
    // Twelve rounds of the corpus: three windows of header fetches, and more DELEs than one window holds.
    static constexpr int Rounds = 12;
    TestMailServer m_server;

    QString fillMailbox()
    {
        const QString user = m_server.newUser();
        for (int round = 0; round < Rounds; ++round) {
            for (const SpamCorpus::Message& message : SpamCorpus::messages())
                m_server.putMessage(user, message.bytes);
        }
        return user;
    }
    static void prepare(CheckFixture& fixture, const QString& host, quint16 port, const QString& user,
                        bool isWholeBackup)
    {
        fixture.writeCorpusProfile();
        fixture.addAccount(QStringLiteral("Home"), host, port, user, TestMailServer::Password,
                           QStringLiteral("Spam"));
        fixture.setSetting(vantor::storage::BackupActive, true);
        fixture.setSetting(vantor::storage::BackupAllMessage, isWholeBackup);
        fixture.setSetting(vantor::storage::GeneralReport, true);
    }
    // Every file of the home by its path, but the account file (user names differ) and the cache.
    static QMap<QString, QByteArray> files(const CheckFixture& fixture)
    {
        QMap<QString, QByteArray> contents;
        const QDir home(fixture.dir.path());
        QDirIterator it(fixture.dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = home.relativeFilePath(it.next());
            if (path != QStringLiteral("account.vta") && !path.startsWith(QStringLiteral("Cache/")))
                contents.insert(path, vantor::test::TestFiles::read(it.filePath()));
        }
        return contents;
    }
    static QStringList lists(const CheckFixture& fixture)
    {
        const auto& lists = fixture.checks->lists();
        return CheckFixture::rowTexts(lists.accounts()) + CheckFixture::rowTexts(lists.kept()) +
               CheckFixture::rowTexts(lists.deleted());
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(8), qPrintable(m_server.errorText())); }

    void sameResultsAsTheLockstep_data()
    {
        QTest::addColumn<bool>("isWholeBackup");
        QTest::newRow("header backups") << false;
        QTest::newRow("whole-message backups") << true;
    }

    void sameResultsAsTheLockstep()
    {
        QFETCH(bool, isWholeBackup);
        const QString lockstepUser = fillMailbox();
        const QString user = fillMailbox();
        CheckFixture lockstep;
        prepare(lockstep, m_server.host(), m_server.port(), lockstepUser, isWholeBackup);
        CheckFixture fast;
        fast.enableSpeedUps();
        DelayingRelay relay(m_server.host(), m_server.port(), 0);
        QVERIFY(relay.start());
        prepare(fast, m_server.host(), relay.port(), user, isWholeBackup);

        lockstep.checks->startCheck(CheckMode::Automatic);
        fast.checks->startCheck(CheckMode::Automatic);

        const int hamCount = Rounds * 5;
        QCOMPARE(lockstep.checks->lists().kept().size(), hamCount);
        QCOMPARE(fast.errorEntries().join(QLatin1Char('\n')), QString());
        QCOMPARE(lists(fast), lists(lockstep));
        QCOMPARE(fast.reportTexts(), lockstep.reportTexts());
        QCOMPARE(fast.errorEntries(), QStringList());
        QCOMPARE(fast.todaysTotals(), lockstep.todaysTotals());
        const QMap<QString, QByteArray> fastFiles = files(fast);
        QCOMPARE(fastFiles.keys(), files(lockstep).keys());
        QCOMPARE(fastFiles, files(lockstep));
        // Each round's copies share the names of the first round's.
        QCOMPARE(QDir(fast.path(QStringLiteral("EBak"))).entryList(QDir::Files).size(), 6);
        QTRY_COMPARE(m_server.listMaildir(user).size(), hamCount);
        // Every header crossed the wire once: the second listing came from the cache.
        const QByteArray sent = relay.clientBytes();
        QCOMPARE(sent.count("\r\nTOP "), Rounds * 11);
        QVERIFY(sent.contains("CAPA\r\n") && sent.contains("UIDL\r\n"));
        // Headers, the backups' whole messages and the DELEs went a window at a time: a round trip per
        // window, not per message (72 spam, 132 messages).
        QVERIFY2(relay.burstCount() <= 25, qPrintable(QString::number(relay.burstCount())));

        // The same mailbox again: judged anew from its headers, and not one of them fetched.
        relay.resetCounts();
        fast.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(relay.clientBytes().count("TOP "), 0);
        QCOMPARE(CheckFixture::rowTexts(fast.checks->lists().kept()),
                 CheckFixture::rowTexts(lockstep.checks->lists().kept()));
        QVERIFY(fast.checks->lists().deleted().isEmpty());
    }

    // Two messages alike in sender, subject and date, and a third like them that arrives while the preview
    // waits: only the one ticked is deleted.
    void previewFinishFindsTheTickedMessageById()
    {
        CheckFixture fixture;
        fixture.enableSpeedUps();
        const QString user = m_server.newUser();
        const QByteArray twin =
            SpamCorpus::message("twin@example.org", "", "Tue, 05 Feb 2002 10:00:00 +0000");
        const QString first = m_server.putMessage(user, twin);
        m_server.putMessage(user, twin);
        fixture.writeCorpusProfile();
        fixture.addAccount(QStringLiteral("Home"), m_server.host(), m_server.port(), user,
                           TestMailServer::Password, QStringLiteral("Spam"));
        fixture.checks->startCheck(CheckMode::Preview);
        auto& preview = fixture.checks->lists().preview();
        QCOMPARE(preview.size(), 2);
        QVERIFY(preview.isTicked(0) && preview.isTicked(1));
        preview.setTicked(0, false);
        const QString late = m_server.putMessage(user, twin);

        fixture.checks->finishPreview();

        QCOMPARE(fixture.checks->lists().deleted().size(), 1);
        QTRY_COMPARE(m_server.listMaildir(user), (QStringList{first, late}));
    }

    // A cut when the held DELEs go out: the session is lost, and with it every deletion.
    void cutAtTheDeletionsDeletesNothing()
    {
        CheckFixture fixture;
        fixture.enableSpeedUps();
        vantor::support::CuttingRelay relay(m_server.host(), m_server.port(), "DELE");
        QVERIFY(relay.listen());
        const QString user = fixture.addCorpusAccount(m_server, relay.port());
        fixture.setSetting(vantor::storage::BackupActive, true);
        const int ended = m_server.endedSessions();

        fixture.checks->startCheck(CheckMode::Automatic);

        QVERIFY(relay.hasCut());
        QVERIFY(m_server.waitForEndedSessions(ended + 1));
        QCOMPARE(m_server.listMaildir(user).size(), 11);
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Home|1|11|||Spam|ERROR: session aborted, nothing deleted")});
        QVERIFY(fixture.checks->lists().deleted().isEmpty());
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
    }
};

QTEST_GUILESS_MAIN(CheckSpeedUpsTest)
#include "CheckSpeedUpsTest.moc"
