#include "core/accounts/AccountImport.h"
#include "core/accounts/AccountLoader.h"
#include "core/accounts/AccountManagerLogic.h"
#include "platform/KeychainPasswordVault.h"
#include "support/KeyringSession.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::AccountFields;
using Result = platform::PasswordVault::Result;

namespace {

// One account of the mail client, for the import.
class OneAccountSource : public platform::MailClientAccountSource
{
public:
    platform::MailClientAccounts read() const override
    {
        platform::MailClientAccount account;
        account.name = "Club";
        account.popServer = "pop.club.test";
        account.userName = "member";
        return {{account}, {}};
    }
};

} // namespace

// Account passwords in a real Secret Service (gnome-keyring-daemon on a private session bus, unlocked with
// a test password), through the account manager's rules: store, read, change, move, delete; then the same
// home when no keyring answers.
class KeyringTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Every file of the home that holds the bytes, in clear or scrambled.
    QStringList filesHolding(const std::string& password) const
    {
        const QByteArray clear = QByteArray::fromStdString(password);
        const QByteArray scrambled = QByteArray::fromStdString(core::AccountStore::scramble(password));
        QStringList found;
        QDirIterator files(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QByteArray bytes = test::TestFiles::read(path);
            if (bytes.contains(clear) || bytes.contains(scrambled))
                found.append(path);
        }
        return found;
    }
    QList<QByteArray> account(const char* section) const
    {
        return test::TestFiles::sectionLines(m_dir.filePath(QStringLiteral("account.vta")), section);
    }

private slots:
    void passwordsLiveInTheKeyringAndFailCleanlyWithoutIt()
    {
        support::KeyringSession session;
        QVERIFY2(session.start("test keyring password"), qPrintable(session.errorText()));
        platform::KeychainPasswordVault vault(QStringLiteral("EMail Vantor tests"));
        QTRY_VERIFY_WITH_TIMEOUT(vault.isAvailable(), 20000);

        const core::HomeDirectory home(m_dir.path());
        storage::ErrorLog errorLog(home.nativeDir());
        core::AccountStore store(home, errorLog, &vault);
        storage::TextTable texts;
        test::ScriptedUserPrompts prompts;
        core::AccountManagerLogic logic(store, home, texts, prompts);
        logic.setUseKeyring(true);
        logic.reload();
        const auto keyOf = [&home](const char* description) {
            return home.nativeFilePath(core::AccountStore::FileName) + "|" + description +
                   "|me@pop.home.test";
        };

        AccountFields fields;
        fields.description = "Home";
        fields.popServer = "pop.home.test";
        fields.username = "me";
        fields.password = "s3cret W\xc3\xb6rd";
        fields.profile = "Default";
        fields.popSecurity = "STARTTLS";
        QVERIFY(logic.add(fields));
        QVERIFY(account("Acc1").contains("Password="));
        QVERIFY(account("Acc1").contains("PasswordStore=Keyring"));
        QCOMPARE(filesHolding(fields.password), QStringList());
        QCOMPARE(store.read(1).password, fields.password);
        const core::AccountLoader loader(store, texts, prompts);
        const core::AccountLoad ready = loader.load(1, core::AccountLoader::PasswordPrompt::DontAsk);
        QCOMPARE(ready.outcome, core::AccountLoad::Outcome::Ready);
        QCOMPARE(ready.login.password, fields.password);

        // Changed, and renamed: the entry moves with the description, the old one is gone.
        fields.password = "an0ther one";
        fields.description = "House";
        QVERIFY(logic.save(0, fields));
        QCOMPARE(store.read(1).password, fields.password);
        std::string left;
        QCOMPARE(vault.read(keyOf("Home"), left), Result::NotFound);
        QCOMPARE(filesHolding(fields.password), QStringList());

        // Into the file and back, by the button's rule.
        QVERIFY(logic.moveStore(0));
        QVERIFY(!account("Acc1").contains("PasswordStore=Keyring"));
        QCOMPARE(store.read(1).password, fields.password);
        QCOMPARE(vault.read(keyOf("House"), left), Result::NotFound);
        QVERIFY(logic.moveStore(0));
        QVERIFY(logic.rows().front().entry.isInKeyring);
        QCOMPARE(filesHolding(fields.password), QStringList());

        // Deleting the account deletes its entry.
        prompts.yesNoAnswers = {true};
        QVERIFY(logic.remove(0));
        QCOMPARE(vault.read(keyOf("House"), left), Result::NotFound);

        fields.description = "Work";
        fields.password = "work pass";
        QVERIFY(logic.add(fields));
        QCOMPARE(vault.read(keyOf("Work"), left), Result::Done);
        // The file edited by hand to send the account elsewhere: the keyring gives that server nothing.
        const QString file = m_dir.filePath(QStringLiteral("account.vta"));
        const QByteArray original = test::TestFiles::read(file);
        QVERIFY(
            test::TestFiles::write(file, QByteArray(original).replace("pop.home.test", "pop.other.test")));
        QVERIFY(store.read(1).isKeyringUnavailable);
        QVERIFY(store.read(1).password.empty());
        QVERIFY(test::TestFiles::write(file, original));
        QCOMPARE(store.read(1).password, std::string("work pass"));
        // Imported accounts are new accounts too.
        const OneAccountSource source;
        core::AccountImport import(store, source, texts, prompts, true);
        std::vector<AccountFields> imported = import.rowsFor({0});
        imported.front().password = "club pass";
        QVERIFY(import.finish(imported));
        QVERIFY(account("Acc2").contains("PasswordStore=Keyring"));
        QCOMPARE(store.read(2).password, std::string("club pass"));
        QCOMPARE(filesHolding("club pass"), QStringList());
        QCOMPARE(filesHolding("work pass"), QStringList());

        // The same home when no keyring answers: the account says where its password is and fails with a
        // word; nothing is asked and no other password goes out in its place.
        session.stopKeyring();
        QVERIFY(!vault.isAvailable());
        const core::AccountEntry entry = store.read(1);
        QVERIFY(entry.isInKeyring);
        QVERIFY(entry.isKeyringUnavailable);
        QVERIFY(entry.password.empty());
        const core::AccountLoad failed = loader.load(1, core::AccountLoader::PasswordPrompt::Ask);
        QCOMPARE(failed.outcome, core::AccountLoad::Outcome::Failed);
        QCOMPARE(failed.failure, std::string("ERROR: password not available from the keyring"));
        QVERIFY(prompts.passwordPrompts.isEmpty());
        // An edit cannot overwrite the password it cannot see.
        logic.reload();
        QVERIFY(!logic.save(0, fields));
        QCOMPARE(prompts.errors.last(),
                 QStringLiteral("The keyring does not answer: the password of this account cannot be read or "
                                "stored there now."));
        QVERIFY(account("Acc1").contains("PasswordStore=Keyring"));
        // A new account without a keyring keeps the scrambled password.
        fields.description = "Sports";
        QVERIFY(logic.add(fields));
        QVERIFY(!account("Acc3").contains("PasswordStore=Keyring"));
        QCOMPARE(store.read(3).password, fields.password);
    }
};

QTEST_GUILESS_MAIN(KeyringTest)
#include "KeyringTest.moc"
