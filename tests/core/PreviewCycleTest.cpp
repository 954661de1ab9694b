#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "support/TestFiles.h"
#include "TestMailServer.h"
#include "storage/SettingKeys.h"

#include <QDir>
#include <QTest>

using vantor::core::CheckMode;
using vantor::core::CheckPage;
using vantor::core::TrayState;
using vantor::test::CheckFixture;
using vantor::test::SpamCorpus;
using vantor::test::TestMailServer;

// The preview build, the wait for the user, Finish and Abort against a real POP3 server.
class PreviewCycleTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

    static int rowOf(const vantor::core::ResultListModel& preview, const QString& sender)
    {
        for (int row = 0; row < preview.size(); ++row) {
            if (QString::fromStdString(preview.subItem(row, vantor::core::CheckLists::PreviewEMail)) ==
                sender)
                return row;
        }
        return -1;
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(10), qPrintable(m_server.errorText())); }

    void buildProposesAndWaits()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        const QStringList mailbox = m_server.listMaildir(user);

        fixture.checks->startCheck(CheckMode::Preview);

        const auto& lists = fixture.checks->lists();
        QStringList expected;
        int ticked = 0;
        for (const SpamCorpus::Message& message : SpamCorpus::messages()) {
            expected.append(QStringLiteral("Home|%1|%2").arg(message.verdict).arg(message.sender));
            ticked += message.isSpam();
        }
        QStringList rows;
        for (int row = 0; row < lists.preview().size(); ++row) {
            rows.append(CheckFixture::rowTexts(lists.preview()).at(row).section(QLatin1Char('|'), 0, 2));
            const int verdict = lists.preview().row(row).icon;
            QCOMPARE(lists.preview().isTicked(row), verdict != 2 && verdict != 6);
        }
        QCOMPARE(rows, expected);
        fixture.checks->selectPreviewRow(1);
        QCOMPARE(fixture.host.memo,
                 QStringLiteral("Msg deleted: Sender: fasttrec.com --> Equals fasttrec.com"));
        // One reason per row, and the hint past the last.
        fixture.checks->selectPreviewRow(10);
        QVERIFY(fixture.host.memo.startsWith(QStringLiteral("Msg ")));
        fixture.checks->selectPreviewRow(11);
        QCOMPARE(fixture.host.memo, fixture.services.uiText("Label", "012"));
        QCOMPARE(CheckFixture::rowTexts(lists.previewAccounts()),
                 QStringList{QStringLiteral("Home|0|11|Spam|OK")});
        QCOMPARE(fixture.host.tally, QStringLiteral("Total emails 11: 5 read and 6 delete"));
        QVERIFY(fixture.host.isFinishEnabled);
        QVERIFY(fixture.host.isAbortEnabled);
        QCOMPARE(fixture.host.page, CheckPage::Preview);
        QCOMPARE(fixture.status.trayStates.last(), TrayState::PreviewWaiting);
        QVERIFY(fixture.state.checkRunning);
        QVERIFY(fixture.checks->isPreviewWaiting());
        // Nothing is deleted and nothing of the result page or the logs is written.
        QCOMPARE(m_server.listMaildir(user), mailbox);
        QVERIFY(lists.kept().isEmpty());
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("emails.log"))));
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("backup.bak"))));
        QVERIFY(fixture.reportTexts().contains(QStringLiteral("Msg 10 deleted: Subject empty")));

        fixture.checks->selectPreviewRow(1);
        QCOMPARE(fixture.host.memo,
                 QStringLiteral("Msg deleted: Sender: fasttrec.com --> Equals fasttrec.com"));
        fixture.checks->selectPreviewRow(-1);
        QCOMPARE(fixture.host.memo, QStringLiteral("EMail info (click on email to see information)"));

        // A second check request while the preview waits is ignored.
        fixture.checks->startCheck(CheckMode::Automatic);
        QVERIFY(lists.accounts().isEmpty());
        QCOMPARE(m_server.listMaildir(user), mailbox);
    }

    void finishDeletesOnlyTheTickedMessages()
    {
        CheckFixture fixture;
        fixture.setSetting(vantor::storage::BackupActive, true);
        const QString user = fixture.addCorpusAccount(m_server);
        fixture.checks->startCheck(CheckMode::Preview);
        auto& preview = fixture.checks->lists().preview();
        const int spared = rowOf(preview, QStringLiteral("bigmoney@fasttrec.com"));
        preview.setTicked(spared, false);
        QCOMPARE(fixture.host.tally, QStringLiteral("Total emails 11: 6 read and 5 delete"));
        // Mail that arrives while the preview waits is neither deleted nor taken for a kept message.
        m_server.putMessage(user, SpamCorpus::message("late@example.org", "Arrived later",
                                                      "Wed, 06 Feb 2002 08:00:00 +0000"));

        fixture.checks->finishPreview();

        const auto& lists = fixture.checks->lists();
        QStringList expected;
        for (const SpamCorpus::Message& message : SpamCorpus::messages()) {
            if (!message.isSpam() || message.sender == QStringLiteral("bigmoney@fasttrec.com"))
                expected.append(message.sender);
        }
        expected.append(QStringLiteral("late@example.org"));
        QStringList keptSenders;
        QStringList keptIcons;
        for (const auto& row : lists.kept().rows()) {
            keptSenders.append(QString::fromStdString(row.caption));
            keptIcons.append(QString::number(row.icon));
        }
        QCOMPARE(keptSenders, expected);
        QCOMPARE(m_server.listMaildir(user).size(), expected.size());
        // The messages the user kept keep their exceptions icon; the late one is marked "no check".
        QCOMPARE(keptIcons, (QStringList{QStringLiteral("6"), QStringLiteral("6"), QStringLiteral("6"),
                                         QStringLiteral("6"), QStringLiteral("2"), QStringLiteral("6"),
                                         QStringLiteral("7")}));
        QCOMPARE(lists.deleted().size(), 5);
        QCOMPARE(CheckFixture::rowTexts(lists.accounts()),
                 QStringList{QStringLiteral("Home|0|12|7|5|Spam|OK")});
        QCOMPARE(fixture.todaysTotals(), QStringLiteral("12/7/5"));
        QCOMPARE(QDir(fixture.path(QStringLiteral("EBak"))).entryList(QDir::Files).size(), 5);
        QCOMPARE(vantor::test::TestFiles::read(fixture.path(QStringLiteral("backup.bak"))).count('\n'),
                 1 + 5);
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(!fixture.checks->isPreviewWaiting());
        QCOMPARE(fixture.host.page, CheckPage::ResultLists);
        QCOMPARE(fixture.host.controlChanges, (QStringList{QStringLiteral("off"), QStringLiteral("on")}));
        QCOMPARE(fixture.status.trayStates.last(), TrayState::Idle);
        // The preview stays on its page until the next build.
        QCOMPARE(preview.size(), 11);
        QVERIFY(fixture.errorEntries().isEmpty());
    }

    void abortDeletesNothing()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        const QStringList mailbox = m_server.listMaildir(user);
        const auto lastCheck = fixture.state.lastCheckTime;
        fixture.checks->startCheck(CheckMode::Preview);

        fixture.checks->abortPreview();

        QCOMPARE(m_server.listMaildir(user), mailbox);
        QVERIFY(fixture.checks->lists().preview().isEmpty());
        QVERIFY(fixture.checks->lists().previewAccounts().isEmpty());
        QVERIFY(!fixture.state.checkRunning);
        QVERIFY(fixture.state.lastCheckTime == lastCheck);
        QCOMPARE(fixture.host.controlChanges.last(), QStringLiteral("on"));
        QCOMPARE(fixture.host.memo, QStringLiteral("EMail info (click on email to see information)"));
        QCOMPARE(fixture.status.trayStates.last(), TrayState::Idle);
        QVERIFY(!QFile::exists(fixture.path(QStringLiteral("emails.log"))));
        // Finish after Abort has nothing to finish.
        fixture.checks->finishPreview();
        QCOMPARE(m_server.listMaildir(user), mailbox);
    }

    void emptyMailboxLeavesOnlyAbort()
    {
        CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Empty"), m_server.host(), m_server.port(), m_server.newUser(),
                           TestMailServer::Password);
        fixture.checks->startCheck(CheckMode::Preview);
        QVERIFY(!fixture.host.isFinishEnabled);
        QVERIFY(fixture.host.isAbortEnabled);
        QCOMPARE(fixture.host.tally, QStringLiteral("Total emails 0: 0 read and 0 delete"));
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().previewAccounts()),
                 QStringList{QStringLiteral("Empty|0|0||OK")});
    }

    void finishOfflineGivesTheWindowBack()
    {
        CheckFixture fixture;
        const QString user = fixture.addCorpusAccount(m_server);
        const QStringList mailbox = m_server.listMaildir(user);
        fixture.checks->startCheck(CheckMode::Preview);
        fixture.detector.setOnline(false);

        fixture.checks->finishPreview();

        QCOMPARE(fixture.prompts.errors,
                 QStringList{QStringLiteral("Before check email accout you must connect to Internet.")});
        QVERIFY(!fixture.state.checkRunning);
        QCOMPARE(fixture.host.controlChanges, (QStringList{QStringLiteral("off"), QStringLiteral("on")}));
        QVERIFY(!fixture.host.isBusy);
        QCOMPARE(fixture.status.trayStates.last(), TrayState::Idle);
        QCOMPARE(m_server.listMaildir(user), mailbox);
        // The next check can start.
        fixture.detector.setOnline(true);
        fixture.checks->startCheck(CheckMode::Automatic);
        QCOMPARE(fixture.checks->lists().accounts().size(), 1);
    }

    void finishWhileTheWatchPollsKeepsWaiting()
    {
        CheckFixture fixture;
        fixture.addCorpusAccount(m_server);
        fixture.checks->startCheck(CheckMode::Preview);
        fixture.state.watchRunning = true;
        fixture.checks->finishPreview();
        QVERIFY(fixture.checks->isPreviewWaiting());
        QVERIFY(fixture.state.checkRunning);
        QCOMPARE(fixture.host.page, CheckPage::Preview);
        fixture.state.watchRunning = false;
        fixture.checks->abortPreview();
        QVERIFY(!fixture.state.checkRunning);
    }

    void twinMessagesAreDeletedOnceEach()
    {
        CheckFixture fixture;
        const QString user = m_server.newUser();
        // The same sender, subject and date to the second: one preview row stands for both.
        const QByteArray twin =
            SpamCorpus::message("twin@example.org", "", "Wed, 06 Feb 2002 08:00:00 +0000");
        m_server.putMessage(user, twin);
        m_server.putMessage(user, twin);
        fixture.addAccount(QStringLiteral("Twins"), m_server.host(), m_server.port(), user,
                           TestMailServer::Password);
        fixture.checks->startCheck(CheckMode::Preview);
        QCOMPARE(fixture.checks->lists().preview().tickedCount(), 2);

        fixture.checks->finishPreview();

        QTRY_VERIFY(m_server.listMaildir(user).isEmpty());
        QCOMPARE(fixture.checks->lists().deleted().size(), 2);
        QCOMPARE(vantor::test::TestFiles::read(fixture.path(QStringLiteral("backup.bak"))).count('\n'),
                 1 + 2);
    }
};

QTEST_GUILESS_MAIN(PreviewCycleTest)
#include "PreviewCycleTest.moc"
