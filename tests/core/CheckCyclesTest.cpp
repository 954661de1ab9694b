#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "core/check/AccountRowLayout.h"
#include "core/watch/NewMailWatch.h"
#include "records/DeletedDatabase.h"
#include "storage/SettingKeys.h"
#include "support/FakeMailbox.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTest>

#include <algorithm>

using vantor::core::CheckMode;
using vantor::test::CheckFixture;
using vantor::test::FakeMailbox;
using vantor::test::SpamCorpus;

// The check cycles on a scripted mailbox in memory: what they send, delete, list and record, in
// milliseconds. The Dovecot tests prove the same cycles against a real server.
class CheckCyclesTest : public QObject
{
    Q_OBJECT

private:
    static constexpr const char* Host = "pop.example.test";

    // A fixture over a fake mailbox holding the corpus, checked by the account "Home", on a day that is not
    // today (so emails.log shows which clock stamped it).
    struct CorpusCheck
    {
        CorpusCheck()
            : fixture(std::make_unique<FakeMailbox>())
            , mailbox(static_cast<FakeMailbox&>(*fixture.mailbox))
        {
            for (const SpamCorpus::Message& message : SpamCorpus::messages())
                mailbox.drop(Host).messages.push_back(message.bytes.toStdString());
            fixture.writeCorpusProfile();
            fixture.addAccount(QStringLiteral("Home"), QLatin1String(Host), 110, QStringLiteral("user"),
                               QStringLiteral("secret"), QStringLiteral("Spam"));
            fixture.clock.set(std::chrono::sys_days{std::chrono::year{2031} / 5 / 6} +
                              std::chrono::hours(12));
        }

        // The numbers of the corpus's spam, and the senders of its ham, in order.
        static QStringList spamDeletions()
        {
            QStringList deletions;
            for (int n = 0; n < SpamCorpus::messages().size(); ++n) {
                if (SpamCorpus::messages().at(n).isSpam())
                    deletions.append(QStringLiteral("DELE %1").arg(n + 1));
            }
            return deletions;
        }
        QStringList commands() const
        {
            QStringList commands;
            for (const std::string& command : mailbox.commands())
                commands.append(QString::fromStdString(command));
            return commands;
        }
        int left() const { return static_cast<int>(mailbox.drop(Host).messages.size()); }

        CheckFixture fixture;
        FakeMailbox& mailbox;
    };

private slots:
    void automaticCheckBacksUpDeletesAndRecordsTheSpamOnlyAfterQuit()
    {
        CorpusCheck check;
        check.fixture.setSetting(vantor::storage::BackupActive, true);

        check.fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(check.left(), 5);
        const QStringList commands = check.commands();
        const QStringList firstSession = commands.mid(0, commands.indexOf(QStringLiteral("QUIT")) + 1);
        QStringList deletions = firstSession.filter(QStringLiteral("DELE"));
        QCOMPARE(deletions, CorpusCheck::spamDeletions());
        // Each deletion follows the backup's own fetch of the same message.
        for (const QString& deletion : deletions) {
            const int at = firstSession.indexOf(deletion);
            QCOMPARE(firstSession.at(at - 1), QStringLiteral("TOP ") + deletion.mid(5));
        }
        // The second session lists what is left and deletes nothing.
        QCOMPARE(commands.mid(firstSession.size()).filter(QStringLiteral("TOP")).size(), 5);
        QVERIFY(commands.mid(firstSession.size()).filter(QStringLiteral("DELE")).isEmpty());

        const auto& lists = check.fixture.checks->lists();
        QCOMPARE(CheckFixture::rowTexts(lists.accounts()),
                 QStringList{QStringLiteral("Home|0|11|5|6|Spam|OK")});
        QCOMPARE(lists.deleted().size(), 6);
        QCOMPARE(lists.kept().size(), 5);
        QVERIFY(
            QFileInfo::exists(check.fixture.path(QLatin1String(vantor::records::DeletedDatabase::FileName))));
        QCOMPARE(check.fixture.todaysTotals(), QStringLiteral("11/5/6"));
        QVERIFY(check.fixture.state.lastCheckTime == check.fixture.clock.localNow());
        QVERIFY(!check.fixture.state.checkRunning);
        QVERIFY(check.fixture.errorEntries().isEmpty());
        // Every report line carries the clock's time, so a run's report reads the same every time.
        const std::vector<std::string>& report = check.fixture.checks->lastReport();
        const std::string stamp = report.front().substr(0, report.front().find(" - "));
        QVERIFY(std::all_of(report.begin(), report.end(),
                            [&stamp](const std::string& line) { return line.starts_with(stamp + " - "); }));
    }

