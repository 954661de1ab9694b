#include "ui/dialogs/AccountManagerDialog.h"

#include "RecordingShellOpen.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/dialogs/AccountManagerFields.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::AccountManagerDialog;

class AccountManagerDialogTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<core::AccountStore> m_store;
    storage::TextTable m_texts;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    test::RecordingShellOpen m_shell;
    std::unique_ptr<core::SharedFiles> m_programFiles;
    std::unique_ptr<core::HelpManual> m_help;
    std::unique_ptr<AccountManagerDialog> m_dialog;

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }
    QList<QByteArray> section(const char* name) const
    {
        return TestFiles::sectionLines(file("account.vta"), name);
    }
    AccountManagerDialog& open()
    {
        m_dialog = std::make_unique<AccountManagerDialog>(
            AccountManagerDialog::Services{*m_store, *m_home, m_texts, *m_prompts, *m_help});
        m_dialog->show();
        return *m_dialog;
    }
    ui::AccountManagerFields& fields() { return m_dialog->fields(); }
    void type(QLineEdit& edit, const QString& text)
    {
        edit.clear();
        QTest::keyClicks(&edit, text);
    }
    void fillAccount(const QString& description, const QString& password)
    {
        type(fields().des(), description);
        type(fields().pop(), QStringLiteral("pop.example.test"));
        type(fields().user(), QStringLiteral("user"));
        type(fields().pass(), password);
    }
    QPushButton& button(const char* objectName)
    {
        auto* found = m_dialog->findChild<QPushButton*>(QString::fromLatin1(objectName));
        Q_ASSERT(found);
        return *found;
    }
    void selectRow(int row)
    {
        QTreeWidget& list = m_dialog->accountList();
        list.setCurrentItem(list.topLevelItem(row));
    }
    void writeAccounts(const QByteArray& body) { QVERIFY(TestFiles::write(file("account.vta"), body)); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir());
        m_store = std::make_unique<core::AccountStore>(*m_home, *m_errorLog);
        m_prompts = std::make_unique<test::ScriptedUserPrompts>();
        // The temporary directory plays the program's directory too, at first without a manual.
        m_programFiles = std::make_unique<core::SharedFiles>(m_dir.path());
        m_help = std::make_unique<core::HelpManual>(*m_programFiles, m_texts, *m_prompts, m_shell);
    }
    void cleanup() { m_dialog.reset(); }

    void opensWithTheAccountsAndTheirTicks()
    {
        writeAccounts(
            "[General]\r\nTotal=2\r\n[Acc1]\r\nDescription=Home\r\nPOPServer=pop.home\r\nPOPPort=995\r\n"
            "SMTPServer=smtp.home\r\nSMTPPort=465\r\nUsername=me\r\nPassword=" +
            QByteArray::fromStdString(core::AccountStore::scramble("abc")) +
            "\r\nProfile=Work\r\nCheck=1\r\n[Acc2]\r\nDescription=Old\r\n");
        open();
        QTreeWidget& list = m_dialog->accountList();
        QCOMPARE(list.topLevelItemCount(), 2);
        QTreeWidgetItem& home = *list.topLevelItem(0);
        const QStringList shown{home.text(0), home.text(1), home.text(2), home.text(3),
                                home.text(4), home.text(5), home.text(6), home.text(7)};
        QCOMPARE(shown,
                 (QStringList{QStringLiteral("Home"), QStringLiteral("pop.home"), QStringLiteral("995"),
                              QStringLiteral("smtp.home"), QStringLiteral("465"), QStringLiteral("me"),
                              QStringLiteral("********"), QStringLiteral("Work")}));
        QCOMPARE(home.checkState(0), Qt::Checked);
        // Missing keys: "ERROR" texts, the Default profile, no tick.
        QCOMPARE(list.topLevelItem(1)->text(1), QStringLiteral("ERROR"));
        QCOMPARE(list.topLevelItem(1)->text(7), QStringLiteral("Default"));
        QCOMPARE(list.topLevelItem(1)->checkState(0), Qt::Unchecked);
        QVERIFY(!button("SaveBtn").isEnabled());
        QVERIFY(!button("DeleteBtn").isEnabled());
        QCOMPARE(fields().profBox().currentText(), QStringLiteral("Default"));
        QCOMPARE(fields().popPort().text(), QStringLiteral("110"));
        QCOMPARE(fields().smtpPort().text(), QStringLiteral("25"));
        // A new account is protected from the start.
        QCOMPARE(fields().popSecurity().currentText(), QStringLiteral("STARTTLS"));
        QCOMPARE(fields().smtpSecurity().currentText(), QStringLiteral("STARTTLS"));

        selectRow(0);
        QVERIFY(button("SaveBtn").isEnabled());
        QCOMPARE(fields().pass().text(), QStringLiteral("abc"));
        QCOMPARE(fields().popPort().text(), QStringLiteral("995"));
        // No security keys stored: the implicit TLS ports choose SSL.
        QCOMPARE(fields().popSecurity().currentText(), QStringLiteral("SSL"));
        QCOMPARE(fields().smtpSecurity().currentText(), QStringLiteral("SSL"));
        // Work.vtf does not exist, yet the account's profile is shown and kept.
        QCOMPARE(fields().profBox().currentText(), QStringLiteral("Work"));
    }

    void eachAccountShowsWhereItsPasswordIs()
    {
        const QByteArray scrambled = QByteArray::fromStdString(core::AccountStore::scramble("abc"));
        writeAccounts(
            "[General]\r\nTotal=2\r\n[Acc1]\r\nDescription=Home\r\nPOPServer=pop.home\r\nUsername=me\r\n"
            "Password=" +
            scrambled +
            "\r\n[Acc2]\r\nDescription=Work\r\nPOPServer=pop.work\r\nUsername=me\r\nPassword=\r\n"
            "PasswordStore=Keyring\r\n");
        open();
        auto* store = m_dialog->findChild<QLabel*>(QStringLiteral("StoreLabel"));
        QVERIFY(store);
        QVERIFY(!button("MoveStoreBtn").isEnabled());
        // The keyring's password is masked like any other, without asking the keyring for it.
        QCOMPARE(m_dialog->accountList().topLevelItem(1)->text(6), QStringLiteral("********"));
        selectRow(1);
        QCOMPARE(store->text(), QStringLiteral("Password stored in: the keyring"));
        QCOMPARE(button("MoveStoreBtn").text(), QStringLiteral("Move to account.vta"));

        selectRow(0);
        QCOMPARE(store->text(), QStringLiteral("Password stored in: account.vta"));
        QCOMPARE(button("MoveStoreBtn").text(), QStringLiteral("Move to the keyring"));
        // No keyring answers here: the password stays where it is, and the user hears why.
        QTest::mouseClick(&button("MoveStoreBtn"), Qt::LeftButton);
        QCOMPARE(m_prompts->errors.size(), 1);
        QVERIFY(m_prompts->errors.first().startsWith(QStringLiteral("The keyring does not answer")));
        QVERIFY(section("Acc1").contains("Password=" + scrambled));
    }

    void addThroughTheFieldsAndKeepThePorts()
    {
        open();
        fillAccount(QStringLiteral("Home"), QStringLiteral("pw"));
        type(fields().popPort(), QStringLiteral("9a9b5"));
        QCOMPARE(fields().popPort().text(), QStringLiteral("995"));
        QCOMPARE(fields().popSecurity().currentText(), QStringLiteral("SSL"));
        fields().smtpSecurity().setCurrentText(QStringLiteral("STARTTLS"));
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        QVERIFY(m_prompts->errors.isEmpty());
        QCOMPARE(m_dialog->accountList().topLevelItemCount(), 1);
        QVERIFY(section("Acc1").contains("POPPort=995"));
        QVERIFY(section("Acc1").contains("POPSecurity=SSL"));
        QVERIFY(section("Acc1").contains("SMTPSecurity=STARTTLS"));
        QVERIFY(fields().des().text().isEmpty());
        QVERIFY(fields().pass().text().isEmpty());
        QCOMPARE(fields().popPort().text(), QStringLiteral("995"));

        fillAccount(QStringLiteral("HOME"), QString());
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        QCOMPARE(m_prompts->errors.size(), 1);
        QCOMPARE(m_dialog->accountList().topLevelItemCount(), 1);
    }

    void aPasswordTheFileCannotHoldIsRefused()
    {
        open();
        fillAccount(QStringLiteral("Home"), QString());
        // keyClicks types ASCII only.
        fields().pass().setText(QStringLiteral("\u0192"));
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        QCOMPARE(m_prompts->errors.size(), 1);
        QVERIFY(!QFile::exists(file("account.vta")));
        // The fields stay so that the user can correct the password.
        QCOMPARE(fields().des().text(), QStringLiteral("Home"));
    }

    void saveEditsTheSelectedRow()
    {
        open();
        fillAccount(QStringLiteral("Home"), QStringLiteral("pw"));
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        m_dialog->accountList().topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        selectRow(0);
        type(fields().pop(), QStringLiteral("pop.changed.test"));
        QTest::mouseClick(&button("SaveBtn"), Qt::LeftButton);
        QVERIFY(m_prompts->errors.isEmpty());
        QVERIFY(section("Acc1").contains("Description=Home"));
        QVERIFY(section("Acc1").contains("POPServer=pop.changed.test"));
        // Editing switches the account on whatever its tick was.
        QCOMPARE(m_dialog->accountList().topLevelItem(0)->checkState(0), Qt::Checked);
        QVERIFY(!button("SaveBtn").isEnabled());
        QVERIFY(fields().des().text().isEmpty());
    }

    void deleteAsksThenRenumbersAndResetsTheFields()
    {
        open();
        for (const char* name : {"One", "Two", "Three"}) {
            fillAccount(QString::fromLatin1(name), QStringLiteral("pw"));
            QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        }
        selectRow(0);
        m_prompts->yesNoAnswers = {true};
        QTest::mouseClick(&button("DeleteBtn"), Qt::LeftButton);
        QCOMPARE(m_prompts->questions, QStringList{QStringLiteral("Delete selected account?")});
        QCOMPARE(m_dialog->accountList().topLevelItemCount(), 2);
        QCOMPARE(m_dialog->accountList().topLevelItem(0)->text(0), QStringLiteral("Two"));
        QCOMPARE(section("General"), QList<QByteArray>{"Total=2"});
        QVERIFY(section("Acc1").contains("Description=Two"));
        QVERIFY(fields().smtp().text().isEmpty());
        QCOMPARE(fields().popPort().text(), QStringLiteral("110"));
        QCOMPARE(fields().profBox().currentText(), QStringLiteral("Default"));
        QVERIFY(!button("DeleteBtn").isEnabled());
    }

    void okWritesTheTicksAndIsTheOnlyWayOut()
    {
        open();
        fillAccount(QStringLiteral("Home"), QStringLiteral("pw"));
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        m_dialog->accountList().topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        QVERIFY(section("Acc1").contains("Check=1"));
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(m_dialog->isVisible());
        QTest::mouseClick(&button("OKbtn"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(section("Acc1").contains("Check=0"));
    }

    void importReadsTheListAgainAndHelpOpensTheManual()
    {
        open();
        QObject::connect(m_dialog.get(), &AccountManagerDialog::importRequested, m_dialog.get(), [this] {
            writeAccounts("[General]\r\nTotal=1\r\n[Acc1]\r\nDescription=Imported\r\nCheck=1\r\n");
        });
        QTest::mouseClick(&button("ImportBtn"), Qt::LeftButton);
        QCOMPARE(m_dialog->accountList().topLevelItemCount(), 1);
        QCOMPARE(m_dialog->accountList().topLevelItem(0)->text(0), QStringLiteral("Imported"));

        QTest::mouseClick(&button("Button1"), Qt::LeftButton);
        QCOMPARE(m_prompts->errors, QStringList{QStringLiteral("Cannot find VTHELP.HLP")});
        QVERIFY(TestFiles::write(file("manual/account-manager.html"), "<h1 id=\"context-13\">"));
        QTest::mouseClick(&button("Button1"), Qt::LeftButton);
        QCOMPARE(m_shell.openedUrls, QList<QUrl>{m_help->url(core::HelpManual::Context::AccountManager)});
        QCOMPARE(m_shell.openedUrls[0].fragment(), QStringLiteral("context-13"));
    }

    void screenshot()
    {
        const QString target = qEnvironmentVariable("VANTOR_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("VANTOR_SCREENSHOTS names no directory");
        QVERIFY(TestFiles::write(file("Profile/Work.vtf"), "[General]\r\n"));
        open();
        fillAccount(QStringLiteral("Home"), QStringLiteral("pw"));
        QTest::mouseClick(&button("AddBtn"), Qt::LeftButton);
        selectRow(0);
        QVERIFY(m_dialog->grab().save(target + QStringLiteral("/AccountManager.png")));
    }
};

QTEST_MAIN(AccountManagerDialogTest)
#include "AccountManagerDialogTest.moc"
