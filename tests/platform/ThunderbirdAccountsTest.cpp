#include "platform/ThunderbirdAccounts.h"

#include "platform/SystemMailClientAccounts.h"
#include "platform/ThunderbirdPrefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using vantor::platform::MailClientAccount;
using vantor::platform::MailClientAccounts;
using vantor::platform::SystemMailClientAccounts;
using vantor::platform::ThunderbirdAccounts;
using vantor::platform::ThunderbirdPrefs;
using namespace std::string_literals;

namespace {

const QString PrefsData = QStringLiteral(VANTOR_TEST_DATA "/thunderbird-prefs/");

// One line per account, so that a difference shows which field of which account it is.
QStringList describe(const std::vector<MailClientAccount>& accounts)
{
    QStringList lines;
    for (const MailClientAccount& a : accounts) {
        lines.append(QString::fromStdString(a.name + " | " + a.popServer + ":" + a.popPort + " " +
                                            a.popSecurity + " | " + a.smtpServer + ":" + a.smtpPort + " " +
                                            a.smtpSecurity + " | " + a.userName));
    }
    return lines;
}

QStringList paths(const std::vector<std::string>& files)
{
    QStringList list;
    for (const std::string& file : files)
        list.append(QDir::fromNativeSeparators(QString::fromStdString(file)));
    return list;
}

void write(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void copySample(const QString& sample, const QString& target)
{
    QVERIFY(QDir().mkpath(QFileInfo(target).path()));
    QVERIFY(QFile::copy(PrefsData + sample, target));
}

} // namespace

class ThunderbirdAccountsTest : public QObject
{
    Q_OBJECT

private slots:
    void prefsReadEveryValueFormAndCommentStyle()
    {
        const ThunderbirdPrefs prefs(
            "\xEF\xBB\xBF# a header line\n"
            "user_pref(\"escapes\", \"q\\\"b\\\\s\\nn\\u00e9\\ud83d\\ude00\\x41'\");\n"
            "pref('single', 'it\\'s');  // trailing comment; with a semicolon\n"
            "sticky_pref(\"flag\", true); user_pref(\"off\", false);\n"
            "user_pref(\"negative\", -42); /* a; comment\n spanning lines */ pref(\"locked\", 7, locked);\n"
            "user_pref(\n  \"spanning\" ,\n  \"lines\"\n)\n;\n"
            "user_pref(\"escapes\", \"later wins \\u00fc\");\n"
            "user_pref(\"raw\", \"gr\xC3\xBC\xC3\x9F\");\n");
        QVERIFY(!prefs.isDamaged());
        QCOMPARE(prefs.values().size(), std::size_t(8));
        QCOMPARE(prefs.value("escapes"), std::string("later wins \xC3\xBC"));
        QCOMPARE(prefs.value("single"), std::string("it's"));
        QCOMPARE(prefs.value("flag"), std::string("true"));
        QCOMPARE(prefs.value("off"), std::string("false"));
        QCOMPARE(prefs.value("negative"), std::string("-42"));
        QCOMPARE(prefs.value("locked"), std::string("7"));
        QCOMPARE(prefs.value("spanning"), std::string("lines"));
        QCOMPARE(prefs.value("raw"), std::string("gr\xC3\xBC\xC3\x9F"));
        QVERIFY(!prefs.contains("absent"));
        QCOMPARE(
            ThunderbirdPrefs("user_pref(\"e\", \"q\\\"b\\\\s\\nn\\u00e9\\ud83d\\ude00\\x41\");").value("e"),
            std::string("q\"b\\s\nn\xC3\xA9\xF0\x9F\x98\x80"
                        "A"));
    }

    // Each broken statement costs itself only: the reader starts again after its ";" or at the next line.
    void prefsSkipWhatCannotBeReadAndSayTheyAreDamaged()
    {
        const std::string text = "user_pref(\"a\" 1); user_pref(\"ok1\", 1);\n"
                                 "user_pref(\"unterminated, 2);\nuser_pref(\"ok2\", \"x\");\n"
                                 "user_pref(\"nosemicolon\", 3)\nuser_pref(\"ok3\", 4);\n"
                                 "\0\0\xFF garbage\nuser_pref(\"ok4\", \"\xFFz\");\n"
                                 "user_pref(\"lone\", \"\\ud800\"); user_pref(\"nul\", \"\\u0000\");\n"
                                 "user_pref(\"escape\", \"\\q\"); user_pref(\"number\", 12ab);\n"
                                 "user_pref(\"ok5\", 5);\n/* never closed; user_pref(\"c\", 1);\n"s;
        const ThunderbirdPrefs prefs(text);
        QVERIFY(prefs.isDamaged());
        QCOMPARE(prefs.values().size(), std::size_t(5));
        QCOMPARE(prefs.value("ok1"), std::string("1"));
        QCOMPARE(prefs.value("ok2"), std::string("x"));
        QCOMPARE(prefs.value("ok3"), std::string("4"));
        QCOMPARE(prefs.value("ok4"), std::string("\xEF\xBF\xBDz"));
        QCOMPARE(prefs.value("ok5"), std::string("5"));
        QVERIFY(ThunderbirdPrefs("user_pref(\"a\", 1)").isDamaged());
        QVERIFY(!ThunderbirdPrefs("").isDamaged());
    }

