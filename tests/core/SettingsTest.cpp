#include "support/TestFiles.h"
#include "core/program/ExitCleanup.h"
#include "core/program/SettingsFile.h"
#include "core/program/WindowPlacement.h"
#include "core/watch/WatchTimers.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::EndReason;
using test::TestFiles;

class SettingsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;

    QString settingsFile() const { return m_home->filePath(QStringLiteral("setting.ini")); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
    }

    void placementKeysAreOptional()
    {
        QVERIFY(TestFiles::write(settingsFile(), "[WindowState]\r\nLeft=40\r\nHeight=300\r\n"));
        const core::WindowPlacement placement = core::WindowPlacement::read(core::SettingsFile(*m_home));
        QVERIFY(!placement.isMaximized);
        QCOMPARE(placement.left, std::optional<int>(40));
        QCOMPARE(placement.top, std::nullopt);
        QCOMPARE(placement.width, std::nullopt);
        QCOMPARE(placement.height, std::optional<int>(300));
    }

    void placementRoundTrip()
    {
        core::WindowPlacement placement{true, 10, 20, 640, 480};
        {
            core::SettingsFile settings(*m_home);
            placement.write(settings);
            QVERIFY(settings.save());
        }
        QCOMPARE(TestFiles::sectionLines(settingsFile(), "WindowState"),
                 (QList<QByteArray>{"Left=10", "Top=20", "Width=640", "Height=480", "State=1"}));
        const core::WindowPlacement back = core::WindowPlacement::read(core::SettingsFile(*m_home));
        QVERIFY(back.isMaximized);
        QCOMPARE(back.width, std::optional<int>(640));
    }

    void unreadableSettingsGiveDefaultsAndAreNotOverwritten()
    {
        // A directory in place of the file cannot be read as one.
        QVERIFY(QDir().mkpath(settingsFile()));
        core::SettingsFile settings(*m_home);
        QCOMPARE(settings.read(storage::NotifyTime), 15);
        settings.write(storage::NotifyTime, 5);
        QVERIFY(!settings.save());
        QVERIFY(QFileInfo(settingsFile()).isDir());
    }

    void watchIntervalsAreHeldToTheDialogRange_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("interval");
        QTest::newRow("default") << 15 << 900000;
        QTest::newRow("zero") << 0 << 60000;
        QTest::newRow("negative") << -5 << 60000;
        QTest::newRow("largest") << 45 << 2700000;
        QTest::newRow("too large") << 100000 << 2700000;
    }

    void watchIntervalsAreHeldToTheDialogRange()
    {
        QFETCH(int, minutes);
        QFETCH(int, interval);
        core::WatchTimers timers;
        timers.setIntervalMinutes(minutes);
        QCOMPARE(timers.watchTimer().interval(), interval);
        QCOMPARE(timers.checkTimer().interval(), interval);
    }

    void watchTimerModes()
    {
        core::WatchTimers timers;
        QVERIFY(!timers.startIfAutomatic(false, true));
        QVERIFY(!timers.watchTimer().isActive() && !timers.checkTimer().isActive());
        QVERIFY(timers.startIfAutomatic(true, true));
        QVERIFY(timers.watchTimer().isActive());
        QVERIFY(!timers.checkTimer().isActive());
        // Start-up never stops a timer when the mode is off; the settings dialog's close does.
        QVERIFY(!timers.startIfAutomatic(false, false));
        QVERIFY(timers.watchTimer().isActive());
        QVERIFY(timers.applyMode(true, false));
        QVERIFY(!timers.watchTimer().isActive());
        QVERIFY(timers.checkTimer().isActive());
        QVERIFY(!timers.applyMode(false, true));
        QVERIFY(!timers.watchTimer().isActive() && !timers.checkTimer().isActive());
        QCOMPARE(timers.watchTimer().objectName(), QStringLiteral("TimerAD"));
    }

    void backupsGoOnlyOnAnOrderlyExit_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("deleteBackupOnExit");
        QTest::addColumn<bool>("removes");
        QTest::newRow("exit") << int(EndReason::MenuExit) << true << true;
        QTest::newRow("window close") << int(EndReason::WindowClose) << true << true;
        QTest::newRow("exit, keep backups") << int(EndReason::MenuExit) << false << false;
        QTest::newRow("tray close") << int(EndReason::TrayClose) << true << false;
        QTest::newRow("session end") << int(EndReason::SessionEnd) << true << false;
    }

    void backupsGoOnlyOnAnOrderlyExit()
    {
        QFETCH(int, reason);
        QFETCH(bool, deleteBackupOnExit);
        QFETCH(bool, removes);
        const QString backup = m_home->filePath(QStringLiteral("EBak/1.vtb"));
        QVERIFY(TestFiles::write(backup, "Subject: x\r\n"));
        core::ExitCleanup::run(EndReason(reason), deleteBackupOnExit, *m_home);
        QCOMPARE(QFileInfo::exists(backup), !removes);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
