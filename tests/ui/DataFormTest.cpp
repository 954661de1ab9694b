#include "ui/dialogs/DataForm.h"

#include "ModalDialogs.h"
#include "records/DeletedDatabase.h"
#include "records/DelimitedTable.h"
#include "records/TextExporter.h"
#include "storage/ErrorLog.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/widgets/TablePrinter.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::ModalDialogs;
using test::TestFiles;
using ui::DataForm;

namespace {

const QByteArray Header = "EMail,Subject,Account,Date/Time";

// Three records out of every order: by sender (letter case mixed), by date and by file position.
const QList<QByteArray> Records{
    "zed@spam.example,\"Cheap meds, no prescription\",Home,02/01/2026 09:00:00",
    "Anna@spam.example,Your invoice,Work,01/02/2025 10:30:00",
    "bob@spam.example,Caf\xc3\xa9 offer,Home,15/03/2026 18:45:10",
};

QByteArray databaseOf(const QList<QByteArray>& records)
{
    QByteArray file = Header + "\r\n";
    for (const QByteArray& record : records)
        file += record + "\r\n";
    return file;
}

// The shown column of every row, top to bottom.
QStringList column(QTableView& grid, int column)
{
    QStringList values;
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        values.append(grid.model()->index(row, column).data().toString());
    return values;
}

// Answers a save dialog with a file type and a name, as a user picking both would.
ModalDialogs::Answer chooseTypeAndFile(int filter, const QString& path)
{
    return [filter, path](QWidget& widget) {
        auto& dialog = static_cast<QFileDialog&>(widget);
        dialog.selectNameFilter(dialog.nameFilters().at(filter));
        ModalDialogs::chooseFile(path)(widget);
    };
}

QString htmlUnescaped(QString text)
{
    return text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

} // namespace

class DataFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    QString path(const char* name) const { return m_home.filePath(QString::fromLatin1(name)); }
    QString database() const { return path("backup.bak"); }
    std::string homeDir() const { return QFile::encodeName(m_home.path()).toStdString(); }
    static void click(DataForm& form, const char* button)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    static void sortBy(DataForm& form, int column)
    {
        QHeaderView* header = form.grid().horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }

private slots:
    void init()
    {
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_home.path()));
        m_prompts = test::ScriptedUserPrompts();
    }

    void showsTheRecordsReadOnlyAndSortsByAClickOnATitle()
    {
        QVERIFY(TestFiles::write(database(), databaseOf(Records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("EMails Delete Database"));
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("SavePdfBtn"))->text(),
                 QStringLiteral("Save as PDF"));
        QTableView& grid = form.grid();
        QCOMPARE(grid.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Date/Time"));
        // The file's order first, the quoted subject without its quotes, UTF-8 decoded.
        QCOMPARE(column(grid, 0),
                 (QStringList{QStringLiteral("zed@spam.example"), QStringLiteral("Anna@spam.example"),
                              QStringLiteral("bob@spam.example")}));
        QCOMPARE(column(grid, 1).at(0), QStringLiteral("Cheap meds, no prescription"));
        QCOMPARE(column(grid, 1).at(2), QStringLiteral("Caf\u00e9 offer"));

        // The chosen record stays chosen through every sort.
        grid.setCurrentIndex(grid.model()->index(2, 0));
        sortBy(form, 0);
        QCOMPARE(column(grid, 0),
                 (QStringList{QStringLiteral("Anna@spam.example"), QStringLiteral("bob@spam.example"),
                              QStringLiteral("zed@spam.example")}));
        // Dates by time, not by the day of the month that leads the text.
        sortBy(form, 3);
        QCOMPARE(column(grid, 3),
                 (QStringList{QStringLiteral("01/02/2025 10:30:00"), QStringLiteral("02/01/2026 09:00:00"),
                              QStringLiteral("15/03/2026 18:45:10")}));

        sortBy(form, 3);
        QCOMPARE(column(grid, 3).first(), QStringLiteral("15/03/2026 18:45:10"));
        QCOMPARE(grid.currentIndex().data().toString(), QStringLiteral("bob@spam.example"));

        // Typing edits nothing and moves nowhere.
        grid.setCurrentIndex(grid.model()->index(1, 0));
        QTest::keyClicks(&grid, QStringLiteral("zed"));
        QTest::keyClick(&grid, Qt::Key_F2);
        QCOMPARE(grid.currentIndex().row(), 1);
        QCOMPARE(column(grid, 0).at(1), QStringLiteral("zed@spam.example"));
        QVERIFY(form.isVisible());
    }

    void aMissingDatabaseIsCreatedAndAnUnusableOneLeavesTheGridEmpty()
    {
        {
            DataForm form(homeDir(), m_texts, m_prompts);
            form.show();
            QCOMPARE(form.grid().model()->rowCount(), 0);
            QCOMPARE(form.grid().model()->columnCount(), 4);
        }
        QCOMPARE(TestFiles::read(database()), Header);

        QVERIFY(QFile::remove(database()));
        QVERIFY(QDir().mkpath(database()));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        QCOMPARE(form.grid().model()->rowCount(), 0);
        ModalDialogs dialogs;
        for (const char* button : {"ExportBtn", "PrintBtn", "PreviewBtn", "SavePdfBtn"})
            click(form, button);
        QCOMPARE(m_prompts.errors, QStringList(4, QStringLiteral("Dataset is not active")));
        QVERIFY(dialogs.seen().isEmpty());
    }

    void deleteRemovesTheChosenRecordWhenTheWindowCloses()
    {
        QVERIFY(TestFiles::write(database(), databaseOf(Records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        sortBy(form, 0);
        // Sorted, row 1 is bob: the third record of the file.
        form.grid().setCurrentIndex(form.grid().model()->index(1, 2));
        m_prompts.yesNoAnswers = {false};
        click(form, "DeleteBtn");
        QCOMPARE(form.grid().model()->rowCount(), 3);
        m_prompts.yesNoAnswers = {true};
        click(form, "DeleteBtn");
        QCOMPARE(m_prompts.questions,
                 QStringList(2, QStringLiteral("Delete selected record from database?")));
        QCOMPARE(column(form.grid(), 0),
                 (QStringList{QStringLiteral("Anna@spam.example"), QStringLiteral("zed@spam.example")}));
        // The record that followed is the current one now.
        QCOMPARE(form.grid().currentIndex().row(), 1);
        QCOMPARE(TestFiles::read(database()), databaseOf(Records));

        // A check that ends while the window is open appends its record; closing keeps it.
        storage::ErrorLog errorLog(homeDir());
        records::DeletedDatabase::update(
            homeDir(), {{"late@spam.example", 5, {"Late", "Home", "16/03/2026 08:00:00"}}}, errorLog);
        click(form, "CloseBtn");
        QVERIFY(!form.isVisible());
        QCOMPARE(TestFiles::read(database()),
                 databaseOf({Records[0], Records[1], "late@spam.example,Late,Home,16/03/2026 08:00:00"}));
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void deleteAllLeavesOnlyTheHeader()
    {
        QVERIFY(TestFiles::write(database(), databaseOf(Records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        // A pending deletion first: Delete All must not bring anything back at close.
        m_prompts.yesNoAnswers = {true, false, true};
        click(form, "DeleteBtn");
        click(form, "DeleteAllBtn");
        QCOMPARE(form.grid().model()->rowCount(), 2);
        click(form, "DeleteAllBtn");
        QCOMPARE(m_prompts.questions.last(), QStringLiteral("Delete emails information from database?"));
        QCOMPARE(form.grid().model()->rowCount(), 0);
        QCOMPARE(TestFiles::read(database()), Header);
        click(form, "CloseBtn");
        QCOMPARE(TestFiles::read(database()), Header);
    }

    void exportsTextAndHtmlThatReadBackToTheRecords()
    {
        QVERIFY(TestFiles::write(database(),
                                 databaseOf(Records + QList<QByteArray>{"x@y.example,<b>&bold</b>"})));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        ModalDialogs dialogs;
        // HTML is the type offered first; the extension follows the type chosen.
        dialogs.setAnswer(QStringLiteral("ExportDialog"), ModalDialogs::chooseFile(path("export")));
        click(form, "ExportBtn");
        dialogs.setAnswer(QStringLiteral("ExportDialog"), chooseTypeAndFile(0, path("export")));
        click(form, "ExportBtn");
        QCOMPARE(dialogs.seen(), QStringList(2, QStringLiteral("ExportDialog")));
        QVERIFY(m_prompts.errors.isEmpty());

        records::DelimitedTable table(database().toStdString());
        table.open();
        QCOMPARE(TestFiles::read(path("export.txt")).toStdString(), records::TextExporter(&table).text());

        const QString html = QString::fromUtf8(TestFiles::read(path("export.htm")));
        QStringList cells;
        static const QRegularExpression Cell(QStringLiteral("<td nowrap  >(.*) </td>"));
        for (const auto& match : Cell.globalMatch(html))
            cells.append(htmlUnescaped(match.captured(1)));
        QStringList expected;
        for (std::size_t row = 0; row < table.recordCount(); ++row) {
            for (const std::string& value : table.record(row))
                expected.append(value.empty() ? QStringLiteral("&nbsp") : QString::fromStdString(value));
        }
        QCOMPARE(cells, expected);
        QVERIFY(cells.contains(QStringLiteral("<b>&bold</b>")));
    }

    void savesThePrintedPagesAsPdf()
    {
        const QString pdfToText = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfToText.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QList<QByteArray> records;
        for (int i = 0; i < 150; ++i)
            records.append("sender" + QByteArray::number(i) + "@spam.example,Offer number " +
                           QByteArray::number(i) + ",Home,08/12/2026 14:05:33");
        records[77] = "known@spam.example,The one we look for,Work,24/12/2026 23:59:58";
        // One subject far wider than the paper must not push the columns after it off the page.
        records[10] = "long@spam.example," + QByteArray(300, 'W') + ",Home,31/12/2026 11:11:11";
        QVERIFY(TestFiles::write(database(), databaseOf(records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("SavePdfDialog"), ModalDialogs::chooseFile(path("printed")));
        click(form, "SavePdfBtn");
        QVERIFY(m_prompts.errors.isEmpty());
        QVERIFY(QFile::exists(path("printed.pdf")));
        if (const QString shots = qEnvironmentVariable("VANTOR_SCREENSHOTS"); !shots.isEmpty())
            QFile::copy(path("printed.pdf"), shots + QStringLiteral("/DataForm.pdf"));

        QProcess process;
        process.start(pdfToText, {QStringLiteral("-layout"), path("printed.pdf"), QStringLiteral("-")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QStringList pages = text.split(QLatin1Char('\f'));
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        QVERIFY2(pages.size() > 1, qPrintable(QString::number(pages.size())));
        for (const QString& page : pages) {
            QVERIFY(page.contains(ui::TablePrinter::title()));
            QVERIFY(page.contains(QStringLiteral("Subject")));
        }
        QVERIFY(text.contains(QRegularExpression(
            QStringLiteral("known@spam\\.example\\s+The one we look for\\s+Work\\s+24/12/2026 23:59:58"))));
        QVERIFY(text.contains(QStringLiteral("31/12/2026 11:11:11")));
        // Every record printed once, across the pages.
        QCOMPARE(text.count(QStringLiteral("@spam.example")), 150);
    }

    void printAndPreviewOpenTheirDialogs()
    {
        QVERIFY(TestFiles::write(database(), databaseOf(Records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        ModalDialogs dialogs;
        click(form, "PrintBtn");
        click(form, "PreviewBtn");
        QCOMPARE(dialogs.seen(),
                 (QStringList{QStringLiteral("PrintDialog"), QStringLiteral("PreviewDialog")}));
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void screenshot()
    {
        const QString target = qEnvironmentVariable("VANTOR_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("VANTOR_SCREENSHOTS names no directory");
        QVERIFY(TestFiles::write(database(), databaseOf(Records)));
        DataForm form(homeDir(), m_texts, m_prompts);
        form.show();
        QVERIFY(form.grab().save(target + QStringLiteral("/DataForm.png")));
    }
};

QTEST_MAIN(DataFormTest)
#include "DataFormTest.moc"
