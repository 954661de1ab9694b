#include "core/accounts/AccountStore.h"

#include "support/SteppingClock.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vantor;
using core::AccountEntry;
using core::AccountFields;
using core::AccountStore;
using test::TestFiles;
using WriteResult = AccountStore::WriteResult;

namespace {

AccountFields fields(const std::string& description, const std::string& password = "secret")
{
    AccountFields result;
    result.description = description;
    result.popServer = "pop." + description + ".test";
    result.popPort = "110";
    result.smtpServer = "smtp." + description + ".test";
    result.smtpPort = "25";
    result.username = description + "-user";
    result.password = password;
    result.profile = "Default";
    return result;
}

} // namespace

class AccountStoreTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    // Each entry one second after the last, so that no entry replaces another of the same second.
    std::unique_ptr<test::SteppingClock> m_clock;
    std::unique_ptr<storage::ErrorLog> m_errorLog;
    std::unique_ptr<AccountStore> m_store;

    QString accountFile() const { return m_home->filePath(QStringLiteral("account.vta")); }
    QList<QByteArray> errorLines() const
    {
        return TestFiles::sectionLines(m_home->filePath(QStringLiteral("Error.log")), "Error List");
    }
    void writeAccounts(const QByteArray& text) { QVERIFY(TestFiles::write(accountFile(), text)); }
    void addAccounts(std::initializer_list<std::string> descriptions)
    {
        for (const std::string& description : descriptions)
            QCOMPARE(m_store->add(fields(description)), WriteResult::Stored);
    }
    QStringList descriptions() const
    {
        QStringList result;
        for (const AccountEntry& entry : m_store->readAll())
            result.append(QString::fromStdString(entry.description));
        return result;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_clock = std::make_unique<test::SteppingClock>();
        m_errorLog = std::make_unique<storage::ErrorLog>(m_home->nativeDir(), *m_clock);
        m_store = std::make_unique<AccountStore>(*m_home, *m_errorLog);
    }

    void missingFileHasNoAccounts()
    {
        QVERIFY(!m_store->exists());
        QCOMPARE(m_store->total(), 0);
        QVERIFY(m_store->readAll().empty());
        QVERIFY(!m_store->findByDescription("x", AccountStore::Match::First));
        QVERIFY(errorLines().isEmpty());
    }

    void addWritesTotalFirstThenTheKeysInOrder()
    {
        AccountFields account = fields("home", "ab");
        account.popPort.clear();
        account.smtpPort.clear();
        account.smtpServer.clear();
        QCOMPARE(m_store->add(account), WriteResult::Stored);
        QVERIFY(m_store->exists());
        const QByteArray expected =
            "[General]\r\nTotal=1\r\n\r\n"
            "[Acc1]\r\nDescription=home\r\nPOPServer=pop.home.test\r\nPOPPort=110\r\n"
            "SMTPServer=\r\nSMTPPort=25\r\nUsername=home-user\r\nPassword=\xa7\xa4\r\n"
            "Profile=Default\r\nCheck=1\r\n\r\n";
        QCOMPARE(TestFiles::read(accountFile()), expected);

        addAccounts({"work"});
        QCOMPARE(m_store->total(), 2);
        const AccountEntry second = m_store->read(2);
        QCOMPARE(second.description, std::string("work"));
        QCOMPARE(second.password, std::string("secret"));
        QVERIFY(second.check);
    }

    void addDropsAStaleSectionUnderTheNewNumber()
    {
        writeAccounts("[General]\r\nTotal=0\r\n[Acc1]\r\nDescription=old\r\nPOPSecurity=STARTTLS\r\n");
        addAccounts({"new"});
        const AccountEntry entry = m_store->read(1);
        QCOMPARE(entry.description, std::string("new"));
        QCOMPARE(entry.popSecurity, std::string("None"));
    }

    void editRewritesTheKeysAndSetsCheck()
    {
        addAccounts({"a", "b"});
        writeAccounts(
            TestFiles::read(accountFile()).replace("Check=1\r\n\r\n[Acc2]", "Check=0\r\n\r\n[Acc2]"));
        QVERIFY(!m_store->read(1).check);
        AccountFields changed = fields("a2", "");
        changed.popPort = "995";
        QCOMPARE(m_store->edit(1, changed), WriteResult::Stored);
        const AccountEntry entry = m_store->read(1);
        QCOMPARE(entry.description, std::string("a2"));
        QCOMPARE(entry.popPort, 995);
        QVERIFY(entry.check);
        QVERIFY(entry.password.empty());
        QVERIFY(!entry.isPasswordMissing);
        QCOMPARE(TestFiles::sectionLines(accountFile(), "Acc1").first(), QByteArray("Description=a2"));
        QCOMPARE(m_store->read(2).description, std::string("b"));
        QCOMPARE(m_store->edit(3, changed), WriteResult::NoSuchAccount);
        QCOMPARE(m_store->edit(0, changed), WriteResult::NoSuchAccount);
    }

    void deleteRenumbersTheLaterAccounts()
    {
        addAccounts({"one", "two", "three", "four"});
        QCOMPARE(m_store->remove(2), WriteResult::Stored);
        QCOMPARE(m_store->total(), 3);
        QCOMPARE(descriptions(),
                 (QStringList{QStringLiteral("one"), QStringLiteral("three"), QStringLiteral("four")}));
        QCOMPARE(m_store->read(2).popServer, std::string("pop.three.test"));
        QVERIFY(TestFiles::sectionLines(accountFile(), "Acc4").isEmpty());
        QVERIFY(!TestFiles::read(accountFile()).contains("two"));
    }

    void deleteTheLastAndTheOnlyAccount()
    {
        addAccounts({"one", "two"});
        QCOMPARE(m_store->remove(2), WriteResult::Stored);
        QCOMPARE(m_store->total(), 1);
        QVERIFY(TestFiles::sectionLines(accountFile(), "Acc2").isEmpty());
        QCOMPARE(m_store->remove(1), WriteResult::Stored);
        QCOMPARE(TestFiles::sectionLines(accountFile(), "General"), QList<QByteArray>{"Total=0"});
        QCOMPARE(TestFiles::read(accountFile()), QByteArray("[General]\r\nTotal=0\r\n\r\n"));
        QCOMPARE(m_store->remove(1), WriteResult::NoSuchAccount);
    }

    void theFileIsForItsOwnersEyesOnly()
    {
        const QByteArray path = QFile::encodeName(accountFile());
        const auto modeOf = [&path] {
            struct stat info
            {
            };
            return ::stat(path.constData(), &info) == 0 ? info.st_mode & 07777 : 0u;
        };
        addAccounts({"home"});
        QCOMPARE(modeOf(), 0600u);
        // A file left readable to all, by hand or by an older version, is closed at the next write.
        QCOMPARE(::chmod(path.constData(), 0644), 0);
        QCOMPARE(m_store->edit(1, fields("work")), WriteResult::Stored);
        QCOMPARE(modeOf(), 0600u);
    }

    void scramblingIsItsOwnInverse()
    {
        const std::string password = "P4ss word!~";
        const std::string stored = AccountStore::scramble(password);
        QVERIFY(stored != password);
        for (char c : stored)
            QVERIFY(static_cast<unsigned char>(c) >= 128);
        QCOMPARE(AccountStore::scramble(stored), password);
        QCOMPARE(AccountStore::scramble(""), std::string());
        QCOMPARE(AccountStore::scramble("\xc6"), std::string(1, '\0'));
    }

    void emptyPasswordIsStoredEmpty()
    {
        QCOMPARE(m_store->add(fields("a", "")), WriteResult::Stored);
        QVERIFY(TestFiles::sectionLines(accountFile(), "Acc1").contains("Password="));
        const AccountEntry entry = m_store->read(1);
        QVERIFY(entry.password.empty());
        QVERIFY(!entry.isPasswordMissing);
    }

    void valuesThatWouldBreakTheFileAreRefused()
    {
        addAccounts({"keep"});
        const QByteArray before = TestFiles::read(accountFile());
        // 0xCC and 0xCB scramble to LF and CR, 0xC6 to NUL.
        for (const char* password : {"a\xcc", "\xcb", "x\xc6y"})
            QCOMPARE(m_store->add(fields("bad", password)), WriteResult::UnsafeValue);
        QCOMPARE(m_store->add(fields("two\nlines")), WriteResult::UnsafeValue);
        QCOMPARE(m_store->edit(1, fields(std::string(250, 'd'))), WriteResult::UnsafeValue);
        QCOMPARE(TestFiles::read(accountFile()), before);
        // A UTF-8 password whose bytes scramble to harmless bytes is fine.
        QCOMPARE(m_store->add(fields("utf8", "p\xc3\xa4ss")), WriteResult::Stored);
        QCOMPARE(m_store->read(2).password, std::string("p\xc3\xa4ss"));
    }

    void addAllWritesEveryAccountOrNone()
    {
        addAccounts({"keep"});
        const QByteArray before = TestFiles::read(accountFile());
        // The unsafe value is in the last account: the first must not have been written either.
        QCOMPARE(m_store->addAll({fields("one"), fields("two", "x\xc6y")}), WriteResult::UnsafeValue);
        QCOMPARE(TestFiles::read(accountFile()), before);

        AccountFields secure = fields("two");
        secure.popSecurity = "SSL";
        QCOMPARE(m_store->addAll({fields("one"), secure}), WriteResult::Stored);
        QCOMPARE(descriptions(),
                 (QStringList{QStringLiteral("keep"), QStringLiteral("one"), QStringLiteral("two")}));
        QCOMPARE(TestFiles::sectionLines(accountFile(), "General"), QList<QByteArray>{"Total=3"});
        QVERIFY(TestFiles::sectionLines(accountFile(), "Acc2").contains("Check=1"));
        QVERIFY(TestFiles::sectionLines(accountFile(), "Acc3").contains("POPSecurity=SSL"));
        QVERIFY(!TestFiles::sectionLines(accountFile(), "Acc2").contains("POPSecurity=SSL"));
        QCOMPARE(m_store->read(3).password, std::string("secret"));
    }

    void lookupByDescriptionIsExactAndPicksFirstOrLast()
    {
        writeAccounts("[General]\r\nTotal=3\r\n"
                      "[Acc1]\r\nDescription=Mail\r\nProfile=first\r\n"
                      "[Acc2]\r\nDescription=mail\r\nProfile=lower\r\n"
                      "[Acc3]\r\nDescription=Mail\r\nProfile=last\r\n");
        const auto first = m_store->findByDescription("Mail", AccountStore::Match::First);
        QVERIFY(first);
        QCOMPARE(first->number, 1);
        QCOMPARE(first->profile, std::string("first"));
        const auto last = m_store->findByDescription("Mail", AccountStore::Match::Last);
        QVERIFY(last);
        QCOMPARE(last->number, 3);
        QCOMPARE(m_store->findByDescription("mail", AccountStore::Match::Last)->profile,
                 std::string("lower"));
        QVERIFY(!m_store->findByDescription("MAIL", AccountStore::Match::First));
        QVERIFY(!m_store->findByDescription("Mail ", AccountStore::Match::First));
    }

    void totalThatIsNotANumberReadsZeroAndLogsOnce()
    {
        writeAccounts("[General]\r\nTotal=two\r\n[Acc1]\r\nDescription=a\r\n[Acc2]\r\nDescription=b\r\n");
        QCOMPARE(m_store->total(), 0);
        QList<QByteArray> lines = errorLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().endsWith("= 00013 - account.vta Total is not a number"));
        QVERIFY(m_store->readAll().empty());
        QCOMPARE(errorLines().size(), 2);
        // Adding would overwrite Acc1: refused, the file stays as it is.
        const QByteArray before = TestFiles::read(accountFile());
        QCOMPARE(m_store->add(fields("c")), WriteResult::InvalidTotal);
        QCOMPARE(m_store->remove(1), WriteResult::InvalidTotal);
        QCOMPARE(TestFiles::read(accountFile()), before);
    }

    void totalForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("isLogged");
        QTest::newRow("decimal") << QByteArray("2") << 2 << false;
        QTest::newRow("leading blanks") << QByteArray("  2") << 2 << false;
        QTest::newRow("trailing blank") << QByteArray("2 ") << 0 << true;
        QTest::newRow("negative") << QByteArray("-1") << 0 << true;
        QTest::newRow("hexadecimal") << QByteArray("$2") << 0 << true;
        QTest::newRow("empty") << QByteArray("") << 0 << true;
        QTest::newRow("too large") << QByteArray("99999999999") << 0 << true;
    }

    void totalForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, total);
        QFETCH(bool, isLogged);
        writeAccounts("[General]\r\nTotal=" + text + "\r\n[Acc1]\r\n[Acc2]\r\n");
        QCOMPARE(m_store->total(), total);
        QCOMPARE(errorLines().size(), isLogged ? 1 : 0);
    }

    void totalLargerThanTheSectionsReadsOnlyUpToTheLastOne()
    {
        // A gap reads as an account of defaults; a Total edited far beyond the file costs nothing.
        writeAccounts("[General]\r\nTotal=2000000000\r\n[Acc1]\r\nDescription=only\r\nCheck=1\r\n"
                      "POPServer=pop.test\r\n[Acc3]\r\nDescription=third\r\n");
        QCOMPARE(m_store->total(), 3);
        const std::vector<AccountEntry> all = m_store->readAll("Default");
        QCOMPARE(all.size(), std::size_t(3));
        QCOMPARE(all[0].description, std::string("only"));
        QVERIFY(all[0].check);
        const AccountEntry& missing = all[1];
        QCOMPARE(missing.description, std::string("ERROR"));
        QCOMPARE(missing.popServer, std::string("ERROR"));
        QCOMPARE(missing.smtpServer, std::string("ERROR"));
        QCOMPARE(missing.username, std::string("ERROR"));
        QCOMPARE(missing.popPort, 110);
        QCOMPARE(missing.smtpPort, 25);
        QCOMPARE(missing.profile, std::string("Default"));
        QVERIFY(missing.isPasswordMissing);
        QVERIFY(!missing.check);
        QCOMPARE(all[2].description, std::string("third"));
        QVERIFY(!m_store->findByDescription("absent", AccountStore::Match::Last));
        QCOMPARE(m_store->add(fields("new")), WriteResult::Stored);
        QCOMPARE(m_store->read(4).description, std::string("new"));
    }

    void securityDefaultsFollowThePort_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("pop");
        QTest::addColumn<QString>("smtp");
        QTest::newRow("plain ports") << QByteArray("POPPort=110\r\nSMTPPort=25\r\n") << QStringLiteral("None")
                                     << QStringLiteral("None");
        QTest::newRow("TLS ports") << QByteArray("POPPort=995\r\nSMTPPort=465\r\n") << QStringLiteral("SSL")
                                   << QStringLiteral("SSL");
        QTest::newRow("ports missing") << QByteArray() << QStringLiteral("None") << QStringLiteral("None");
        QTest::newRow("submission port")
            << QByteArray("SMTPPort=587\r\n") << QStringLiteral("None") << QStringLiteral("None");
        QTest::newRow("stored modes win")
            << QByteArray("POPPort=995\r\nPOPSecurity=STARTTLS\r\nSMTPPort=25\r\nSMTPSecurity=SSL\r\n")
            << QStringLiteral("STARTTLS") << QStringLiteral("SSL");
        QTest::newRow("empty modes default") << QByteArray("POPPort=995\r\nPOPSecurity=\r\n")
                                             << QStringLiteral("SSL") << QStringLiteral("None");
    }

    void securityDefaultsFollowThePort()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, pop);
        QFETCH(QString, smtp);
        writeAccounts("[General]\r\nTotal=1\r\n[Acc1]\r\n" + keys);
        const AccountEntry entry = m_store->read(1);
        QCOMPARE(QString::fromStdString(entry.popSecurity), pop);
        QCOMPARE(QString::fromStdString(entry.smtpSecurity), smtp);
    }

    void securityKeysAreWrittenWhenGiven()
    {
        AccountFields account = fields("tls");
        account.popSecurity = "STARTTLS";
        addAccounts({"plain"});
        QCOMPARE(m_store->add(account), WriteResult::Stored);
        for (const QByteArray& line : TestFiles::sectionLines(accountFile(), "Acc1"))
            QVERIFY(!line.contains("Security"));
        QCOMPARE(TestFiles::sectionLines(accountFile(), "Acc2").mid(9),
                 QList<QByteArray>{"POPSecurity=STARTTLS"});
        QCOMPARE(m_store->read(2).popSecurity, std::string("STARTTLS"));
    }
};

QTEST_GUILESS_MAIN(AccountStoreTest)
#include "AccountStoreTest.moc"