    void aSessionThatBreaksDeletesAndRecordsNothing()
    {
        CorpusCheck check;
        check.mailbox.drop(Host).brokenFetches = {5};

        check.fixture.checks->startCheck(CheckMode::Automatic);

        QCOMPARE(check.left(), 11);
        QVERIFY(!check.commands().contains(QStringLiteral("QUIT")));
        QCOMPARE(check.commands().last(), QStringLiteral("ABORT"));
        const auto& lists = check.fixture.checks->lists();
        QVERIFY(lists.deleted().isEmpty());
        QCOMPARE(lists.accounts().row(0).icon, int(vantor::core::AccountFailed));
        QVERIFY(!QFileInfo::exists(
            check.fixture.path(QLatin1String(vantor::records::DeletedDatabase::FileName))));
        QCOMPARE(check.fixture.todaysTotals(), QStringLiteral("0/0/0"));
        QVERIFY(!check.fixture.state.checkRunning);
    }

    void previewWaitsDeletesNothingThenFinishesOnlyTheTickedMessages()
    {
        CorpusCheck check;
        auto& checks = *check.fixture.checks;

        checks.startCheck(CheckMode::Preview);

        QVERIFY(checks.isPreviewWaiting());
        QVERIFY(check.fixture.state.checkRunning);
        QVERIFY(check.commands().filter(QStringLiteral("DELE")).isEmpty());
        QCOMPARE(check.left(), 11);
        // The user keeps the first message the preview would delete.
        auto& preview = checks.lists().preview();
        const QList<SpamCorpus::Message> corpus = SpamCorpus::messages();
        const int kept =
            int(std::find_if(corpus.begin(), corpus.end(), [](const auto& m) { return m.isSpam(); }) -
                corpus.begin());
        QVERIFY(preview.isTicked(kept));
        preview.setTicked(kept, false);
        QCOMPARE(check.fixture.host.tally, QStringLiteral("Total emails 11: 6 read and 5 delete"));

        checks.finishPreview();

        QCOMPARE(check.left(), 6);
        QCOMPARE(checks.lists().deleted().size(), 5);
        QVERIFY(!checks.isPreviewWaiting());
        QVERIFY(!check.fixture.state.checkRunning);
    }

    void abortedPreviewDeletesNothingAndFreesTheCheck()
    {
        CorpusCheck check;
        auto& checks = *check.fixture.checks;
        checks.startCheck(CheckMode::Preview);

        checks.abortPreview();

        QVERIFY(checks.lists().preview().isEmpty());
        QVERIFY(!check.fixture.state.checkRunning);
        QVERIFY(check.commands().filter(QStringLiteral("DELE")).isEmpty());
        QCOMPARE(check.left(), 11);
    }

    void aRefusedCheckTouchesNoServerAndFreesTheCheck()
    {
        CorpusCheck check;
        check.fixture.detector.setOnline(false);

        QCOMPARE(check.fixture.checks->startCheck(CheckMode::Automatic),
                 vantor::core::CheckGuards::Outcome::Refused);

        QVERIFY(check.commands().isEmpty());
        QVERIFY(!check.fixture.state.checkRunning);
    }

    void watchCountsTheMailDatedSinceTheLastCheckByTheClock()
    {
        CorpusCheck check;
        const auto now = check.fixture.clock.now();
        const auto dated = [](std::chrono::system_clock::time_point time) {
            const QDateTime date = QDateTime::fromSecsSinceEpoch(
                std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count(), Qt::UTC);
            return SpamCorpus::message("a@example.org", "Hello", date.toString(Qt::RFC2822Date).toLatin1())
                .toStdString();
        };
        check.mailbox.drop(Host).messages = {dated(now - std::chrono::minutes(30)),
                                             dated(now - std::chrono::hours(2))};
        check.fixture.state.lastCheckTime = check.fixture.clock.localNow() - std::chrono::hours(1);
        check.fixture.clock.advance(std::chrono::minutes(5));

        QCOMPARE(vantor::core::NewMailWatch(check.fixture.services).poll(), 1);

        QVERIFY(check.fixture.state.lastCheckTime == check.fixture.clock.localNow());
        QVERIFY(!check.fixture.state.watchRunning);
        QCOMPARE(check.left(), 2);
    }
};

QTEST_GUILESS_MAIN(CheckCyclesTest)
#include "CheckCyclesTest.moc"
