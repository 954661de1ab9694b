#include "core/accounts/AccountLoader.h"

#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::AccountLoad;
using core::AccountLoader;
using Outcome = AccountLoad::Outcome;

class AccountLoaderTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<core::AccountStore> m_store;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    // Acc1 with the given keys besides Description; Check=1 unless the keys say otherwise.
    void writeAccount(const QByteArray& keys)
    {
        const QByteArray text = "[General]\r\nTotal=1\r\n[Acc1]\r\nDescription=Home\r\n" + keys;
        QVERIFY(test::TestFiles::write(m_home->filePath(QStringLiteral("account.vta")), text));
    }
    AccountLoad load(AccountLoader::PasswordPrompt prompt = AccountLoader::PasswordPrompt::Ask)
    {
        return AccountLoader(*m_store, m_texts, m_prompts).load(1, prompt);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir());
        m_store = std::make_unique<core::AccountStore>(*m_home, *m_errorLog);
        m_texts.reset();
        m_prompts = {};
    }

    void uncheckedAccountIsSkippedSilently()
    {
        writeAccount("Check=0\r\nPassword=\r\n");
        const AccountLoad result = load();
        QCOMPARE(result.outcome, Outcome::Skipped);
        QCOMPARE(result.description, std::string("Home"));
        QVERIFY(result.failure.empty());
        QVERIFY(m_prompts.passwordPrompts.isEmpty());
    }

    void readyAccountCarriesItsLogin()
    {
        const std::string password = core::AccountStore::scramble("pw");
        writeAccount(QByteArray("Check=1\r\nPOPServer=pop.test\r\nPOPPort=995\r\nUsername=me\r\nProfile="
                                "Strict\r\nPassword=") +
                     password.c_str() + "\r\n");
        const AccountLoad result = load();
        QCOMPARE(result.outcome, Outcome::Ready);
        QCOMPARE(result.profile, std::string("Strict"));
        QCOMPARE(result.login.host, std::string("pop.test"));
        QCOMPARE(result.login.port, 995);
        QCOMPARE(result.login.userName, std::string("me"));
        QCOMPARE(result.login.password, std::string("pw"));
        QCOMPARE(result.login.security, std::string("SSL"));
        QVERIFY(m_prompts.passwordPrompts.isEmpty());
    }

    void missingKeysFailInOrder_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("failure");
        QTest::newRow("no host") << QByteArray("Check=1\r\nUsername=me\r\n")
                                 << QStringLiteral("ERROR: failed on read HOST info");
        QTest::newRow("no user") << QByteArray("Check=1\r\nPOPServer=pop.test\r\nPassword=\r\n")
                                 << QStringLiteral("ERROR: failed on read USERNAME info");
        QTest::newRow("no password") << QByteArray("Check=1\r\nPOPServer=pop.test\r\nUsername=me\r\n")
                                     << QStringLiteral("ERROR: failed on PASSWORD info");
    }

    void missingKeysFailInOrder()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, failure);
        writeAccount(keys + "Profile=P\r\n");
        const AccountLoad result = load();
        QCOMPARE(result.outcome, Outcome::Failed);
        QCOMPARE(QString::fromStdString(result.failure), failure);
        // The row and the filter context still name the account.
        QCOMPARE(result.description, std::string("Home"));
        QCOMPARE(result.profile, std::string("P"));
        QVERIFY(m_prompts.passwordPrompts.isEmpty());
    }

    void failureTextsComeFromTheLanguage()
    {
        QVERIFY(test::TestFiles::write(m_home->filePath(QStringLiteral("Language/test.lng")),
                                       "[Message]\r\n032=Serveur absent\r\n"));
        m_texts.loadLanguage(m_home->nativeDir(), "Test");
        writeAccount("Check=1\r\n");
        QCOMPARE(load().failure, std::string("Serveur absent"));
    }

    void emptyPasswordIsAskedForEachTime()
    {
        writeAccount("Check=1\r\nPOPServer=pop.test\r\nUsername=me\r\nPassword=\r\n");
        m_prompts.passwordAnswers = {QStringLiteral("typed"), QStringLiteral("again")};
        QCOMPARE(load().login.password, std::string("typed"));
        QCOMPARE(load().login.password, std::string("again"));
        QCOMPARE(m_prompts.passwordPrompts,
                 QStringList(2, QStringLiteral("Enter password of Home account|Password:")));
        // Never stored: the file still holds the empty password.
        QVERIFY(m_store->read(1).password.empty());
    }

    void cancelledPromptConnectsWithTheEmptyPassword()
    {
        writeAccount("Check=1\r\nPOPServer=pop.test\r\nUsername=me\r\nPassword=\r\n");
        const AccountLoad result = load();
        QCOMPARE(result.outcome, Outcome::Ready);
        QVERIFY(result.login.password.empty());
        QCOMPARE(m_prompts.passwordPrompts.size(), 1);
    }

    void watchLogsInWithoutAsking()
    {
        writeAccount("Check=1\r\nPOPServer=pop.test\r\nUsername=me\r\nPassword=\r\n");
        const AccountLoad result = load(AccountLoader::PasswordPrompt::DontAsk);
        QCOMPARE(result.outcome, Outcome::Ready);
        QVERIFY(result.login.password.empty());
        QVERIFY(m_prompts.passwordPrompts.isEmpty());
    }
};

QTEST_GUILESS_MAIN(AccountLoaderTest)
#include "AccountLoaderTest.moc"
