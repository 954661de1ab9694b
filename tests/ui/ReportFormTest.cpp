#include "ui/dialogs/ReportForm.h"

#include "ModalDialogs.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::ReportForm;

namespace {

const std::vector<std::string> Lines{"14:05:33 - Start", "14:05:34 - Connecting to pop.example.test",
                                     "14:05:35 - Filtering email from caf\xc3\xa9@example.test"};

} // namespace

class ReportFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    void clickSave(ReportForm& form)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("SaveBtn")), Qt::LeftButton);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_prompts.errors.clear();
    }

    void showsTheLinesReadOnlyWithTheCaptions()
    {
        ReportForm form(Lines, m_texts, m_prompts);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Last Report"));
        QCOMPARE(form.reportMemo().toPlainText(),
                 QStringLiteral("14:05:33 - Start\n14:05:34 - Connecting to pop.example.test\n"
                                "14:05:35 - Filtering email from caf\u00e9@example.test"));
        QTest::keyClicks(&form.reportMemo(), QStringLiteral("typed"));
        QVERIFY(!form.reportMemo().toPlainText().contains(QStringLiteral("typed")));
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("SaveBtn"))->text(), QStringLiteral("Save"));
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->text(), QStringLiteral("Close"));
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    void anEmptyReportShowsAnEmptyBox()
    {
        ReportForm form({}, m_texts, m_prompts);
        QVERIFY(form.reportMemo().toPlainText().isEmpty());
    }

    void saveAddsTheExtensionUnlessItIsThere()
    {
        ReportForm form(Lines, m_texts, m_prompts);
        form.show();
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("SaveReportDialog"), test::ModalDialogs::chooseFile(path("report")));
        clickSave(form);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("SaveReportDialog")});
        QCOMPARE(TestFiles::read(path("report.txt")).replace("\r\n", "\n"),
                 QByteArray("14:05:33 - Start\n14:05:34 - Connecting to pop.example.test\n"
                            "14:05:35 - Filtering email from caf\xc3\xa9@example.test\n"));

        QVERIFY(
            TestFiles::write(path("REPORT.TXT"), "an older report that is longer than this one, by far\n"));
        dialogs.setAnswer(QStringLiteral("SaveReportDialog"),
                          test::ModalDialogs::chooseFile(path("REPORT.TXT")));
        clickSave(form);
        QVERIFY(TestFiles::read(path("REPORT.TXT")).startsWith("14:05:33 - Start"));
        QVERIFY(!QFile::exists(path("REPORT.TXT.txt")));
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void aFailedWriteIsReportedAndTheWindowStays()
    {
        ReportForm form(Lines, m_texts, m_prompts);
        form.show();
        test::ModalDialogs dialogs;
        // The name gets ".txt", and that is a directory: the file cannot be written.
        QVERIFY(QDir().mkpath(path("report.txt")));
        dialogs.setAnswer(QStringLiteral("SaveReportDialog"), test::ModalDialogs::chooseFile(path("report")));
        clickSave(form);
        QCOMPARE(m_prompts.errors.size(), 1);
        QVERIFY(m_prompts.errors.front().startsWith(QStringLiteral("File error.")));
        QVERIFY(form.isVisible());
    }

    void cancellingTheSaveDialogWritesNothing()
    {
        ReportForm form(Lines, m_texts, m_prompts);
        form.show();
        test::ModalDialogs dialogs;
        clickSave(form);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("SaveReportDialog")});
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
    }

    void screenshot()
    {
        const QString target = qEnvironmentVariable("VANTOR_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("VANTOR_SCREENSHOTS names no directory");
        ReportForm form(Lines, m_texts, m_prompts);
        form.show();
        QVERIFY(form.grab().save(target + QStringLiteral("/ReportForm.png")));
    }
};

QTEST_MAIN(ReportFormTest)
#include "ReportFormTest.moc"
