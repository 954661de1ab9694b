#include "core/program/HelpManual.h"

#include "RecordingShellOpen.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::HelpManual;
using core::SharedFiles;
using test::TestFiles;

class HelpManualTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;
    test::RecordingShellOpen m_shell;

    QString path(const char* relative) const { return m_dir.filePath(QString::fromLatin1(relative)); }

private slots:
    void init()
    {
        m_shell.openedUrls.clear();
        m_prompts.errors.clear();
    }

    void shippedFilesAreFoundBesideTheProgramBeforeItsPrefix()
    {
        const QString page = QStringLiteral("manual/index.html");
        const SharedFiles files(path("prefix/bin"));
        QVERIFY(files.find(page).isEmpty());
        QVERIFY(TestFiles::write(path("prefix/share/emailvantor/manual/index.html"), "installed"));
        QCOMPARE(files.find(page), path("prefix/share/emailvantor/manual/index.html"));
        QVERIFY(TestFiles::write(path("prefix/bin/manual/index.html"), "portable"));
        QCOMPARE(files.find(page), path("prefix/bin/manual/index.html"));
        // Folders are found the same way: the language files are looked up as one.
        QCOMPARE(files.find(QStringLiteral("manual")), path("prefix/bin/manual"));
    }

    void everyHelpContextOpensAnAnchorOfItsPage()
    {
        // The manual as it is shipped: its pages in doc/manual of the sources.
        const SharedFiles files(QStringLiteral(VANTOR_DOC_DIR));
        const HelpManual manual(files, m_texts, m_prompts, m_shell);
        for (const auto context : {HelpManual::Context::MainWindow, HelpManual::Context::AccountManager}) {
            manual.open(context);
            const QUrl url = m_shell.openedUrls.last();
            QVERIFY(url.isLocalFile());
            QCOMPARE(url.fragment(), QStringLiteral("context-%1").arg(static_cast<int>(context)));
            const QByteArray page = TestFiles::read(url.toLocalFile());
            QVERIFY2(page.contains("id=\"" + url.fragment().toUtf8() + "\""), qPrintable(url.toString()));
        }
        QCOMPARE(m_shell.openedUrls.size(), 2);
        QVERIFY(m_shell.openedUrls[0].path() != m_shell.openedUrls[1].path());
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void aMissingManualIsToldInTheProgramsText()
    {
        const SharedFiles files(m_dir.path());
        const HelpManual manual(files, m_texts, m_prompts, m_shell);
        QVERIFY(manual.url(HelpManual::Context::MainWindow).isEmpty());
        manual.open(HelpManual::Context::AccountManager);
        QCOMPARE(m_prompts.errors, QStringList{QStringLiteral("Cannot find VTHELP.HLP")});
        QVERIFY(m_shell.openedUrls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(HelpManualTest)
#include "HelpManualTest.moc"