    // Profiles in profiles.ini order with the installation's default first; damaged, missing and oversized
    // profiles named, the accounts before the damage kept.
    void profilesGiveTheirPop3AccountsInTheClientsOrder()
    {
        QTemporaryDir root;
        const QString thunderbird = root.filePath(QStringLiteral("thunderbird"));
        copySample(QStringLiteral("www-archive-mozilla_quality-intl-m4_prefs.js"),
                   thunderbird + QStringLiteral("/Profiles/old.m4/prefs.js"));
        copySample(QStringLiteral("mozilla-central_mailnewsTestPrefs.js"),
                   thunderbird + QStringLiteral("/Profiles/b.default/prefs.js"));
        const QString imapOnly = root.filePath(QStringLiteral("elsewhere/imap"));
        write(imapOnly + QStringLiteral("/prefs.js"),
              "user_pref(\"mail.accountmanager.accounts\", \"account1,account2\");\n"
              "user_pref(\"mail.account.account1.server\", \"server1\");\n"
              "user_pref(\"mail.server.server1.type\", \"imap\");\n"
              "user_pref(\"mail.server.server1.hostname\", \"imap.example.org\");\n"
              "user_pref(\"mail.account.account2.server\", \"server2\");\n"
              "user_pref(\"mail.server.server2.type\", \"none\");\n");
        const QString damaged = thunderbird + QStringLiteral("/Profiles/damaged/prefs.js");
        write(damaged, "user_pref(\"mail.accountmanager.accounts\", \"a1, a2,a3 ,a4\");\n"
                       "user_pref(\"mail.account.a1.server\", \"s1\");\n"
                       "user_pref(\"mail.account.a1.identities\", \"id1,id2\");\n"
                       "user_pref(\"mail.server.s1.type\", \"pop3\");\n"
                       "user_pref(\"mail.server.s1.name\", \"Work \\u00e9\");\n"
                       "user_pref(\"mail.server.s1.hostname\", \"old.example.org\");\n"
                       "user_pref(\"mail.server.s1.realhostname\", \"pop.example.org\");\n"
                       "user_pref(\"mail.server.s1.userName\", \"me\");\n"
                       "user_pref(\"mail.server.s1.port\", 995);\n"
                       "user_pref(\"mail.server.s1.socketType\", 3);\n"
                       "user_pref(\"mail.identity.id2.smtpServer\", \"smtp9\");\n"
                       "user_pref(\"mail.smtp.defaultserver\", \"smtp2\");\n"
                       "user_pref(\"mail.smtpserver.smtp2.hostname\", \"smtp.example.org\");\n"
                       "user_pref(\"mail.smtpserver.smtp2.port\", 587);\n"
                       "user_pref(\"mail.smtpserver.smtp2.try_ssl\", 2);\n"
                       "user_pref(\"mail.account.a2.server\", \"s2\");\n"
                       "user_pref(\"mail.server.s2.type\", \"nntp\");\n"
                       "user_pref(\"mail.account.a3.server\", \"s3\");\n"
                       "user_pref(\"mail.account.a3.identities\", \"id3\");\n"
                       "user_pref(\"mail.identity.id3.smtpServer\", \"smtp3\");\n"
                       "user_pref(\"mail.smtpserver.smtp3.hostname\", \"secure.example.org\");\n"
                       "user_pref(\"mail.smtpserver.smtp3.port\", 465);\n"
                       "user_pref(\"mail.server.s3.type\", \"pop3\");\n"
                       "user_pref(\"mail.server.s3.hostname\", \"pop3.example.org\");\n"
                       "user_pref(\"mail.server.s3.port\", 995);\n"
                       "user_pref(\"mail.server.s3.socketType\", 1);\n"
                       "user_pref(\"mail.server.s3.socketType\", ;\n"
                       "user_pref(\"mail.account.a4.server\", \"s4\");\n"
                       "user_pref(\"mail.server.s4.type\", \"pop3\");\n"
                       "user_pref(\"mail.server.s4.port\", 995);\n"
                       "user_pref(\"mail.server.s4.hostname\", \"cut\n");
        const QString huge = thunderbird + QStringLiteral("/Profiles/huge/prefs.js");
        write(huge, "user_pref(\"mail.accountmanager.accounts\", \"a1\");\n");
        QVERIFY(QFile::resize(huge, 32LL * 1024 * 1024 + 1));
        write(thunderbird + QStringLiteral("/Profiles/new/times.json"), "{}");
        write(thunderbird + QStringLiteral("/profiles.ini"),
              "[Profile0]\r\nName=old\r\nIsRelative=1\r\nPath=Profiles/old.m4\r\nDefault=1\r\n\r\n"
              "[Profile1]\nName=default\nIsRelative=1\nPath=Profiles/b.default\n\n"
              "[Profile2]\nName=imap\nIsRelative=0\nPath=" +
                  QDir::toNativeSeparators(imapOnly).toUtf8() +
                  "\n\n"
                  "[Profile3]\nPath=Profiles/damaged\n\n"
                  "[Profile4]\nIsRelative=1\nPath=Profiles/missing\n\n"
                  "[Profile5]\nIsRelative=1\nPath=Profiles/huge\n\n"
                  "[Profile6]\nIsRelative=1\nPath=Profiles/new\n\n"
                  "[Profile7]\nIsRelative=1\nPath=Profiles/../Profiles/b.default\n\n"
                  "[General]\nStartWithLastProfile=1\nVersion=2\n\n"
                  "[Install4F96D1932A9F858E]\nDefault=Profiles/b.default\nLocked=1\n");

        const MailClientAccounts found = ThunderbirdAccounts(thunderbird).read();
        QCOMPARE(
            describe(found.accounts),
            (QStringList{
                QStringLiteral("tinderbox@invalid.com | tinderbox: None | tinderbox: None | tinderbox"),
                QStringLiteral("username@mail_server.foo.com | mail_server.foo.com: None | "
                               "mail_server.foo.com: None | username"),
                QStringLiteral("Work \u00e9 | pop.example.org:995 SSL | smtp.example.org:587 STARTTLS | me"),
                QStringLiteral(" | pop3.example.org:995 STARTTLS | secure.example.org:465 SSL | "),
                QStringLiteral(" | :995 SSL | smtp.example.org:587 STARTTLS | "),
            }));
        QCOMPARE(paths(found.damagedFiles),
                 (QStringList{damaged, thunderbird + QStringLiteral("/Profiles/missing"), huge}));
    }

