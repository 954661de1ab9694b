#include "ui/dialogs/ImportAccountForm.h"

#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::ImportAccountForm;

namespace {

// The mail client's accounts as the test sets them.
class FakeAccountSource : public platform::MailClientAccountSource
{
public:
    platform::MailClientAccounts read() const override { return offered; }

    platform::MailClientAccounts offered;
};

platform::MailClientAccount clientAccount(const std::string& name)
{
    platform::MailClientAccount account;
    account.name = name;
    account.popServer = "pop." + name + ".test";
    account.smtpServer = "smtp." + name + ".test";
    account.userName = name + "-user";
    return account;
}

} // namespace

class ImportAccountFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<core::AccountStore> m_store;
    storage::TextTable m_texts;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    FakeAccountSource m_source;
    std::unique_ptr<ImportAccountForm> m_form;

    QString accountFile() const { return m_home->filePath(QStringLiteral("account.vta")); }
    QList<QByteArray> section(const char* name) const { return TestFiles::sectionLines(accountFile(), name); }
    ImportAccountForm& open()
    {
        m_form = std::make_unique<ImportAccountForm>(
            ImportAccountForm::Services{*m_store, m_texts, *m_prompts, m_source});
        m_form->show();
        return *m_form;
    }
    void tick(int row) { m_form->accountsList().topLevelItem(row)->setCheckState(0, Qt::Checked); }
    QString label(const char* objectName) const
    {
        return m_form->findChild<QLabel*>(QString::fromLatin1(objectName))->text();
    }
    QPushButton& button(const char* objectName)
    {
        return *m_form->findChild<QPushButton*>(QString::fromLatin1(objectName));
    }
    void storeAccount(const std::string& description)
    {
        core::AccountFields fields;
        fields.description = description;
        fields.popServer = "pop.stored.test";
        fields.username = "stored";
        fields.profile = "Work";
        QCOMPARE(m_store->add(fields), core::AccountStore::WriteResult::Stored);
    }

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
        m_source.offered = {};
    }
    void cleanup() { m_form.reset(); }

    void noAccountsAsksToSelectSomeAndNamesTheDamagedFiles()
    {
        m_source.offered.damagedFiles = {"/home/u/.thunderbird/p/prefs.js"};
        ImportAccountForm& form = open();
        QCOMPARE(form.windowTitle(), QStringLiteral("Import Accounts"));
        QCOMPARE(label("StepLabel"), QStringLiteral("Step 1"));
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("StepLabel"))->font().bold());
        QCOMPARE(label("InstructionLabel"), QStringLiteral("Select accounts to import"));
        QCOMPARE(label("DamagedFilesLabel"), QStringLiteral("Cannot read /home/u/.thunderbird/p/prefs.js."));
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("DamagedFilesLabel"))->isVisibleTo(&form));
        QVERIFY(!button("BackBtn").isEnabled());
        QCOMPARE(form.accountsList().topLevelItemCount(), 0);

        form.nextBtnClick();
        QCOMPARE(m_prompts->errors, QStringList{QStringLiteral("You must select some items.")});
        QCOMPARE(form.step(), 1);
        QTest::mouseClick(&button("CloseBtn"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(accountFile()));
    }

    void finishAddsTheTickedAccountsAsCompleted()
    {
        storeAccount("Stored");
        platform::MailClientAccount secure = clientAccount("b");
        secure.popPort = "995";
        secure.popSecurity = "SSL";
        secure.smtpPort = "587";
        secure.smtpSecurity = "STARTTLS";
        m_source.offered.accounts = {clientAccount("a"), secure, clientAccount("c")};
        ImportAccountForm& form = open();
        QCOMPARE(form.accountsList().topLevelItem(1)->text(2), QStringLiteral("smtp.b.test"));
        tick(1);
        tick(2);
        form.nextBtnClick();
        QCOMPARE(form.step(), 2);
        QCOMPARE(label("StepLabel"), QStringLiteral("Step 2"));
        QCOMPARE(label("InstructionLabel"), QStringLiteral("Fill or edit accounts information field"));
        QCOMPARE(button("NextBtn").text(), QStringLiteral("Finish"));
        QVERIFY(button("BackBtn").isEnabled());
        QCOMPARE(form.grid().rowCount(), 2);
        QCOMPARE(form.grid().columnCount(), 7);
        QStringList first;
        for (int column = 0; column < ImportAccountForm::ColumnCount; ++column)
            first.append(form.cellText(0, ImportAccountForm::Column(column)));
        QCOMPARE(first, (QStringList{QStringLiteral("b"), QStringLiteral("pop.b.test"), QStringLiteral("995"),
                                     QStringLiteral("smtp.b.test"), QStringLiteral("587"),
                                     QStringLiteral("b-user"), QString()}));
        QCOMPARE(form.cellText(1, ImportAccountForm::PopPortColumn), QStringLiteral("110"));
        QCOMPARE(form.cellText(1, ImportAccountForm::SmtpPortColumn), QStringLiteral("25"));

        // Ports are stored as typed, and a cell still being edited when Finish is clicked counts.
        QTableWidget& grid = form.grid();
        grid.setCurrentCell(1, ImportAccountForm::PopPortColumn);
        grid.editItem(grid.currentItem());
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("11o"));
        form.setCellText(0, ImportAccountForm::PasswordColumn, QStringLiteral("pw"));
        QTest::mouseClick(&button("NextBtn"), Qt::LeftButton);
        QVERIFY(m_prompts->errors.isEmpty());
        QCOMPARE(form.result(), int(QDialog::Accepted));

        QCOMPARE(section("General"), QList<QByteArray>{"Total=3"});
        const QList<QByteArray> b = section("Acc2");
        QCOMPARE(
            b, (QList<QByteArray>{"Description=b", "POPServer=pop.b.test", "POPPort=995",
                                  "SMTPServer=smtp.b.test", "SMTPPort=587", "Username=b-user",
                                  "Password=" + QByteArray::fromStdString(core::AccountStore::scramble("pw")),
                                  "Profile=Default", "Check=1", "POPSecurity=SSL", "SMTPSecurity=STARTTLS"}));
        const core::AccountEntry c = m_store->read(3);
        QCOMPARE(c.description, std::string("c"));
        QVERIFY(section("Acc3").contains("POPPort=11o"));
        QCOMPARE(c.profile, std::string("Default"));
        QVERIFY(c.check);
        QVERIFY(c.password.empty() && !c.isPasswordMissing);
        // The client said nothing of TLS: no key, so the port decides.
        for (const QByteArray& line : section("Acc3"))
            QVERIFY2(!line.contains("Security="), line.constData());
        QCOMPARE(m_store->read(1).profile, std::string("Work"));
    }

    void aTakenDescriptionWritesNothingAndStaysForACorrection()
    {
        storeAccount("Home");
        m_source.offered.accounts = {clientAccount("Work"), clientAccount("HOME")};
        const QByteArray before = TestFiles::read(accountFile());
        ImportAccountForm& form = open();
        tick(0);
        tick(1);
        form.nextBtnClick();
        form.nextBtnClick();
        QCOMPARE(m_prompts->errors,
                 QStringList{QStringLiteral(
                     "HOME: Cannot add account because another have this description. Change description.")});
        QCOMPARE(TestFiles::read(accountFile()), before);
        QCOMPARE(form.step(), 2);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(form.isVisible());

        form.setCellText(1, ImportAccountForm::DescriptionColumn, QStringLiteral("Home 2"));
        form.nextBtnClick();
        QCOMPARE(m_prompts->errors.size(), 1);
        QCOMPARE(m_store->read(2).description, std::string("Work"));
        QCOMPARE(m_store->read(3).description, std::string("Home 2"));
    }

    void backKeepsTheTicksAndWhatWasTypedCloseWritesNothing()
    {
        m_source.offered.accounts = {clientAccount("a"), clientAccount("b")};
        ImportAccountForm& form = open();
        tick(1);
        form.nextBtnClick();
        form.setCellText(0, ImportAccountForm::PasswordColumn, QStringLiteral("typed"));
        QTest::mouseClick(&button("BackBtn"), Qt::LeftButton);
        QCOMPARE(form.step(), 1);
        QCOMPARE(label("StepLabel"), QStringLiteral("Step 1"));
        QCOMPARE(button("NextBtn").text(), QStringLiteral("Next"));
        QVERIFY(!button("BackBtn").isEnabled());
        QCOMPARE(form.accountsList().topLevelItem(0)->checkState(0), Qt::Unchecked);
        QCOMPARE(form.accountsList().topLevelItem(1)->checkState(0), Qt::Checked);

        // One more tick: the row already completed keeps what was typed into it.
        tick(0);
        form.nextBtnClick();
        QCOMPARE(form.cellText(0, ImportAccountForm::DescriptionColumn), QStringLiteral("a"));
        QCOMPARE(form.cellText(1, ImportAccountForm::DescriptionColumn), QStringLiteral("b"));
        QVERIFY(form.cellText(0, ImportAccountForm::PasswordColumn).isEmpty());
        QCOMPARE(form.cellText(1, ImportAccountForm::PasswordColumn), QStringLiteral("typed"));
        QTest::mouseClick(&button("CloseBtn"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(!QFile::exists(accountFile()));
    }
};

QTEST_MAIN(ImportAccountFormTest)
#include "ImportAccountFormTest.moc"
