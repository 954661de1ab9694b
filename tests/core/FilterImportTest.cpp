#include "core/filters/FilterImport.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::FilterImport;
using test::TestFiles;

class FilterImportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString profileFile(const char* name) const
    {
        return m_home.filePath(QStringLiteral("Profile/%1.vtf").arg(QLatin1String(name)));
    }

private slots:
    void everyCommandAppendsItsRule()
    {
        const FilterImport import(m_home.path().toStdString() + "/");
        for (const FilterImport::Command& command : FilterImport::commands())
            QCOMPARE(import.importRow("Work", command, "spam@bad.example", "Cheap pills"),
                     FilterImport::Result::Written);

        const QString file = profileFile("Work");
        QCOMPARE(TestFiles::sectionLines(file, "General"),
                 QList<QByteArray>({"Filter1=8", "Filter2=4", "Filter4=6"}));
        // Section, then the key lines as a person checking the file reads them.
        const QList<QPair<QByteArray, QList<QByteArray>>> expected = {
            {"Fil1-1", {"Type=EMail", "Condition=Contains", "String=spam@bad.example"}},
            {"Fil1-2", {"Type=EMail", "Condition=Ends with", "String=spam@bad.example"}},
            {"Fil1-3", {"Type=EMail", "Condition=Equals", "String=spam@bad.example"}},
            {"Fil1-4", {"Type=EMail", "Condition=Starts with", "String=spam@bad.example"}},
            {"Fil1-5", {"Type=Domain", "Condition=Contains", "String=bad.example"}},
            {"Fil1-8", {"Type=Domain", "Condition=Starts with", "String=bad.example"}},
            // A subject rule keeps its condition in Type and has no Condition key.
            {"Fil2-1", {"Type=Contains", "String=Cheap pills"}},
            {"Fil2-2", {"Type=Ends with", "String=Cheap pills"}},
            {"Fil2-4", {"Type=Starts with", "String=Cheap pills"}},
            {"Fil4-1", {"Type=Domain", "Condition=Equals", "String=bad.example"}},
            {"Fil4-2", {"Type=EMail", "Condition=Equals", "String=spam@bad.example"}},
            {"Fil4-3", {"Type=Subject", "Condition=Contains", "String=Cheap pills"}},
            {"Fil4-5", {"Type=Subject", "Condition=Equals", "String=Cheap pills"}},
            {"Fil4-6", {"Type=Subject", "Condition=Starts with", "String=Cheap pills"}},
        };
        for (const auto& [section, keys] : expected)
            QCOMPARE(TestFiles::sectionLines(file, section),
                     keys + QList<QByteArray>({"Case=No", "Check=1"}));
    }

    void domainOfASenderWithoutAtIsTheWholeSender()
    {
        const FilterImport import(m_home.path().toStdString());
        const FilterImport::Command& domainEndsWith = FilterImport::commands().at(5);
        QCOMPARE(import.importRow("Bounces", domainEndsWith, "MAILER-DAEMON", ""),
                 FilterImport::Result::Written);
        QCOMPARE(import.importRow("Bounces", domainEndsWith, "MAILER-DAEMON", ""),
                 FilterImport::Result::Written);
        QCOMPARE(TestFiles::sectionLines(profileFile("Bounces"), "General"),
                 QList<QByteArray>({"Filter1=2"}));
        QCOMPARE(TestFiles::sectionLines(profileFile("Bounces"), "Fil1-2"),
                 QList<QByteArray>(
                     {"Type=Domain", "Condition=Ends with", "String=MAILER-DAEMON", "Case=No", "Check=1"}));
    }

    void profilesThatNameNoFileReceiveNothing()
    {
        QTemporaryDir home;
        const FilterImport import(home.path().toStdString() + "/Inner/");
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Inner")));
        for (const char* profile : {"ERROR", "", "../Outside", "a/b", "..\\Outside"})
            QCOMPARE(import.importRow(profile, FilterImport::commands().front(), "a@b.example", "s"),
                     FilterImport::Result::NoProfile);
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("Inner")}));
        QVERIFY(QDir(home.filePath(QStringLiteral("Inner"))).isEmpty());
    }

    void contactsBecomeOneExceptionPerAddress()
    {
        const auto rules =
            FilterImport::exceptionsFor({{"Ann Example", {"ann@one.example", "ann@two.example"}},
                                         {"No Mail", {}},
                                         {"Bob", {"bob@x.example"}}});
        QCOMPARE(rules.size(), std::size_t(3));
        QCOMPARE(rules[1].description, std::string("Ann Example"));
        QCOMPARE(rules[1].pattern, std::string("ann@two.example"));
        QCOMPARE(rules[2].description, std::string("Bob"));
        for (const filter::FilterRule& rule : rules) {
            QCOMPARE(rule.type, std::string("EMail"));
            QCOMPARE(rule.condition, std::string("Equals"));
            QCOMPARE(rule.caseText, std::string("No"));
            QVERIFY(rule.check);
        }
    }
};

QTEST_GUILESS_MAIN(FilterImportTest)
#include "FilterImportTest.moc"
