#include "core/watch/WatchController.h"

#include "CheckFixture.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"
#include "storage/SettingKeys.h"
#include "support/FreePort.h"

#include <QTest>

using vantor::core::TrayState;
using vantor::core::WatchController;
using vantor::test::CheckFixture;
using vantor::test::SpamCorpus;
using vantor::test::TestMailServer;

// The new-mail watch, the timed check and the "Notify new emails" switch, against a real POP3 server.
class WatchControllerTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

    static QByteArray dated(const QByteArray& from, const QDateTime& date)
    {
        return SpamCorpus::message(from, "Hello", date.toString(Qt::RFC2822Date).toLatin1());
    }

    static std::chrono::local_seconds anHourBefore(const CheckFixture& fixture)
    {
        return fixture.clock.localNow() - std::chrono::hours(1);
    }

    QString account(CheckFixture& fixture)
    {
        const QString user = m_server.newUser();
        fixture.addAccount(QStringLiteral("Home"), m_server.host(), m_server.port(), user,
                           TestMailServer::Password);
        return user;
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(12), qPrintable(m_server.errorText())); }

    void countsTheMailSinceTheLastCheck()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        const QDateTime now = QDateTime::currentDateTime();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        m_server.putMessage(user, dated("one@example.org", now.addSecs(-600)));
        m_server.putMessage(user, dated("two@example.org", now.addSecs(-300)));
        fixture.state.lastCheckTime = anHourBefore(fixture);
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QCOMPARE(
            fixture.host.balloons,
            QStringList{QStringLiteral("EMail Vantor Notify|There are 2 new mails in your accounts.|10000")});
        QVERIFY(fixture.state.lastCheckTime == fixture.clock.localNow());
        QVERIFY(!fixture.state.watchRunning);
        QCOMPARE(fixture.status.trayStates, (QList<TrayState>{TrayState::Watching, TrayState::Idle}));
        QCOMPARE(m_server.listMaildir(user).size(), 3);
        QCOMPARE(fixture.host.soundsPlayed, 0);
        QVERIFY(fixture.checks->lists().accounts().isEmpty());

        // Each message is reported by one poll at most.
        watch.watchPoll();
        QCOMPARE(fixture.host.balloons.size(), 1);
    }

    void firstPollCountsEveryDatedMessage()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        for (const SpamCorpus::Message& message : SpamCorpus::messages())
            m_server.putMessage(user, message.bytes);
        m_server.putMessage(user, "From: undated@example.org\nSubject: no date\n\nbody\n");
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QCOMPARE(fixture.host.balloons,
                 QStringList{
                     QStringLiteral("EMail Vantor Notify|There are 11 new mails in your accounts.|10000")});
    }

    void oneNewMailHasItsOwnText()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        m_server.putMessage(user, dated("one@example.org", QDateTime::currentDateTime().addSecs(-60)));
        fixture.state.lastCheckTime = anHourBefore(fixture);
        fixture.setSetting(vantor::storage::NotifyPlay, true);
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QCOMPARE(
            fixture.host.balloons,
            QStringList{QStringLiteral("EMail Vantor Notify|There is a new mail in your accounts.|10000")});
        QCOMPARE(fixture.host.soundsPlayed, 1);
    }

    void standsAsideWhileACheckRunsOrOffline()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.setSetting(vantor::storage::NotifyAutomatic, true);
        WatchController watch(*fixture.checks, fixture.host);
        watch.armAtStartUp();
        QVERIFY(watch.timers().watchTimer().isActive());
        const auto lastCheck = fixture.state.lastCheckTime;

        fixture.state.checkRunning = true;
        watch.watchPoll();
        watch.timedCheck();
        fixture.state.checkRunning = false;
        fixture.detector.setOnline(false);
        watch.watchPoll();
        watch.timedCheck();

        QVERIFY(fixture.host.balloons.isEmpty());
        QVERIFY(fixture.state.lastCheckTime == lastCheck);
        QVERIFY(fixture.status.trayStates.isEmpty());
        QVERIFY(fixture.checks->lists().accounts().isEmpty());
        // The timer stays armed and ticks again after the interval.
        QVERIFY(watch.timers().watchTimer().isActive());
    }

    void newMailStartsTheCheckWhenAsked()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        m_server.putMessage(user,
                            SpamCorpus::message("spam@example.org", "", "Wed, 06 Feb 2002 08:00:00 +0000"));
        fixture.setSetting(vantor::storage::NotifyMessage, false);
        fixture.setSetting(vantor::storage::NotifyAutoCheck, true);
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QVERIFY(fixture.host.balloons.isEmpty());
        QCOMPARE(CheckFixture::rowTexts(fixture.checks->lists().accounts()),
                 QStringList{QStringLiteral("Home|0|1|0|1|->Default<-|OK")});
        QTRY_VERIFY(m_server.listMaildir(user).isEmpty());
        QVERIFY(!fixture.state.checkRunning);
    }

    void newMailStartsAPreviewInPreviewMode()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.setSetting(vantor::storage::NotifyAutoCheck, true);
        fixture.setSetting(vantor::storage::NotifyAutomaticMode, false);
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QVERIFY(fixture.checks->isPreviewWaiting());
        QCOMPARE(fixture.checks->lists().preview().size(), 1);
        // While the preview waits, the watch skips its ticks.
        watch.watchPoll();
        QCOMPARE(fixture.host.balloons.size(), 1);
        fixture.checks->abortPreview();
    }

    void timedCheckRunsTheCheckAndRearms()
    {
        CheckFixture fixture;
        const QString user = account(fixture);
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.setSetting(vantor::storage::NotifyAutomatic, true);
        fixture.setSetting(vantor::storage::NotifyActive, false);
        fixture.setSetting(vantor::storage::NotifyTime, 1);
        WatchController watch(*fixture.checks, fixture.host);
        watch.setupWatchTimers();
        QVERIFY(!watch.timers().watchTimer().isActive());
        QVERIFY(watch.timers().checkTimer().isActive());
        QCOMPARE(watch.timers().checkTimer().interval(), 60000);
        QVERIFY(fixture.host.isNotifyChecked);

        watch.timedCheck();

        QCOMPARE(fixture.checks->lists().accounts().size(), 1);
        QVERIFY(watch.timers().checkTimer().isActive());
        QVERIFY(!watch.timers().watchTimer().isActive());
    }

    void notifySwitchWritesTheSettingAndArmsTheTimer()
    {
        CheckFixture fixture;
        WatchController watch(*fixture.checks, fixture.host);
        watch.armAtStartUp();
        QVERIFY(!watch.isNotifyChecked());
        QVERIFY(!watch.timers().watchTimer().isActive());

        watch.toggleNotify();
        QVERIFY(fixture.host.isNotifyChecked);
        QVERIFY(watch.timers().watchTimer().isActive());
        QCOMPARE(watch.timers().watchTimer().interval(), 15 * 60000);
        QVERIFY(vantor::core::SettingsFile(fixture.home).read(vantor::storage::NotifyAutomatic));

        watch.toggleNotify();
        QVERIFY(!fixture.host.isNotifyChecked);
        QVERIFY(!watch.timers().watchTimer().isActive());
        QVERIFY(!watch.timers().checkTimer().isActive());
        QVERIFY(!vantor::core::SettingsFile(fixture.home).read(vantor::storage::NotifyAutomatic));
    }

    void failuresAreLoggedNeverShown()
    {
        CheckFixture fixture;
        const QString user = m_server.newUser();
        m_server.putMessage(user, SpamCorpus::messages().first().bytes);
        fixture.addAccount(QStringLiteral("Refused"), m_server.host(), vantor::support::freeLoopbackPort(),
                           user, TestMailServer::Password);
        // An empty stored password is sent as it is: the watch never asks.
        fixture.addAccount(QStringLiteral("Empty"), m_server.host(), m_server.port(), user, QString());
        fixture.addAccount(QStringLiteral("Good"), m_server.host(), m_server.port(), user,
                           TestMailServer::Password);
        WatchController watch(*fixture.checks, fixture.host);

        watch.watchPoll();

        QCOMPARE(fixture.errorEntries(),
                 (QStringList{QStringLiteral(" 00005 - failed on connect to 127.0.0.1"),
                              QStringLiteral(" 00005 - failed on login to 127.0.0.1")}));
        QVERIFY(fixture.prompts.errors.isEmpty());
        QVERIFY(fixture.prompts.passwordPrompts.isEmpty());
        QCOMPARE(fixture.host.balloons.size(), 1);
    }
};

QTEST_GUILESS_MAIN(WatchControllerTest)
#include "WatchControllerTest.moc"
