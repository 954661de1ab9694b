#include "CheckFixture.h"
#include "ModalDialogs.h"
#include "RecordingShellOpen.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"
#include "app/Session.h"
#include "core/check/CheckController.h"
#include "core/check/CheckLists.h"
#include "core/program/SettingsFile.h"
#include "storage/SettingKeys.h"
#include "support/ScriptedServer.h"
#include "support/TestFiles.h"
#include "ui/MainForm.h"
#include "ui/MainMenu.h"
#include "ui/MainToolBar.h"
#include "ui/ResultListMenu.h"
#include "ui/dialogs/FilterForm.h"
#include "ui/dialogs/RuleListTab.h"
#include "ui/pages/MessagerPage.h"
#include "ui/pages/PreviewPane.h"
#include "ui/pages/ResultListsPane.h"
#include "ui/pages/VantorCenterPage.h"
#include "ui/widgets/ResultListView.h"
#include "ui/widgets/TrayController.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vantor;
using test::CheckFixture;
using test::SpamCorpus;
using ui::MainForm;
using ui::ResultListMenu;
using ui::ResultListView;

// The check driven through the main window, offscreen, against a real POP3 server: the buttons, the lists
// of the first page, the preview page and the row menu.
class CheckInWindowTest : public QObject
{
    Q_OBJECT

private:
    test::TestMailServer m_server;
    std::unique_ptr<CheckFixture> m_fixture;
    test::RecordingShellOpen m_shell;
    std::unique_ptr<app::Session> m_session;
    MainForm* m_form = nullptr;
    QString m_user;
    QStringList m_ham;
    QStringList m_spam;
    QStringList m_spamSenders;

    // A mailbox with the corpus, the profile that catches its spam, one account and quiet start-up settings.
    void prepare(bool isAutomatic)
    {
        m_fixture = std::make_unique<CheckFixture>();
        m_user = m_server.newUser();
        for (const SpamCorpus::Message& message : SpamCorpus::messages()) {
            const QString name = m_server.putMessage(m_user, message.bytes);
            (message.isSpam() ? m_spam : m_ham).append(name);
            if (message.isSpam())
                m_spamSenders.append(message.sender);
        }
        m_fixture->writeCorpusProfile();
        m_fixture->addAccount(QStringLiteral("Home"), m_server.host(), m_server.port(), m_user,
                              test::TestMailServer::Password, QStringLiteral("Spam"));
        m_fixture->setSetting(storage::GeneralSplash, true);
        m_fixture->setSetting(storage::TipsShow, false);
        m_fixture->setSetting(storage::GeneralAutomaticMode, isAutomatic);
    }

    MainForm& start()
    {
        CheckFixture& f = *m_fixture;
        m_session = std::make_unique<app::Session>(
            app::Session::Services{f.home, f.texts, f.errorLog, f.detector, f.prompts, m_shell});
        m_form = &m_session->window();
        m_form->formCreate();
        m_form->trayIconStartup();
        return *m_form;
    }

    ui::ResultListsPane& results() { return m_form->vantorCenter().resultListsPage(); }
    ui::PreviewPane& preview() { return m_form->vantorCenter().previewPage(); }
    QToolButton& checkBtn() { return m_form->toolBar().checkBtn(); }

