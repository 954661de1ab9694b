#include "ui/MainForm.h"

#include "FakeConnectionDetector.h"
#include "ModalDialogs.h"
#include "RecordingShellOpen.h"
#include "app/Session.h"
#include "core/check/CheckController.h"
#include "filter/ProfileStore.h"
#include "platform/ThunderbirdAccounts.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/MainMenu.h"
#include "ui/MainToolBar.h"
#include "ui/dialogs/AccountManagerDialog.h"
#include "ui/dialogs/FilterForm.h"
#include "ui/dialogs/ImportAccountForm.h"
#include "ui/dialogs/LegendDialog.h"
#include "ui/dialogs/SelectImportItemsDialog.h"
#include "ui/dialogs/UpdateDialog.h"
#include "ui/pages/EMailManagerPage.h"
#include "ui/pages/MessagerPage.h"
#include "ui/widgets/ResultListView.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/widgets/TrayController.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrlQuery>

using namespace vantor;
using core::CheckMode;
using core::EndReason;
using test::TestFiles;
using ui::MainForm;

class MainFormTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::TextTable> m_texts;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<test::FakeConnectionDetector> m_detector;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    std::unique_ptr<test::RecordingShellOpen> m_shell;
    std::unique_ptr<test::ModalDialogs> m_dialogs;
    std::unique_ptr<platform::ThunderbirdAccounts> m_thunderbird;
    std::unique_ptr<app::Session> m_session;
    MainForm* m_form = nullptr;

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }
    void write(const char* relative, const QByteArray& bytes)
    {
        QVERIFY(TestFiles::write(file(relative), bytes));
    }
    // setting.ini without the splash and the tips, which every other test would have to wait for.
    void writeQuietSettings(const QByteArray& generalKeys = {}, const QByteArray& otherSections = {})
    {
        write("setting.ini",
              "[General]\r\nSplash=1\r\n" + generalKeys + "[Tips]\r\nShow=0\r\n" + otherSections);
    }
    MainForm& start()
    {
        app::Session::Services services{*m_home, *m_texts, *m_errorLog, *m_detector, *m_prompts, *m_shell};
        // The built program's directory, where the build puts the manual.
        services.sharedFiles = core::SharedFiles(QStringLiteral(VANTOR_PROGRAM_DIR));
        // The mail client's profiles live in the test's home, not the user's.
        m_thunderbird = std::make_unique<platform::ThunderbirdAccounts>(file("thunderbird"));
        services.mailClientAccounts = m_thunderbird.get();
        // The update check looks for its information file beside this program file.
        services.programPath = file("emailvantor");
        m_session = std::make_unique<app::Session>(services);
        m_form = &m_session->window();
        m_form->formCreate();
        m_form->trayIconStartup();
        return *m_form;
    }
    template <typename Widget> Widget& child(const char* objectName)
    {
        auto* widget = m_form->findChild<Widget*>(QString::fromLatin1(objectName));
        if (!widget)
            qFatal("no child %s", objectName);
        return *widget;
    }
    // A test that ended the program called QCoreApplication::exit(), after which every modal dialog and
    // nested wait returns at once; one whole run of the application's loop clears that, so that no test
    // passes only because an earlier one left its waits short.
    static void clearPendingExit()
    {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    void trigger(ui::MainMenu::Item item) { m_form->mainMenu().action(item).trigger(); }
    // Each row as "caption|icon|sub-item|...", to compare lists with readable failures.
    static QStringList rowsOf(const core::ResultListModel& list)
    {
        QStringList rows;
        for (const records::ResultRow& row : list.rows()) {
            QStringList fields{QString::fromStdString(row.caption), QString::number(row.icon)};
            for (const std::string& subItem : row.subItems)
                fields.append(QString::fromStdString(subItem));
            rows.append(fields.join(QLatin1Char('|')));
        }
        return rows;
    }
    // Answers the file dialog with path and remembers its title.
    test::ModalDialogs::Answer choose(const QString& path, QStringList& titles)
    {
        return [path, &titles](QWidget& dialog) {
            titles.append(dialog.windowTitle());
            test::ModalDialogs::chooseFile(path)(dialog);
        };
    }
    QStringList items(const QComboBox& box)
    {
        QStringList result;
        for (int i = 0; i < box.count(); ++i)
            result.append(box.itemText(i));
        return result;
    }

private slots:
    void init()
    {
        clearPendingExit();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_home = std::make_unique<core::HomeDirectory>(m_dir->path());
        m_texts = std::make_unique<storage::TextTable>();
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir());
        m_detector = std::make_unique<test::FakeConnectionDetector>();
        m_prompts = std::make_unique<test::ScriptedUserPrompts>();
        m_shell = std::make_unique<test::RecordingShellOpen>();
        m_dialogs = std::make_unique<test::ModalDialogs>();
    }

    void cleanup()
    {
        m_session.reset();
        m_form = nullptr;
        m_dialogs.reset();
    }

    void firstStartInAnEmptyHome()
    {
        // The splash closes itself; the tips dialog is answered with "do not show again".
        m_dialogs->setAnswer(QStringLiteral("SplashWindow"), nullptr);
        m_dialogs->setAnswer(QStringLiteral("TipsDialog"), [](QWidget& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("ShowTipsAtStart"))->setChecked(false);
            qobject_cast<QDialog*>(&dialog)->reject();
        });
        MainForm& form = start();
        QCOMPARE(m_dialogs->seen(),
                 (QStringList{QStringLiteral("SplashWindow"), QStringLiteral("TipsDialog")}));
        QVERIFY(m_prompts->errors.isEmpty());
        QCOMPARE(form.windowTitle(), QStringLiteral("EMail Vantor 2.5 xp - Vantor Labs"));
        QCOMPARE(form.statusPanels().connectionText(), QStringLiteral("Offline"));
        QVERIFY(!form.statusPanels().isShowingOnline());
        QCOMPARE(form.statusPanels().statusText(), QStringLiteral("Ready"));
        QCOMPARE(form.statusPanels().accountGauge().text(), QStringLiteral("0"));
        QCOMPARE(child<QTabWidget>("PageControl").currentIndex(), int(MainForm::VantorCenter));
        // Offscreen there is no tray, so the window is shown although StartMinimize defaults to on.
        QCOMPARE(form.isVisible(), !ui::TrayController::isAvailable());
        QCOMPARE(child<QComboBox>("AccountBox").count(), 0);
        QCOMPARE(TestFiles::sectionLines(file("setting.ini"), "Tips"), QList<QByteArray>{"Show=0"});
        QVERIFY(!QFileInfo::exists(file("account.vta")));

        form.move(120, 80);
        QTRY_VERIFY(TestFiles::sectionLines(file("setting.ini"), "WindowState").contains("Left=120"));
        const QList<QByteArray> placement = TestFiles::sectionLines(file("setting.ini"), "WindowState");
        QVERIFY(placement.contains("Top=80"));
        QVERIFY(placement.contains("State=0"));
    }

    void startWithNoAccounts()
    {
        writeQuietSettings({}, "[Notify]\r\nAutomatic=1\r\nActive=0\r\nTime=5\r\n"
                               "[Messager]\r\nName=Ann\r\nFrom=ann@example.test\r\n");
        write("account.vta", "[General]\r\nTotal=0\r\n");
        MainForm& form = start();
        QCOMPARE(child<QComboBox>("AccountBox").count(), 0);
        QCOMPARE(child<QComboBox>("SendBox").count(), 0);
        QCOMPARE(form.watchTimers().checkTimer().interval(), 5 * 60000);
        QVERIFY(form.watchTimers().checkTimer().isActive());
        QVERIFY(!form.watchTimers().watchTimer().isActive());
        QVERIFY(form.tray().notifyAction().isChecked());
        QCOMPARE(child<QLineEdit>("FromNameEdit").text(), QStringLiteral("Ann"));
        QCOMPARE(child<QLineEdit>("FromAddressEdit").text(), QStringLiteral("ann@example.test"));
        QVERIFY(m_prompts->errors.isEmpty());
        QVERIFY(!TestFiles::sectionLines(file("setting.ini"), "WindowState").isEmpty());
    }

    void accountBoxesListTheAccounts()
    {
        writeQuietSettings();
        write("account.vta",
              "[General]\r\nTotal=3\r\n[Acc1]\r\nDescription=Home\r\nSMTPServer=smtp.home.test\r\n"
              "[Acc2]\r\nDescription=Work\r\nSMTPServer=\r\n[Acc3]\r\nDescription=Old\r\n");
        start();
        QCOMPARE(items(child<QComboBox>("AccountBox")),
                 (QStringList{QStringLiteral("Home"), QStringLiteral("Work"), QStringLiteral("Old")}));
        QCOMPARE(child<QComboBox>("AccountBox").currentText(), QStringLiteral("Home"));
        QCOMPARE(items(child<QComboBox>("SendBox")), QStringList{QStringLiteral("Home")});
    }

    void placementIsRestored()
    {
        writeQuietSettings({}, "[WindowState]\r\nLeft=50\r\nTop=60\r\nWidth=500\r\nHeight=420\r\n");
        MainForm& form = start();
        QCOMPARE(form.size(), QSize(500, 420));
        QCOMPARE(form.pos(), QPoint(50, 60));
    }

    void placementOffEveryScreenKeepsThePosition()
    {
        writeQuietSettings({}, "[WindowState]\r\nLeft=90000\r\nTop=-90000\r\nWidth=480\r\n");
        MainForm& form = start();
        QCOMPARE(form.width(), 480);
        QVERIFY(form.screen()->availableGeometry().intersects(form.frameGeometry()));
    }

    void maximizedStateIsRestored()
    {
        writeQuietSettings({}, "[WindowState]\r\nState=1\r\nLeft=10\r\n");
        MainForm& form = start();
        QVERIFY(form.windowState().testFlag(Qt::WindowMaximized));
    }

    void closeBoxMinimizesByDefault()
    {
        writeQuietSettings();
        MainForm& form = start();
        QSignalSpy ending(&form, &MainForm::ending);
        QVERIFY(!form.close());
        QCOMPARE(ending.count(), 0);
        if (ui::TrayController::isAvailable())
            QVERIFY(!form.isVisible());
        else
            QVERIFY(form.windowState().testFlag(Qt::WindowMinimized));
    }

    void closeBoxEndsWithoutXMinimize()
    {
        writeQuietSettings("XMinimize=0\r\n");
        write("EBak/1.vtb", "Subject: spam\r\n");
        MainForm& form = start();
        QSignalSpy ending(&form, &MainForm::ending);
        QVERIFY(form.close());
        QCOMPARE(ending.count(), 1);
        QCOMPARE(ending.at(0).at(0).value<EndReason>(), EndReason::WindowClose);
        QVERIFY(!QFileInfo::exists(file("EBak/1.vtb")));
    }

    void exitEmptiesTheBackups()
    {
        writeQuietSettings();
        write("EBak/1.vtb", "Subject: spam\r\n");
        MainForm& form = start();
        QSignalSpy ending(&form, &MainForm::ending);
        form.mainMenu().action(ui::MainMenu::Item::Exit).trigger();
        QCOMPARE(ending.count(), 1);
        QVERIFY(!QFileInfo::exists(file("EBak/1.vtb")));
    }

    void exitKeepsBackupsWhenAskedTo()
    {
        writeQuietSettings({}, "[Backup]\r\nDeleteBackup=0\r\n");
        write("EBak/1.vtb", "Subject: spam\r\n");
        start().mainMenu().action(ui::MainMenu::Item::Exit).trigger();
        QVERIFY(QFileInfo::exists(file("EBak/1.vtb")));
    }

    void trayCloseKeepsTheBackups()
    {
        writeQuietSettings();
        write("EBak/1.vtb", "Subject: spam\r\n");
        MainForm& form = start();
        QSignalSpy ending(&form, &MainForm::ending);
        form.tray().closeAction().trigger();
        QCOMPARE(ending.count(), 1);
        QCOMPARE(ending.at(0).at(0).value<EndReason>(), EndReason::TrayClose);
        QVERIFY(QFileInfo::exists(file("EBak/1.vtb")));
        // Once ending, the window closes without asking.
        QVERIFY(form.close());
    }

    void checkOnConnectionRunsOncePerRun()
    {
        writeQuietSettings("Auto=1\r\nMode1=1\r\n");
        MainForm& form = start();
        QSignalSpy requested(&form, &MainForm::checkRequested);
        m_detector->setOnline(true);
        QCOMPARE(form.statusPanels().connectionText(), QStringLiteral("Online"));
        QCOMPARE(requested.count(), 1);
        QCOMPARE(requested.at(0).at(0).value<CheckMode>(), CheckMode::Automatic);
        m_detector->setOnline(false);
        QCOMPARE(form.statusPanels().connectionText(), QStringLiteral("Offline"));
        m_detector->setOnline(true);
        QCOMPARE(requested.count(), 1);
        QVERIFY(form.state().autoCheckDone);
    }

    void noCheckOnConnectionWithoutAuto()
    {
        writeQuietSettings();
        MainForm& form = start();
        QSignalSpy requested(&form, &MainForm::checkRequested);
        m_detector->setOnline(true);
        QCOMPARE(requested.count(), 0);
        QVERIFY(form.state().autoCheckDone);
    }

    void checkCommandsChooseTheirMode()
    {
        writeQuietSettings();
        MainForm& form = start();
        QSignalSpy requested(&form, &MainForm::checkRequested);
        child<QToolButton>("CheckBtn").click();
        form.toolBar().checkAutomaticAction().trigger();
        form.toolBar().checkPreviewAction().trigger();
        form.tray().checkAction().trigger();
        QCOMPARE(requested.count(), 4);
        const QList<CheckMode> modes{
            requested.at(0).at(0).value<CheckMode>(), requested.at(1).at(0).value<CheckMode>(),
            requested.at(2).at(0).value<CheckMode>(), requested.at(3).at(0).value<CheckMode>()};
        QCOMPARE(modes, (QList<CheckMode>{CheckMode::Preview, CheckMode::Automatic, CheckMode::Preview,
                                          CheckMode::Preview}));
        // A request while a check runs is dropped.
        form.state().checkRunning = true;
        child<QToolButton>("CheckBtn").click();
        QCOMPARE(requested.count(), 4);
    }

    void trayCheckSelectsTheFirstPage()
    {
        writeQuietSettings("Mode1=1\r\n");
        MainForm& form = start();
        form.pageControl().setCurrentIndex(MainForm::Messager);
        QSignalSpy requested(&form, &MainForm::checkRequested);
        form.tray().checkAction().trigger();
        QCOMPARE(form.pageControl().currentIndex(), int(MainForm::VantorCenter));
        QCOMPARE(requested.at(0).at(0).value<CheckMode>(), CheckMode::Automatic);
    }

    void languageFileRelabelsTheWindow()
    {
        writeQuietSettings({}, "[Language]\r\nLanguage=Test\r\n");
        write("Language/test.lng",
              "[Tab]\r\n001=Centre\r\n[Menu]\r\n001=Fichier\r\n[Status]\r\n002=Hors ligne\r\n"
              "[Hint]\r\n001=\r\n[PopUp]\r\n005=Fermer\r\n");
        MainForm& form = start();
        QCOMPARE(form.pageControl().tabText(MainForm::VantorCenter), QStringLiteral("Centre"));
        QCOMPARE(form.pageControl().tabText(MainForm::Statistic), QStringLiteral("Statistic"));
        QCOMPARE(child<QMenu>("MenuGeneral").title(), QStringLiteral("Fichier"));
        QCOMPARE(child<QMenu>("MenuView").title(), QStringLiteral("View"));
        QCOMPARE(form.statusPanels().connectionText(), QStringLiteral("Hors ligne"));
        QVERIFY(child<QToolButton>("CheckBtn").toolTip().isEmpty());
        QCOMPARE(form.tray().closeAction().text(), QStringLiteral("Fermer"));

        form.loadLanguage("English");
        QCOMPARE(form.pageControl().tabText(MainForm::VantorCenter), QStringLiteral("Vantor Center"));
        QCOMPARE(child<QMenu>("MenuGeneral").title(), QStringLiteral("General"));
        QCOMPARE(child<QToolButton>("CheckBtn").toolTip(), QStringLiteral("Check account"));
        QCOMPARE(form.toolBar().checkPreviewAction().text(), QStringLiteral("Check accounts with preview"));
    }

    void mailClientCommand()
    {
        writeQuietSettings();
        start();
        child<QToolButton>("EClientBtn").click();
        QCOMPARE(m_prompts->errors, QStringList{QStringLiteral("Select EMail Client from setting window.")});
        QVERIFY(m_shell->startedPrograms.isEmpty());

        writeQuietSettings({}, "[EMailClient]\r\nPath=/usr/bin/mail-client\r\n");
        child<QToolButton>("EClientBtn").click();
        QCOMPARE(m_shell->startedPrograms, QStringList{QStringLiteral("/usr/bin/mail-client")});
        m_shell->programStarts = false;
        child<QToolButton>("EClientBtn").click();
        QCOMPARE(m_prompts->errors.size(), 2);
    }

    void mailLinksAndPages()
    {
        writeQuietSettings();
        MainForm& form = start();
        child<QToolButton>("FriendBtn").click();
        form.mainMenu().action(ui::MainMenu::Item::SendBugReport).trigger();
        form.mainMenu().action(ui::MainMenu::Item::Homepage).trigger();
        QCOMPARE(m_shell->openedUrls.size(), 3);
        QCOMPARE(m_shell->openedUrls.at(0).scheme(), QStringLiteral("mailto"));
        QVERIFY(m_shell->openedUrls.at(0).path().isEmpty());
        QVERIFY(!m_shell->openedUrls.at(1).path().isEmpty());
        QCOMPARE(m_shell->openedUrls.at(2).scheme(), QStringLiteral("https"));
        form.mainMenu().action(ui::MainMenu::Item::SendEMail).trigger();
        QCOMPARE(form.pageControl().currentIndex(), int(MainForm::Messager));
    }

    void onlyTheImportWaitsForASelection()
    {
        writeQuietSettings();
        MainForm& form = start();
        QVERIFY(!child<QToolButton>("IEFBtn").isEnabled());
        QVERIFY(child<QToolButton>("FilterBtn").isEnabled());
        for (const auto item : {ui::MainMenu::Item::Filters, ui::MainMenu::Item::BlackListEditor,
                                ui::MainMenu::Item::ImportAccounts, ui::MainMenu::Item::BackupEMails,
                                ui::MainMenu::Item::RestoreEMails, ui::MainMenu::Item::SendSpammersList})
            QVERIFY(form.mainMenu().action(item).isEnabled());
        QVERIFY(child<QToolButton>("CheckBtn").isEnabled());
        QVERIFY(child<QToolButton>("AccountBtn").isEnabled());
        QVERIFY(form.mainMenu().action(ui::MainMenu::Item::Accounts).isEnabled());
        QVERIFY(form.mainMenu().action(ui::MainMenu::Item::LastReport).isEnabled());
        QVERIFY(form.mainMenu().action(ui::MainMenu::Item::About).isEnabled());
        QCOMPARE(form.mainMenu().action(ui::MainMenu::Item::ImportAccounts).text(),
                 QStringLiteral("Import Accounts"));
        QCOMPARE(form.pageControl().count(), 5);
    }

    void filterEditorTakesContactsFromAVCardFile()
    {
        writeQuietSettings();
        write("Profile/Default.vtf", "");
        start();
        QStringList contacts;
        m_dialogs->setAnswer(QStringLiteral("OpenContacts"),
                             test::ModalDialogs::chooseFile(
                                 QStringLiteral(VANTOR_TEST_DATA "/vcard/ez-vcard/gmail-list.vcf")));
        m_dialogs->setAnswer(QStringLiteral("SelectImportItems"), [&contacts](QWidget& dialog) {
            auto& items = static_cast<ui::SelectImportItemsDialog&>(dialog);
            // Pressed twice, the button leaves every row unticked and offers to select all again.
            items.selectAllBtnClick();
            items.selectAllBtnClick();
            QListWidget& list = items.contactList();
            for (int row = 0; row < list.count(); ++row)
                contacts.append(list.item(row)->text() +
                                QLatin1String(list.item(row)->checkState() ? "+" : "-"));
            contacts.append(items.selectAllBtn().text());
            items.selectAllBtnClick();
            list.item(1)->setCheckState(Qt::Unchecked);
            items.importBtnClick();
        });
        // The editor's own answer runs after the watcher's turn, so the watcher can answer the dialogs the
        // import opens on top of it.
        m_dialogs->setAnswer(QStringLiteral("FilterForm"), [](QWidget& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog] {
                auto& editor = static_cast<ui::FilterForm&>(dialog);
                editor.importContactsBtnClick();
                editor.okBtnClick();
            });
        });
        child<QToolButton>("FilterBtn").click();

        QCOMPARE(contacts, (QStringList{QStringLiteral("Arnold Smith-"), QStringLiteral("Chris Beatle-"),
                                        QStringLiteral("Doug White-"), QStringLiteral("Select All")}));
        const filter::Profile saved = filter::ProfileStore(m_home->nativeDir()).read("Default");
        QCOMPARE(saved.exceptionRules.size(), std::size_t(2));
        QCOMPARE(saved.exceptionRules[0].description, std::string("Arnold Smith"));
        QCOMPARE(saved.exceptionRules[1].pattern, std::string("dwhite@gmail.com"));
        QVERIFY(saved.exceptionRules[1].check);

        // A file that holds no card is named in the error and imports nothing.
        write("notes.vcf", "just some notes\n");
        m_dialogs->setAnswer(QStringLiteral("OpenContacts"),
                             test::ModalDialogs::chooseFile(file("notes.vcf")));
        trigger(ui::MainMenu::Item::Filters);
        QCOMPARE(m_prompts->errors, QStringList{QDir::toNativeSeparators(file("notes.vcf")) +
                                                QStringLiteral(" holds no contacts.")});
        QCOMPARE(filter::ProfileStore(m_home->nativeDir()).read("Default").exceptionRules.size(),
                 std::size_t(2));
        QVERIFY(m_dialogs->seen().contains(QStringLiteral("FilterForm")));
    }

    void accountManagerImportsThunderbirdAccounts()
    {
        writeQuietSettings();
        write("thunderbird/profiles.ini", "[Profile0]\nIsRelative=1\nPath=p\nDefault=1\n");
        write("thunderbird/p/prefs.js",
              TestFiles::read(QStringLiteral(VANTOR_TEST_DATA
                                             "/thunderbird-prefs/mozilla-central_mailnewsTestPrefs.js")));
        start();
        m_dialogs->setAnswer(QStringLiteral("ImportAccountForm"), [](QWidget& dialog) {
            auto& wizard = static_cast<ui::ImportAccountForm&>(dialog);
            wizard.accountsList().topLevelItem(0)->setCheckState(0, Qt::Checked);
            wizard.nextBtnClick();
            wizard.setCellText(0, ui::ImportAccountForm::PasswordColumn, QStringLiteral("secret"));
            wizard.nextBtnClick();
        });
        QStringList listed;
        m_dialogs->setAnswer(QStringLiteral("AccountForm"), [&listed](QWidget& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, &listed] {
                auto& manager = static_cast<ui::AccountManagerDialog&>(dialog);
                manager.importBtnClick();
                for (int row = 0; row < manager.accountList().topLevelItemCount(); ++row)
                    listed.append(manager.accountList().topLevelItem(row)->text(0));
                manager.okBtnClick();
            });
        });
        trigger(ui::MainMenu::Item::Accounts);

        QCOMPARE(listed, QStringList{QStringLiteral("tinderbox@invalid.com")});
        const QList<QByteArray> account = TestFiles::sectionLines(file("account.vta"), "Acc1");
        for (const QByteArray& line :
             {QByteArray("Description=tinderbox@invalid.com"), QByteArray("POPServer=tinderbox"),
              QByteArray("POPPort=110"), QByteArray("Username=tinderbox"), QByteArray("Profile=Default"),
              QByteArray("Check=1")})
            QVERIFY2(account.contains(line), line.constData());
        QCOMPARE(items(child<QComboBox>("AccountBox")), QStringList{QStringLiteral("tinderbox@invalid.com")});
        // The other commands of the menus open their windows.
        m_dialogs->setAnswer(QStringLiteral("ImportAccountForm"), [](QWidget& dialog) {
            static_cast<ui::ImportAccountForm&>(dialog).closeBtnClick();
        });
        for (const auto item : {ui::MainMenu::Item::BlackListEditor, ui::MainMenu::Item::SendSpammersList,
                                ui::MainMenu::Item::ImportAccounts})
            trigger(item);
        QCOMPARE(m_dialogs->seen(),
                 (QStringList{QStringLiteral("AccountForm"), QStringLiteral("ImportAccountForm"),
                              QStringLiteral("BlackListEditor"), QStringLiteral("SpammersListDialog"),
                              QStringLiteral("ImportAccountForm")}));
    }

    void gaugesAndTrayFollowTheStatus()
    {
        writeQuietSettings();
        MainForm& form = start();
        form.setAccountProgress(1, 4);
        QCOMPARE(form.statusPanels().accountGauge().text(), QStringLiteral("1/4"));
        QCOMPARE(form.statusPanels().accountGauge().value(), 25);
        form.setMessageProgress(0, 0);
        QCOMPARE(form.statusPanels().messageGauge().text(), QStringLiteral("0/0"));
        QCOMPARE(form.statusPanels().messageGauge().value(), 0);
        form.setMessageProgress(2, 3);
        QCOMPARE(form.statusPanels().messageGauge().value(), 66);
        form.resetProgress();
        QCOMPARE(form.statusPanels().accountGauge().text(), QStringLiteral("0"));

        form.setTrayState(core::TrayState::Filtering);
        QCOMPARE(form.tray().imageIndex(), 1);
        QCOMPARE(form.tray().hint(), QStringLiteral("EMail Vantor filtering..."));
        form.setTrayState(core::TrayState::PreviewWaiting);
        QCOMPARE(form.tray().hint(), QStringLiteral("EMail Vantor wait your choose..."));
        QTRY_COMPARE(form.tray().imageIndex(), 4);
        QTRY_COMPARE(form.tray().imageIndex(), 3);
        form.setTrayState(core::TrayState::Idle);
        QCOMPARE(form.tray().imageIndex(), 0);
        QCOMPARE(form.tray().hint(), QStringLiteral("EMail Vantor"));
    }

    void helpOpensTheManualBesideTheProgram()
    {
        writeQuietSettings();
        start();
        trigger(ui::MainMenu::Item::Help);
        QCOMPARE(m_shell->openedUrls.size(), 1);
        const QUrl url = m_shell->openedUrls[0];
        QCOMPARE(url.fragment(), QStringLiteral("context-1"));
        QCOMPARE(QFileInfo(url.toLocalFile()).absolutePath(),
                 QDir(QStringLiteral(VANTOR_PROGRAM_DIR "/manual")).absolutePath());
        QVERIFY(TestFiles::read(url.toLocalFile()).contains("id=\"context-1\""));
        QVERIFY(m_prompts->errors.isEmpty());
    }

    void resultListsAreSavedAndViewedThroughTheMenu()
    {
        using Item = ui::MainMenu::Item;
        writeQuietSettings();
        MainForm& form = start();
        core::ResultListModel& kept = form.checks().lists().kept();
        core::ResultListModel& deleted = form.checks().lists().deleted();
        deleted.addRow({"spam@bad.example", 1, {"Cheap pills", "Home", "01/02/2024 10:00:00"}});
        deleted.addRow({"caf\xc3\xa9@black.example", 5, {"", "Work", "02/02/2024 11:30:00"}});
        QStringList titles;
        const QString chosen = m_dir->filePath(QStringLiteral("result"));
        m_dialogs->setAnswer(QStringLiteral("SaveListDialog"), choose(chosen, titles));
        trigger(Item::SaveDeletedList);
        QVERIFY(QFileInfo::exists(chosen + QStringLiteral(".led")));

        // The entry chooses the list the rows go to, whatever kind of list the file holds.
        m_dialogs->setAnswer(QStringLiteral("OpenListDialog"),
                             choose(chosen + QStringLiteral(".led"), titles));
        trigger(Item::ViewFilteredList);
        QCOMPARE(rowsOf(kept), rowsOf(deleted));
        QCOMPARE(kept.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("EMail Deleted"));
        QCOMPARE(titles, (QStringList{QStringLiteral("Save List As..."), QStringLiteral("Open List")}));

        // Files that are no list files are refused with the list left as it was.
        write("other.lef", "[General]\r\nType=Another List File\r\n[ListView]\r\nItems=0\r\n");
        write("blank.lef", "[ListView]\r\nItems=0\r\n");
        for (const char* name : {"other.lef", "blank.lef"}) {
            m_dialogs->setAnswer(QStringLiteral("OpenListDialog"), choose(file(name), titles));
            trigger(Item::ViewFilteredList);
        }
        QCOMPARE(m_prompts->errors, (QStringList{QStringLiteral("This is not a EMail Vantor List file."),
                                                 QStringLiteral("File error.")}));
        QCOMPARE(rowsOf(kept), rowsOf(deleted));
    }

    void databaseWindowOpensFromTheViewMenuOnTheHomesDatabase()
    {
        writeQuietSettings();
        start();
        QVERIFY(m_form->mainMenu().action(ui::MainMenu::Item::DeleteDatabase).isEnabled());
        trigger(ui::MainMenu::Item::DeleteDatabase);
        QCOMPARE(m_dialogs->seen(), QStringList{QStringLiteral("DataForm")});
        QCOMPARE(TestFiles::read(file("backup.bak")), QByteArray("EMail,Subject,Account,Date/Time"));
    }

    void columnWidthsAreKeptInTheSettings()
    {
        // A hand-edited width that is no width leaves the column as it is.
        writeQuietSettings({}, "[Columns]\r\nEMailList=abc,5,,99999\r\nPreviewList=100,150,,120\r\n");
        MainForm& form = start();
        QHeaderView* kept = child<ui::ResultListView>("EMailList").header();
        QCOMPARE(kept->sectionResizeMode(1), QHeaderView::Stretch);
        QCOMPARE(kept->sectionSize(0), 220);
        QCOMPARE(kept->sectionSize(3), 140);
        QCOMPARE(child<ui::ResultListView>("PreviewList").header()->sectionSize(1), 150);

        kept->resizeSection(0, 300);
        kept->resizeSection(3, 90);
        form.endProgram(EndReason::MenuExit);
        QVERIFY(TestFiles::sectionLines(file("setting.ini"), "Columns").contains("EMailList=300,,130,90"));
        m_session.reset();
        start();
        kept = child<ui::ResultListView>("EMailList").header();
        QCOMPARE(kept->sectionSize(0), 300);
        QCOMPARE(kept->sectionSize(3), 90);
        QCOMPARE(child<ui::ResultListView>("EMailDList").header()->sectionSize(0), 220);
    }

    void legendListsTheIcons()
    {
        writeQuietSettings();
        start();
        auto& legend = child<ui::LegendDialog>("LegendDialog");
        QCOMPARE(legend.messageIcons().count(), 8);
        QCOMPARE(legend.messageIcons().item(5)->text(), QStringLiteral("Black List"));
        QCOMPARE(legend.trayIcons().count(), 4);
        QCOMPARE(legend.trayIcons().item(3)->text(), QStringLiteral("Built preview mode"));
    }

    // The update window needs the information file beside the program; it is made once and shown again
    // without blocking the main window.
    void checkUpdateShowsTheWindowWhenTheProgramNamesAServer()
    {
        writeQuietSettings();
        MainForm& form = start();
        QVERIFY(form.mainMenu().action(ui::MainMenu::Item::CheckUpdate).isEnabled());
        trigger(ui::MainMenu::Item::CheckUpdate);
        QCOMPARE(m_prompts->errors,
                 QStringList{QStringLiteral("Information file: ") +
                             QDir::toNativeSeparators(file("emailvantor.inf")) +
                             QStringLiteral(" doesn't exist,\nSource URL not defined,\nUpdate aborted.")});
        auto* update = form.findChild<ui::UpdateDialog*>(QStringLiteral("UpdateDialog"));
        QVERIFY(update && !update->isVisible());

        write("emailvantor.inf", "emailvantor=https://updates.example.org/download/emailvantor\r\n");
        trigger(ui::MainMenu::Item::CheckUpdate);
        trigger(ui::MainMenu::Item::CheckUpdate);
        QCOMPARE(m_prompts->errors.size(), 1);
        QCOMPARE(form.findChildren<ui::UpdateDialog*>().size(), 1);
        QVERIFY(update->isVisible());
        QVERIFY(!update->isModal());
        QCOMPARE(update->windowTitle(), QStringLiteral("EMail Vantor Update"));
        QCOMPARE(update->findChild<QGroupBox*>(QStringLiteral("HomeSiteGroup"))->title(),
                 QStringLiteral("Home site:  updates.example.org"));
        QVERIFY(update->findChild<QPushButton*>(QStringLiteral("CheckBtn"))->isEnabled());
        QVERIFY(!update->findChild<QPushButton*>(QStringLiteral("DownloadBtn"))->isEnabled());
        QVERIFY(!update->findChild<QPushButton*>(QStringLiteral("AbortBtn"))->isEnabled());
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
