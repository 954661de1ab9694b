#include "core/accounts/AccountManagerLogic.h"

#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::AccountFields;
using core::AccountManagerLogic;
using test::TestFiles;

namespace {

const QString FillAllFields = QStringLiteral("You must fill all fields.");
const QString DuplicateDescription =
    QStringLiteral("Cannot add account because another have this description. Change description.");

AccountFields fields(const std::string& description, const std::string& password = "secret")
{
    AccountFields result;
    result.description = description;
    result.popServer = "pop." + description + ".test";
    result.smtpServer = "smtp." + description + ".test";
    result.username = description + "-user";
    result.password = password;
    result.profile = "Default";
    return result;
}

} // namespace

class AccountManagerLogicTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<core::AccountStore> m_store;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;
    std::unique_ptr<AccountManagerLogic> m_logic;

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }
    QList<QByteArray> section(const char* name) const
    {
        return TestFiles::sectionLines(file("account.vta"), name);
    }
    void addAll(std::initializer_list<std::string> descriptions)
    {
        for (const std::string& description : descriptions)
            QVERIFY(m_logic->add(fields(description)));
    }
    QStringList rowDescriptions() const
    {
        QStringList result;
        for (const core::AccountManagerRow& row : m_logic->rows())
            result.append(QString::fromStdString(row.entry.description));
        return result;
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
        m_prompts.errors.clear();
        m_prompts.questions.clear();
        m_prompts.yesNoAnswers.clear();
        m_logic = std::make_unique<AccountManagerLogic>(*m_store, *m_home, m_texts, m_prompts);
        m_logic->reload();
    }

    void addWritesTheAccountInFileOrder()
    {
        AccountFields account = fields("Home", "pw");
        account.popPort.clear();
        account.smtpPort.clear();
        account.profile = "Work";
        QVERIFY(m_logic->add(account));
        QCOMPARE(section("General"), QList<QByteArray>{"Total=1"});
        const QList<QByteArray> keys{"Description=Home",
                                     "POPServer=pop.Home.test",
                                     "POPPort=110",
                                     "SMTPServer=smtp.Home.test",
                                     "SMTPPort=25",
                                     "Username=Home-user",
                                     "Password=" +
                                         QByteArray::fromStdString(core::AccountStore::scramble("pw")),
                                     "Profile=Work",
                                     "Check=1"};
        QCOMPARE(section("Acc1"), keys);
        QCOMPARE(rowDescriptions(), QStringList{QStringLiteral("Home")});
        QVERIFY(m_logic->rows().front().isTicked);
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void addRefusesMissingFieldsAndDuplicatesInAnyCase()
    {
        addAll({"Home"});
        for (auto blank :
             {&AccountFields::description, &AccountFields::popServer, &AccountFields::username}) {
            AccountFields account = fields("Other");
            account.*blank = "";
            QVERIFY(!m_logic->add(account));
        }
        QVERIFY(!m_logic->add(fields("hOME")));
        QCOMPARE(m_prompts.errors,
                 (QStringList{FillAllFields, FillAllFields, FillAllFields, DuplicateDescription}));
        QCOMPARE(section("General"), QList<QByteArray>{"Total=1"});
        // SMTP and the password may stay empty: the account then cannot send, and the check asks for it.
        AccountFields minimal = fields("Other", "");
        minimal.smtpServer.clear();
        QVERIFY(m_logic->add(minimal));
        QVERIFY(section("Acc2").contains("Password="));
    }

    void saveKeepsItsOwnDescriptionAndRefusesAnothers()
    {
        addAll({"Home", "Work"});
        AccountFields changed = fields("Home", "new");
        changed.popServer = "pop.changed.test";
        QVERIFY(m_logic->save(0, changed));
        QVERIFY(section("Acc1").contains("POPServer=pop.changed.test"));
        QVERIFY(!m_logic->save(0, fields("WORK")));
        QCOMPARE(m_prompts.errors, QStringList{DuplicateDescription});
        QVERIFY(section("Acc1").contains("Description=Home"));
        // A change of case of its own description is no clash.
        QVERIFY(m_logic->save(0, fields("HOME")));
        QVERIFY(section("Acc1").contains("Description=HOME"));
    }

    void saveSwitchesCheckOnWhateverTheTick()
    {
        addAll({"Home"});
        m_logic->setTicked(0, false);
        QVERIFY(m_logic->commitTicks());
        QVERIFY(section("Acc1").contains("Check=0"));
        QVERIFY(m_logic->save(0, fields("Home")));
        QVERIFY(section("Acc1").contains("Check=1"));
        QVERIFY(m_logic->rows().front().isTicked);
    }

    void deleteAsksAndRenumbers()
    {
        addAll({"One", "Two", "Three"});
        m_logic->setTicked(2, false);
        m_prompts.yesNoAnswers = {false};
        QVERIFY(!m_logic->remove(0));
        QCOMPARE(m_prompts.questions, QStringList{QStringLiteral("Delete selected account?")});
        QCOMPARE(section("General"), QList<QByteArray>{"Total=3"});

        m_prompts.yesNoAnswers = {true};
        QVERIFY(m_logic->remove(0));
        QCOMPARE(section("General"), QList<QByteArray>{"Total=2"});
        QVERIFY(section("Acc1").contains("Description=Two"));
        QVERIFY(section("Acc2").contains("Description=Three"));
        QVERIFY(section("Acc3").isEmpty());
        QCOMPARE(rowDescriptions(), (QStringList{QStringLiteral("Two"), QStringLiteral("Three")}));
        // The other rows keep the ticks the user gave them; OK writes them under the new numbers.
        QVERIFY(!m_logic->rows().at(1).isTicked);
        QVERIFY(m_logic->commitTicks());
        QVERIFY(section("Acc2").contains("Check=0"));
        QVERIFY(section("Acc1").contains("Check=1"));
    }

    void ticksReachTheFileOnlyOnCommit()
    {
        addAll({"One", "Two"});
        m_logic->setTicked(0, false);
        QVERIFY(section("Acc1").contains("Check=1"));
        QVERIFY(m_logic->commitTicks());
        QVERIFY(section("Acc1").contains("Check=0"));
        QVERIFY(section("Acc2").contains("Check=1"));
        // A tick changed and then lost by an add, which reads the list again, is not written.
        m_logic->setTicked(1, false);
        addAll({"Three"});
        QVERIFY(m_logic->rows().at(1).isTicked);
    }

    void commitWithoutAFileCreatesNone()
    {
        QVERIFY(m_logic->commitTicks());
        QVERIFY(!QFile::exists(file("account.vta")));
    }

    void passwordsThatCannotBeStoredAreRefused_data()
    {
        QTest::addColumn<QByteArray>("password");
        // U+0192 starts with the byte 0xC6, which scrambles to NUL; 0xCB, 0xCC and 0xDC give CR, LF and 0x1A.
        QTest::newRow("f-hook") << QByteArray("\xc6\x92");
        QTest::newRow("cr") << QByteArray("ab\xcb");
        QTest::newRow("lf") << QByteArray("\xcc");
        QTest::newRow("ctrl-z") << QByteArray("x\xdcy");
    }

    void passwordsThatCannotBeStoredAreRefused()
    {
        QFETCH(QByteArray, password);
        QVERIFY(!m_logic->add(fields("Home", password.toStdString())));
        QCOMPARE(m_prompts.errors.size(), 1);
        QVERIFY(m_prompts.errors.front().contains(QStringLiteral("password")));
        QVERIFY(!QFile::exists(file("account.vta")));
        QVERIFY(AccountManagerLogic::isPasswordStorable("\xc3\xa6 plain ascii and \xe2\x82\xac"));
    }

    void fieldsOfReadsThePasswordFromTheFile()
    {
        addAll({"Home"});
        // Another writer changed the password after the list was read.
        QVERIFY(m_store->edit(1, fields("Home", "fresh")) == core::AccountStore::WriteResult::Stored);
        const AccountFields shown = m_logic->fieldsOf(0);
        QCOMPARE(shown.password, std::string("fresh"));
        QCOMPARE(shown.popPort, std::string("110"));
        QCOMPARE(shown.smtpPort, std::string("25"));
    }

    void securityDefaultsFollowThePortAndAChoiceIsStored()
    {
        QCOMPARE(AccountManagerLogic::defaultSecurity("995", AccountManagerLogic::ImplicitTlsPop3Port),
                 "SSL");
        QCOMPARE(AccountManagerLogic::defaultSecurity("110", AccountManagerLogic::ImplicitTlsPop3Port),
                 "STARTTLS");
        QCOMPARE(AccountManagerLogic::defaultSecurity("465", AccountManagerLogic::ImplicitTlsSmtpPort),
                 "SSL");
        QCOMPARE(AccountManagerLogic::defaultSecurity("587", AccountManagerLogic::ImplicitTlsSmtpPort),
                 "STARTTLS");

        AccountFields account = fields("Home");
        account.popPort = "110";
        account.popSecurity = "STARTTLS";
        account.smtpPort = "465";
        account.smtpSecurity = "SSL";
        QVERIFY(m_logic->add(account));
        QVERIFY(section("Acc1").contains("POPSecurity=STARTTLS"));
        QVERIFY(section("Acc1").contains("SMTPSecurity=SSL"));
        const AccountFields shown = m_logic->fieldsOf(0);
        QCOMPARE(shown.popSecurity, std::string("STARTTLS"));
        QCOMPARE(shown.smtpSecurity, std::string("SSL"));
    }

    void cleartextToAnotherMachineIsWarnedOncePerAccount()
    {
        AccountFields plain = fields("Home");
        plain.popSecurity = "None";
        plain.smtpSecurity = "STARTTLS";
        const QString warning =
            QStringLiteral("pop.Home.test is reached without encryption: the password and "
                           "every message cross the network in clear text. Keep this "
                           "setting?");
        // Going back to change it writes nothing.
        m_prompts.yesNoAnswers = {false};
        QVERIFY(!m_logic->add(plain));
        QCOMPARE(m_prompts.questions, QStringList{warning});
        QVERIFY(!QFile::exists(file("account.vta")));

        m_prompts.yesNoAnswers = {true};
        QVERIFY(m_logic->add(plain));
        QVERIFY(section("Acc1").contains("PlainTextAccepted=1"));
        // Saved again, still in clear: not asked again.
        QVERIFY(m_logic->save(0, plain));
        QCOMPARE(m_prompts.questions.size(), 2);

        // The SMTP server counts too; the loopback network does not.
        AccountFields local = fields("Local");
        local.popServer = "127.0.0.1";
        local.popSecurity = "None";
        local.smtpServer = "localhost";
        local.smtpSecurity = "None";
        QVERIFY(m_logic->add(local));
        local.description = "Mail";
        local.smtpServer = "smtp.example.test";
        m_prompts.yesNoAnswers = {false};
        QVERIFY(!m_logic->add(local));
        QCOMPARE(m_prompts.questions.size(), 3);
        QVERIFY(m_prompts.questions.last().startsWith(QStringLiteral("smtp.example.test ")));
    }

    void profileChoicesListTheProfileDirectory()
    {
        QVERIFY(TestFiles::write(file("Profile/Default.vtf"), "[General]\r\n"));
        QVERIFY(TestFiles::write(file("Profile/Work.vtf"), "[General]\r\n"));
        QVERIFY(TestFiles::write(file("Profile/notes.txt"), "x"));
        QVERIFY(TestFiles::write(file("Profile/.hidden.vtf"), "x"));
        QVERIFY(QDir().mkpath(file("Profile/Older.vtf")));
        std::vector<std::string> choices = m_logic->profileChoices();
        QCOMPARE(choices.front(), std::string("Default"));
        std::sort(choices.begin() + 1, choices.end());
        QCOMPARE(choices, (std::vector<std::string>{"Default", "Work", "notes"}));
        // The profile of an account whose file is gone stays selectable, so that a save keeps it.
        QCOMPARE(m_logic->profileChoices("Gone").back(), std::string("Gone"));
        QCOMPARE(m_logic->profileChoices("Work").size(), std::size_t(3));
    }

    void aDamagedTotalIsReportedNotOverwritten()
    {
        QVERIFY(TestFiles::write(file("account.vta"), "[General]\r\nTotal=two\r\n"));
        m_logic->reload();
        QVERIFY(!m_logic->add(fields("Home")));
        QCOMPARE(m_prompts.errors.size(), 1);
        QCOMPARE(TestFiles::read(file("account.vta")), QByteArray("[General]\r\nTotal=two\r\n"));
    }
};

QTEST_GUILESS_MAIN(AccountManagerLogicTest)
#include "AccountManagerLogicTest.moc"