    static QStringList captions(const ResultListView& view)
    {
        QStringList result;
        for (int row = 0; row < view.model()->rowCount(); ++row)
            result.append(view.model()->index(row, 0).data().toString());
        return result;
    }
    // Every row of the view shows a picture in its first column.
    static bool hasIcons(const ResultListView& view)
    {
        for (int row = 0; row < view.model()->rowCount(); ++row)
            if (view.model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>().isNull())
                return false;
        return true;
    }
    QStringList maildirAfterSessions(int sessions)
    {
        if (!m_server.waitForEndedSessions(sessions))
            return {QStringLiteral("sessions did not end")};
        return m_server.listMaildir(m_user);
    }
    void rightClick(ResultListView& view, int row)
    {
        view.selectRow(row);
        emit view.customContextMenuRequested(view.visualRect(view.model()->index(row, 0)).center());
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(8), qPrintable(m_server.errorText())); }

    void cleanup()
    {
        m_session.reset();
        m_form = nullptr;
        m_fixture.reset();
        m_ham.clear();
        m_spam.clear();
        m_spamSenders.clear();
        m_shell.openedUrls.clear();
    }

    void checkBtnDeletesTheSpamAtOnce()
    {
        prepare(true);
        MainForm& form = start();
        const int sessionsBefore = m_server.endedSessions();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);

        QCOMPARE(maildirAfterSessions(sessionsBefore + 2), m_ham);
        QCOMPARE(results().eMailList().model()->rowCount(), m_ham.size());
        QStringList deletedSenders = captions(results().eMailDList());
        deletedSenders.sort();
        m_spamSenders.sort();
        QCOMPARE(deletedSenders, m_spamSenders);
        QCOMPARE(captions(results().accountList()), QStringList{QStringLiteral("Home")});
        const QAbstractItemModel& accounts = *results().accountList().model();
        QCOMPARE(accounts.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Message"));
        QCOMPARE(accounts.index(0, 5).data().toString(), QStringLiteral("OK"));
        QCOMPARE(accounts.index(0, 3).data().toString(), QString::number(m_spam.size()));
        QCOMPARE(results().eMailList().model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("EMail Filtered"));
        QVERIFY(hasIcons(results().eMailList()));
        QVERIFY(hasIcons(results().eMailDList()));
        QVERIFY(hasIcons(results().accountList()));
        // The check gave the window back.
        QVERIFY(checkBtn().isEnabled());
        QVERIFY(form.toolBar().accountBtn().isEnabled());
        QVERIFY(form.pageControl().isEnabled());
        QCOMPARE(form.tray().state(), core::TrayState::Idle);
        QVERIFY(!form.state().checkRunning);
        QVERIFY(m_fixture->prompts.errors.isEmpty());
        // A picture of the window after the check, for a person to look at.
        const QString grab = qEnvironmentVariable("VANTOR_WINDOW_GRAB");
        if (!grab.isEmpty())
            QVERIFY(form.grab().save(grab));
    }

    void resultRowsSelectCopyAndWrite()
    {
        prepare(true);
        MainForm& form = start();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);
        ResultListMenu& menu = form.listMenu();
        QToolButton& importButton = form.toolBar().importButton();
        ResultListView& deleted = results().eMailDList();
        QVERIFY(deleted.model()->rowCount() > 1);

        // Nothing was right-clicked yet: the menu has no list to act on.
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        menu.copyAddressAction().trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));

        deleted.selectRow(1);
        QVERIFY(importButton.isEnabled());
        QCOMPARE(menu.selectedResultList(), int(ResultListMenu::EMailDList));
        QCOMPARE(menu.selectedRowProfile(), std::string("Spam"));
        rightClick(deleted, 1);
        menu.listPopUp().hide();
        QCOMPARE(menu.popupResultList(), int(ResultListMenu::EMailDList));
        menu.copyAddressAction().trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), deleted.model()->index(1, 0).data().toString());
        menu.copySubjectAction().trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), deleted.model()->index(1, 1).data().toString());
        menu.sendWithClientAction().trigger();
        QCOMPARE(m_shell.openedUrls.size(), 1);
        QCOMPARE(m_shell.openedUrls.at(0).toString(),
                 QStringLiteral("mailto:") + deleted.model()->index(1, 0).data().toString());
        menu.sendWithVantorAction().trigger();
        QCOMPARE(form.pageControl().currentIndex(), int(MainForm::Messager));
        QCOMPARE(form.messager().toAddressEdit().text(), deleted.model()->index(1, 0).data().toString());
        // Changing the tab switches the import button off.
        QVERIFY(!importButton.isEnabled());

        // Right-clicking the kept list moves the menu there; the import commands keep the deleted list.
        form.pageControl().setCurrentIndex(MainForm::VantorCenter);
        rightClick(results().eMailList(), 0);
        menu.listPopUp().hide();
        QCOMPARE(menu.popupResultList(), int(ResultListMenu::EMailList));
        menu.copyAddressAction().trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 results().eMailList().model()->index(0, 0).data().toString());
        // Clicking the account list switches the import button off too.
        QVERIFY(importButton.isEnabled());
        QTest::mouseClick(
            results().accountList().viewport(), Qt::LeftButton, {},
            results().accountList().visualRect(results().accountList().model()->index(0, 0)).center());
        QVERIFY(!importButton.isEnabled());
    }

    void rulesImportedOrEditedActOnTheNextCheck()
    {
        prepare(true);
        MainForm& form = start();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);
        ResultListView& kept = results().eMailList();
        QStringList keptBefore = captions(kept);
        // The excepted sender would stay whatever rule is added.
        keptBefore.removeAll(QStringLiteral("poohba@blkpoohba.dyndns.org"));
        QVERIFY(keptBefore.size() >= 2);
        const QString sender = keptBefore.at(0);
        const QString edited = keptBefore.at(1);
        kept.selectRow(captions(kept).indexOf(sender));
        auto* senderEquals =
            form.toolBar().importMenu().findChild<QAction*>(QStringLiteral("ImportEMailEquals"));
        QVERIFY(senderEquals);
        senderEquals->trigger();
        QVERIFY(m_fixture->prompts.errors.isEmpty());
        // A rule written in the profile editor, for another kept sender.
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("FilterForm"), [&edited](QWidget& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, &edited] {
                auto& editor = static_cast<ui::FilterForm&>(dialog);
                QCOMPARE(editor.currentProfileName(), std::string("Spam"));
                filter::FilterRule rule;
                rule.type = "EMail";
                rule.condition = "Equals";
                rule.pattern = edited.toStdString();
                rule.caseText = "No";
                rule.check = true;
                editor.ruleTab(filter::RuleList::Sender).appendRule(rule);
                editor.okBtnClick();
            });
        });
        QTest::mouseClick(&form.toolBar().filterBtn(), Qt::LeftButton);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("FilterForm")});

        const int keptCount = kept.model()->rowCount();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);
        QVERIFY(captions(results().eMailDList()).contains(sender));
        QVERIFY(captions(results().eMailDList()).contains(edited));
        QCOMPARE(captions(kept).size(), keptCount - 2);

        // An account without a profile receives no rules.
        const QString accounts = m_fixture->home.filePath(QStringLiteral("account.vta"));
        QByteArray bytes = test::TestFiles::read(accounts);
        QVERIFY(bytes.contains("Profile=Spam\r\n"));
        QVERIFY(test::TestFiles::write(accounts, bytes.replace("Profile=Spam\r\n", "")));
        kept.selectRow(0);
        senderEquals->trigger();
        QCOMPARE(m_fixture->prompts.errors, QStringList{QStringLiteral("Cannot write in this profile.")});
    }

    void mailtoKeepsAHostileSenderInTheAddress()
    {
        prepare(true);
        MainForm& form = start();
        form.checks().lists().kept().addRow({"victim@example.org?attach=/etc/passwd&body=x#frag",
                                             6,
                                             {"Subject", "Home", "01/01/2020 10:00:00"}});
        rightClick(results().eMailList(), 0);
        form.listMenu().listPopUp().hide();
        form.listMenu().sendWithClientAction().trigger();
        QCOMPARE(m_shell.openedUrls.size(), 1);
        const QUrl link = m_shell.openedUrls.at(0);
        QVERIFY(link.query().isEmpty());
        QVERIFY(link.fragment().isEmpty());
        QCOMPARE(link.path(), QStringLiteral("victim@example.org?attach=/etc/passwd&body=x#frag"));
    }

    void previewDeletesOnlyTheTickedRows()
    {
        prepare(false);
        MainForm& form = start();
        const int sessionsBefore = m_server.endedSessions();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);

        // Waiting for the user: the preview page with every message, the spam ticked, the tray blinking.
        QCOMPARE(form.vantorCenter().checkPages().currentIndex(), int(ui::VantorCenterPage::Preview));
        ResultListView& list = preview().previewList();
        const int rows = list.model()->rowCount();
        QCOMPARE(rows, m_ham.size() + m_spam.size());
        QCOMPARE(form.checks().lists().preview().tickedCount(), m_spam.size());
        QVERIFY(preview().finishBtn().isEnabled());
        QVERIFY(preview().abortBtn().isEnabled());
        QVERIFY(!checkBtn().isEnabled());
        QVERIFY(list.isEnabled());
        QTRY_COMPARE(form.tray().imageIndex(), 4);
        QTRY_COMPARE(form.tray().imageIndex(), 3);
        QCOMPARE(captions(preview().previewAccountList()), QStringList{QStringLiteral("Home")});

        // Selecting a row shows its reason.
        list.selectRow(0);
        QVERIFY(!preview().previewMemo().toPlainText().isEmpty());
        QVERIFY(preview().previewMemo().toPlainText() !=
                QStringLiteral("EMail info (click on email to see information)"));

        // The user keeps the first spam message.
        int kept = -1;
        for (int row = 0; row < rows && kept < 0; ++row)
            if (list.model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                kept = row;
        QVERIFY(kept >= 0);
        QVERIFY(list.model()->setData(list.model()->index(kept, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(preview().previewTally().text(), QStringLiteral("Total emails %1: %2 read and %3 delete")
                                                      .arg(rows)
                                                      .arg(m_ham.size() + 1)
                                                      .arg(m_spam.size() - 1));
        QTest::mouseClick(&preview().finishBtn(), Qt::LeftButton);

        QStringList left = m_ham;
        left.append(m_spam.first());
        left.sort();
        QStringList onServer = maildirAfterSessions(sessionsBefore + 3);
        onServer.sort();
        QCOMPARE(onServer, left);
        QCOMPARE(results().eMailDList().model()->rowCount(), m_spam.size() - 1);
        QCOMPARE(results().eMailList().model()->rowCount(), m_ham.size() + 1);
        QCOMPARE(form.vantorCenter().checkPages().currentIndex(), int(ui::VantorCenterPage::ResultLists));
        QVERIFY(checkBtn().isEnabled());
        QVERIFY(!form.state().checkRunning);
        QCOMPARE(form.tray().imageIndex(), 0);
    }

    void finishWhileOfflineGivesTheWindowBack()
    {
        prepare(false);
        MainForm& form = start();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);
        QVERIFY(!checkBtn().isEnabled());
        m_fixture->detector.setOnline(false);
        QTest::mouseClick(&preview().finishBtn(), Qt::LeftButton);
        QCOMPARE(m_fixture->prompts.errors,
                 QStringList{QStringLiteral("Before check email accout you must connect to Internet.")});
        QCOMPARE(m_server.listMaildir(m_user).size(), m_ham.size() + m_spam.size());
        QVERIFY(checkBtn().isEnabled());
        QVERIFY(form.toolBar().accountBtn().isEnabled());
        QVERIFY(form.pageControl().isEnabled());
        QVERIFY(!form.state().checkRunning);
    }

    void notifyItemAndLanguage()
    {
        prepare(true);
        m_fixture->setSetting(storage::LanguageLanguage, std::string_view("Test"));
        QVERIFY(test::TestFiles::write(m_fixture->path(QStringLiteral("Language/Test.lng")),
                                       "[Button]\r\n007=Fertig\r\n[List]\r\n001=Behalten\r\n"));
        MainForm& form = start();
        QCOMPARE(preview().finishBtn().text(), QStringLiteral("Fertig"));
        QCOMPARE(preview().abortBtn().text(), QStringLiteral("Abort"));
        QCOMPARE(results().eMailList().model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Behalten"));

        // The tray item switches the new-mail watch on and off and keeps [Notify] Automatic with it.
        QVERIFY(!form.tray().notifyAction().isChecked());
        form.tray().notifyAction().trigger();
        QVERIFY(form.tray().notifyAction().isChecked());
        QVERIFY(form.watchTimers().watchTimer().isActive());
        QCOMPARE(core::SettingsFile(m_fixture->home).read(storage::NotifyAutomatic), true);
        form.tray().notifyAction().trigger();
        QVERIFY(!form.tray().notifyAction().isChecked());
        QVERIFY(!form.watchTimers().watchTimer().isActive());
        QCOMPARE(core::SettingsFile(m_fixture->home).read(storage::NotifyAutomatic), false);
    }

    void abortLeavesTheMailboxAlone()
    {
        prepare(false);
        MainForm& form = start();
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);
        QVERIFY(preview().abortBtn().isEnabled());
        QTest::mouseClick(&preview().abortBtn(), Qt::LeftButton);
        QCOMPARE(m_server.listMaildir(m_user).size(), m_ham.size() + m_spam.size());
        QCOMPARE(preview().previewList().model()->rowCount(), 0);
        QCOMPARE(preview().previewMemo().toPlainText(),
                 QStringLiteral("EMail info (click on email to see information)"));
        QVERIFY(checkBtn().isEnabled());
        QVERIFY(!form.state().checkRunning);
        QCOMPARE(form.tray().imageIndex(), 0);
    }

    void exitDuringAStalledFetchSendsNothingMore()
    {
        support::ScriptedServer server;
        QVERIFY(server.listen());
        // A server without CAPA and UIDL: the window's check talks in lockstep.
        server.greet("+OK ready\r\n").reply("-ERR\r\n").reply("+OK\r\n").reply("+OK\r\n");
        server.reply("+OK\r\n1 300\r\n.\r\n").reply("-ERR\r\n");
        // Spam by the default rules (no subject); the backup's RETR then gets no answer.
        server.reply("+OK\r\nFrom: spam@example.org\r\nTo: me@example.org\r\n\r\n.\r\n").ignoreLine();
        m_fixture = std::make_unique<CheckFixture>();
        m_fixture->addAccount(QStringLiteral("Scripted"), server.host(), server.port(), QStringLiteral("u"),
                              QStringLiteral("p"));
        m_fixture->setSetting(storage::GeneralSplash, true);
        m_fixture->setSetting(storage::TipsShow, false);
        m_fixture->setSetting(storage::GeneralAutomaticMode, true);
        m_fixture->setSetting(storage::BackupActive, true);
        m_fixture->setSetting(storage::BackupAllMessage, true);
        m_fixture->setSetting(storage::BackupDeleteBackup, true);
        const QString earlierBackup = m_fixture->path(QStringLiteral("EBak/earlier.vtb"));
        QVERIFY(test::TestFiles::write(earlierBackup, "Subject: kept from an earlier check\r\n"));
        MainForm& form = start();
        QSignalSpy ending(&form, &MainForm::ending);
        QTimer exitWhenStalled;
        connect(&exitWhenStalled, &QTimer::timeout, this, [&] {
            if (server.receivedLines().contains("RETR 1")) {
                exitWhenStalled.stop();
                form.mainMenu().action(ui::MainMenu::Item::Exit).trigger();
            }
        });
        exitWhenStalled.start(20);

        // Returns once the check has unwound.
        QTest::mouseClick(&checkBtn(), Qt::LeftButton);

        QCOMPARE(ending.count(), 1);
        QTRY_VERIFY(!server.hasClient());
        QCOMPARE(server.receivedLines(),
                 (QByteArrayList{"CAPA", "USER u", "PASS p", "LIST", "UIDL", "TOP 1 0", "RETR 1"}));
        // The backups of earlier checks stay while a check unwinds, and nothing new was written.
        QCOMPARE(QDir(m_fixture->path(QStringLiteral("EBak"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("earlier.vtb")});
        QVERIFY(!form.state().checkRunning);
        // The exit leaves every later event loop of this test program ending at once; a loop of the
        // application's own starts afresh.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
};

QTEST_MAIN(CheckInWindowTest)
#include "CheckInWindowTest.moc"
