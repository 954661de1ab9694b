#include "ui/dialogs/SettingForm.h"

#include "FakeConnectionDetector.h"
#include "ModalDialogs.h"
#include "RecordingShellOpen.h"
#include "app/Session.h"
#include "core/watch/WatchController.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/MainToolBar.h"
#include "ui/widgets/ColourSwatch.h"
#include "ui/widgets/TrayController.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vantor;
using test::child;
using test::TestFiles;
using ui::SettingForm;

// The settings dialog opened from the main window, as the user opens it: every key it writes, the start-up
// entry it registers (in a private XDG configuration folder) and what it changes in the running program.
class SettingFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_configHome;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::TextTable> m_texts;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    test::FakeConnectionDetector m_detector;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    test::RecordingShellOpen m_shell;
    std::unique_ptr<test::ModalDialogs> m_dialogs;
    std::unique_ptr<app::Session> m_session;

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }
    QList<QByteArray> section(const char* name) const
    {
        return TestFiles::sectionLines(file("setting.ini"), name);
    }
    QString autostartFile() const
    {
        return m_configHome.filePath(QStringLiteral("autostart/EMail Vantor 2.5 xp.desktop"));
    }
    // A window without the splash and the tips, plus the given settings.
    ui::MainForm& start(const QByteArray& settings = {})
    {
        const bool written =
            TestFiles::write(file("setting.ini"), "[General]\r\nSplash=1\r\n[Tips]\r\nShow=0\r\n" + settings);
        Q_ASSERT(written);
        m_session = std::make_unique<app::Session>(
            app::Session::Services{*m_home, *m_texts, *m_errorLog, m_detector, *m_prompts, m_shell});
        m_session->window().formCreate();
        return m_session->window();
    }
    // Opens the dialog with the toolbar's Setting button; edit runs on the open dialog, then OK closes it.
    void openSetting(const std::function<void(SettingForm&)>& edit = {})
    {
        m_dialogs->setAnswer(QStringLiteral("SettingForm"), [edit](QWidget& dialog) {
            auto& form = static_cast<SettingForm&>(dialog);
            if (edit)
                edit(form);
            form.okBtn().click();
        });
        m_session->window().toolBar().settingBtn().click();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_configHome.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<core::HomeDirectory>(m_dir->path());
        m_texts = std::make_unique<storage::TextTable>();
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir());
        m_prompts = std::make_unique<test::ScriptedUserPrompts>();
        m_dialogs = std::make_unique<test::ModalDialogs>();
        QFile::remove(autostartFile());
    }

    void cleanup()
    {
        m_session.reset();
        m_dialogs.reset();
    }

    void firstCloseWritesEveryDefaultAndRegistersTheStart()
    {
        start();
        // A fresh installation: the window reads the defaults, and the dialog is the first to write.
        QVERIFY(QFile::remove(file("setting.ini")));
        openSetting([](SettingForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Setting"));
            QCOMPARE(form.settingList().count(), 7);
            QCOMPARE(form.settingList().item(2)->text(), QStringLiteral("Messager"));
            QCOMPARE(form.titleLabel().text(), QStringLiteral("General"));
            form.settingList().setCurrentRow(4);
            QCOMPARE(form.titleLabel().text(), QStringLiteral("Statistic"));
            QCOMPARE(form.pageStack().currentIndex(), 4);
            // Gradient is the default background: its group shows, the image group does not.
            QVERIFY(!child<QGroupBox>(form, "GradientGroup").isHidden());
            QVERIFY(child<QGroupBox>(form, "ImageGroup").isHidden());
            child<QRadioButton>(form, "ColorRadio").click();
            QVERIFY(child<QGroupBox>(form, "GradientGroup").isHidden());
            child<QRadioButton>(form, "GradientRadio").click();
        });
        QCOMPARE(m_dialogs->seen(), QStringList{QStringLiteral("SettingForm")});
        QVERIFY(m_prompts->errors.isEmpty());
        QCOMPARE(section("Notify"), (QList<QByteArray>{"Play=0", "Time=15", "Active=1", "Message=1",
                                                       "AutoCheck=0", "Mode1=1", "Mode2=0", "Automatic=0"}));
        QCOMPARE(section("EMailClient"), (QList<QByteArray>{"Path=", "AutoClient=0"}));
        QCOMPARE(section("General"), (QList<QByteArray>{"Start=1", "Auto=0", "Report=0", "Splash=0", "LOG=1",
                                                        "Mode1=0", "Mode2=1", "Database=1", "StartMinimize=1",
                                                        "XMinimize=1", "UseKeyring=1"}));
        QCOMPARE(section("Statistic"),
                 (QList<QByteArray>{"Type=0", "Background1=0", "Background2=1", "Background3=0",
                                    "BackgroundColor=00FFFFFF", "Show3D=0", "SerieChecked=00FF0000",
                                    "SerieFiltered=00008000", "SerieDeleted=000000FF",
                                    "ImagePath=", "ImageType1=0", "ImageType2=0", "ImageType3=1",
                                    "GradientStart=00FFFFFF", "GradientEnd=00FFF0BE"}));
        QCOMPARE(section("Backup"),
                 (QList<QByteArray>{"Active=0", "DeleteBackup=1", "OnlyHeader=1", "AllMessage=0"}));
        QCOMPARE(section("Language"), QList<QByteArray>{"Language="});
        QCOMPARE(section("Messager"), (QList<QByteArray>{"Name=", "From=", "UseEMail=1"}));

        const QByteArray entry = TestFiles::read(autostartFile());
        QVERIFY2(entry.contains("Name=EMail Vantor 2.5 xp\n"), entry.constData());
        const QByteArray home = QFile::encodeName(m_home->dir());
        QVERIFY2(entry.contains(" --home " + home + "\n") || entry.contains(" --home \"" + home + "\"\n"),
                 entry.constData());

        openSetting([](SettingForm& form) {
            child<QCheckBox>(form, "StartBox").setChecked(false);
            child<QCheckBox>(form, "UseKeyringBox").setChecked(false);
        });
        QVERIFY(!QFileInfo::exists(autostartFile()));
        QCOMPARE(section("General").first(), QByteArray("Start=0"));
        QCOMPARE(section("General").last(), QByteArray("UseKeyring=0"));
    }

    void intervalIsHeldToItsRangeAndAutomaticModeArmsTheTimers()
    {
        ui::MainForm& form = start("[Notify]\r\nTime=99\r\nAutomatic=1\r\n");
        QVERIFY(form.watchTimers().watchTimer().isActive());
        openSetting([](SettingForm& form) {
            QCOMPARE(child<QSpinBox>(form, "IntervalSpin").value(), 45);
            child<QRadioButton>(form, "TimerCheckRadio").click();
        });
        QVERIFY(section("Notify").contains("Time=45"));
        QVERIFY(section("Notify").contains("Active=0"));
        QVERIFY(form.watchTimers().checkTimer().isActive());
        QVERIFY(!form.watchTimers().watchTimer().isActive());
        QCOMPARE(form.watchTimers().checkTimer().interval(), 45 * 60000);
        QVERIFY(form.tray().notifyAction().isChecked());

        openSetting([](SettingForm& form) {
            QCheckBox& automatic = child<QCheckBox>(form, "AutomaticBox");
            automatic.click();
            QVERIFY(!automatic.isChecked());
            QVERIFY(!child<QSpinBox>(form, "IntervalSpin").isEnabled());
            QVERIFY(!child<QRadioButton>(form, "AdviseRadio").isEnabled());
            QVERIFY(!child<QGroupBox>(form, "NotifyGroup").isEnabled());
            QVERIFY(!child<QGroupBox>(form, "UseModeGroup").isEnabled());
        });
        QVERIFY(!form.watchTimers().checkTimer().isActive());
        QVERIFY(!form.watchTimers().watchTimer().isActive());
        QVERIFY(!form.tray().notifyAction().isChecked());
    }

    void closingAppliesSenderAndLanguage()
    {
        TestFiles::write(
            file("Language/Italiano.lng"),
            "[File Info]\r\nAuthor=Mario\r\nEMail=mario@example.test\r\n[Menu]\r\n001=Generale\r\n");
        ui::MainForm& form = start("[Language]\r\nLanguage=Italiano\r\n[Backup]\r\nDeleteBackup=0\r\n");
        openSetting([](SettingForm& form) {
            QCOMPARE(child<QListWidget>(form, "LanguageList").currentItem()->text(),
                     QStringLiteral("Italiano"));
            QCOMPARE(child<QLabel>(form, "AuthorLabel").text(), QStringLiteral("Mario"));
            QCOMPARE(child<QLabel>(form, "VersionLabel").text(), QStringLiteral("ERROR"));
            child<QLineEdit>(form, "SenderNameEdit").setText(QStringLiteral("Anna"));
            child<QCheckBox>(form, "DeleteBackupBox").setChecked(true);
        });
        QCOMPARE(section("Language"), QList<QByteArray>{"Language=Italiano"});
        QCOMPARE(form.menuBar()->actions().first()->text(), QStringLiteral("Generale"));
        QCOMPARE(child<QLineEdit>(form, "FromNameEdit").text(), QStringLiteral("Anna"));
        QVERIFY(form.state().deleteBackupOnExit);
    }

    void unreadableColourAndUnwritableFileAreReported()
    {
        ui::MainForm& form = start("[Statistic]\r\nGradientEnd=zz\r\n");
        openSetting([](SettingForm& form) {
            QCOMPARE(child<ui::ColourSwatch>(form, "GradientEndSwatch").value(), 0x00FFF0BEu);
        });
        QCOMPARE(m_prompts->errors.size(), 1);
        QVERIFY2(m_prompts->errors.first().contains(QStringLiteral("GradientEnd")),
                 qPrintable(m_prompts->errors.first()));
        QVERIFY(section("Statistic").contains("GradientEnd=00FFF0BE"));

        // A folder in place of the file: nothing can be written, and the running program keeps its state.
        QVERIFY(QFile::remove(file("setting.ini")));
        QVERIFY(QDir().mkpath(file("setting.ini")));
        openSetting([](SettingForm& form) { child<QCheckBox>(form, "AutomaticBox").setChecked(true); });
        QCOMPARE(m_prompts->errors.size(), 2);
        QVERIFY2(m_prompts->errors.last().contains(QStringLiteral("setting.ini")),
                 qPrintable(m_prompts->errors.last()));
        QVERIFY(!form.watchTimers().watchTimer().isActive());
        QVERIFY(!form.tray().notifyAction().isChecked());
    }

    void deleteLogAsksFirst()
    {
        start();
        const auto clickDeleteLog = [this] {
            openSetting([](SettingForm& form) { child<QPushButton>(form, "DeleteLogBtn").click(); });
        };
        clickDeleteLog();
        QCOMPARE(m_prompts->errors, QStringList{QStringLiteral("Cannot find emails.log file.")});

        TestFiles::write(file("emails.log"), "[01/02/2024]\r\nEmails=3\r\n");
        m_prompts->yesNoAnswers = {false, true};
        clickDeleteLog();
        QVERIFY(QFileInfo::exists(file("emails.log")));
        clickDeleteLog();
        QVERIFY(!QFileInfo::exists(file("emails.log")));
        QCOMPARE(m_prompts->questions.size(), 2);
        QCOMPARE(m_prompts->questions.first(), QStringLiteral("Delete emails.log file?"));
        QCOMPARE(m_prompts->errors.size(), 1);
    }
};

QTEST_MAIN(SettingFormTest)
#include "SettingFormTest.moc"
