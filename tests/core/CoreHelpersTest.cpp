#include "support/TestFiles.h"
#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProductInfo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

using namespace vantor::core;

class CoreHelpersTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const char* relative) const { return m_dir.filePath(QString::fromLatin1(relative)); }
    std::optional<HomeDirectory> resolve(const QStringList& options, const QString& executableDir,
                                         const QString& dataLocation, QString* error = nullptr)
    {
        return HomeDirectory::resolve(QStringList{QStringLiteral("emailvantor")} + options, executableDir,
                                      dataLocation, error);
    }

private slots:
    void ensureExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("expected");
        QTest::newRow("appended") << QStringLiteral("report") << QStringLiteral("txt")
                                  << QStringLiteral("report.txt");
        QTest::newRow("upper case kept")
            << QStringLiteral("REPORT.TXT") << QStringLiteral("txt") << QStringLiteral("REPORT.TXT");
        QTest::newRow("mixed case kept")
            << QStringLiteral("chart.Bmp") << QStringLiteral("bmp") << QStringLiteral("chart.Bmp");
        QTest::newRow("other extension")
            << QStringLiteral("list.lef.bak") << QStringLiteral("lef") << QStringLiteral("list.lef.bak.lef");
        QTest::newRow("dot missing") << QStringLiteral("reporttxt") << QStringLiteral("txt")
                                     << QStringLiteral("reporttxt.txt");
        QTest::newRow("only the extension")
            << QStringLiteral(".txt") << QStringLiteral("txt") << QStringLiteral(".txt");
        QTest::newRow("path with dots") << QStringLiteral("/home/a.b/report") << QStringLiteral("txt")
                                        << QStringLiteral("/home/a.b/report.txt");
        QTest::newRow("four letters")
            << QStringLiteral("page") << QStringLiteral("html") << QStringLiteral("page.html");
    }

    void ensureExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, expected);
        QCOMPARE(vantor::core::ensureExtension(name, ext), expected);
    }

    void homeOptionWinsAndIsCreated()
    {
        QString error;
        const auto home =
            resolve({QStringLiteral("--home"), path("given/deeper")}, m_dir.path(), path("data"), &error);
        QVERIFY2(home, qPrintable(error));
        QCOMPARE(home->dir(), path("given/deeper"));
        QVERIFY(QFileInfo(path("given/deeper")).isDir());
        QVERIFY(!QFileInfo::exists(path("data")));

        const auto equals = resolve({QStringLiteral("--home=") + path("other")}, m_dir.path(), path("data"));
        QVERIFY(equals);
        QCOMPARE(equals->dir(), path("other"));
    }

    void homeOptionWithoutValueIsAnError()
    {
        QString error;
        QVERIFY(!resolve({QStringLiteral("--home")}, m_dir.path(), path("data"), &error));
        QVERIFY(error.contains(QStringLiteral("--home")));
        QVERIFY(!resolve({QStringLiteral("--home=")}, m_dir.path(), path("data"), &error));
    }

    void homeThatCannotBeMadeIsAnError()
    {
        QVERIFY(vantor::test::TestFiles::write(path("plain-file"), "x"));
        QString error;
        QVERIFY(!resolve({QStringLiteral("--home"), path("plain-file/below")}, m_dir.path(), path("data"),
                         &error));
        QVERIFY(!error.isEmpty());
    }

    void writableExecutableDirectoryIsTheHome()
    {
        const auto home = resolve({}, m_dir.path(), path("data"));
        QVERIFY(home);
        QCOMPARE(home->dir(), QDir(m_dir.path()).absolutePath());
        QVERIFY(!QFileInfo::exists(path("data")));
    }

    void otherwiseTheDataLocationIsMade()
    {
        // A path below a plain file can never be a writable directory, whoever runs the test.
        QVERIFY(vantor::test::TestFiles::write(path("program"), "x"));
        const auto home = resolve({}, path("program/bin"), path("data/EMail Vantor"));
        QVERIFY(home);
        QCOMPARE(home->dir(), path("data/EMail Vantor"));
        QVERIFY(QFileInfo(path("data/EMail Vantor")).isDir());
        QVERIFY(!resolve({}, QString(), QString()));
    }

    void pathsUseSlashesBelowTheHome()
    {
        const HomeDirectory home(m_dir.path() + QStringLiteral("/./sub/../"));
        QCOMPARE(home.dir(), QDir(m_dir.path()).absolutePath());
        QCOMPARE(home.filePath(QStringLiteral("Profile/Default.vtf")),
                 home.dir() + QStringLiteral("/Profile/Default.vtf"));
        QCOMPARE(home.nativeFilePath("BList/Default.vtl"), home.nativeDir() + "/BList/Default.vtl");
    }

    void displayTextReadsUtf8ElseWindows1252()
    {
        QCOMPARE(displayText("Gr\xc3\xbc\xc3\x9f"
                             "e"),
                 QStringLiteral("Grüße"));
        QCOMPARE(displayText("Gr\xfc\xdf"
                             "e \x80"),
                 QStringLiteral("Grüße €"));
        QCOMPARE(displayText(""), QString());
        QCOMPARE(storedText(QStringLiteral("Grüße")), std::string("Gr\xc3\xbc\xc3\x9f"
                                                                  "e"));
    }

    void mailLinks()
    {
        const QUrl recommend = ProductInfo::mailLink(ProductInfo::Mail::Recommend, QStringLiteral("2.5"));
        QCOMPARE(recommend.scheme(), QStringLiteral("mailto"));
        QVERIFY(recommend.path().isEmpty());
        QVERIFY(!QUrlQuery(recommend).queryItemValue(QStringLiteral("subject")).isEmpty());

        QStringList subjects;
        for (const auto mail : {ProductInfo::Mail::BugReport, ProductInfo::Mail::TranslateRequest,
                                ProductInfo::Mail::SpammersList}) {
            const QUrl link = ProductInfo::mailLink(mail, QStringLiteral("2.5"));
            QCOMPARE(link.path(), ProductInfo::supportAddress());
            subjects.append(QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded));
        }
        QCOMPARE(subjects.at(0), QStringLiteral("EMail Vantor 2.5 bug report"));
        subjects.removeDuplicates();
        QCOMPARE(subjects.size(), 3);
        // Blanks travel percent-encoded: some mail handlers show a "+" literally.
        QVERIFY(ProductInfo::mailLink(ProductInfo::Mail::BugReport, QStringLiteral("2.5"))
                    .toEncoded()
                    .contains("%20"));
    }

    void captionCarriesTheVersion()
    {
        QVERIFY(
            ProductInfo::caption(QStringLiteral("2.5")).startsWith(QStringLiteral("EMail Vantor 2.5 xp")));
        QCOMPARE(ProductInfo::aboutVersion(QStringLiteral("2.5")), QStringLiteral("2.5.0.1 xp"));
    }
};

QTEST_GUILESS_MAIN(CoreHelpersTest)
#include "CoreHelpersTest.moc"