    void systemSourceReadsEachThunderbirdPlaceUnderTheHome()
    {
        QTemporaryDir home;
        QCOMPARE(describe(SystemMailClientAccounts(home.path()).read().accounts), QStringList());
        // The installation names a profile that is gone: the one marked default comes first.
        write(home.filePath(QStringLiteral(".thunderbird/profiles.ini")),
              "[Profile0]\nPath=old\n[Profile1]\nPath=p\nDefault=1\n[InstallAB12]\nDefault=gone\n");
        copySample(QStringLiteral("mozilla-central_mailnewsTestPrefs.js"),
                   home.filePath(QStringLiteral(".thunderbird/p/prefs.js")));
        copySample(QStringLiteral("www-archive-mozilla_quality-intl-m4_prefs.js"),
                   home.filePath(QStringLiteral(".thunderbird/old/prefs.js")));
        write(home.filePath(QStringLiteral("snap/thunderbird/common/.thunderbird/profiles.ini")),
              "[Profile0]\nIsRelative=1\nPath=s\n");
        copySample(QStringLiteral("www-archive-mozilla_quality-intl-m4_prefs.js"),
                   home.filePath(QStringLiteral("snap/thunderbird/common/.thunderbird/s/prefs.js")));
        const MailClientAccounts found = SystemMailClientAccounts(home.path()).read();
        const QString m4 = QStringLiteral(
            "username@mail_server.foo.com | mail_server.foo.com: None | mail_server.foo.com: None | "
            "username");
        QCOMPARE(describe(found.accounts),
                 (QStringList{
                     QStringLiteral("tinderbox@invalid.com | tinderbox: None | tinderbox: None | tinderbox"),
                     m4, m4}));
        QVERIFY(found.damagedFiles.empty());
    }
};

QTEST_MAIN(ThunderbirdAccountsTest)
#include "ThunderbirdAccountsTest.moc"
