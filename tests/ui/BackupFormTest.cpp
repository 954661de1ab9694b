#include "ui/dialogs/BackupForm.h"

#include "ModalDialogs.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::BackupForm;

namespace {

const QByteArray Utf8Copy = "Subject: Gr\xc3\xbc\xc3\x9f""e\r\nFrom: a@example.test\r\n";
const QByteArray Windows1252Copy = "Subject: caf\xe9\r\n";
const QString Utf8Name = QStringLiteral("05122026 10:11:12 - a@example.test.vtb");
const QString Windows1252Name = QStringLiteral("06122026 08:00:00 - b@example.test.vtb");

} // namespace

class BackupFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    QString ebak(const QString& name = {}) const { return m_home.filePath(QStringLiteral("EBak/") + name); }
    std::string home() const { return m_home.path().toStdString(); }
    static void click(BackupForm& form, const char* name)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    static void choose(BackupForm& form, const QString& name)
    {
        const auto rows = form.fileList().findItems(name, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        form.fileList().setCurrentItem(rows.front());
    }

private slots:
    void init()
    {
        QDir(m_home.path()).removeRecursively();
        QVERIFY(TestFiles::write(ebak(Utf8Name), Utf8Copy));
        QVERIFY(TestFiles::write(ebak(Windows1252Name), Windows1252Copy));
        QVERIFY(TestFiles::write(ebak(QStringLiteral(".keep")), "hidden"));
        QVERIFY(QDir().mkpath(ebak(QStringLiteral("sub"))));
        m_prompts = test::ScriptedUserPrompts();
    }

    void listsTheCopiesAndShowsTheChosenOneReadable()
    {
        BackupForm form(home(), m_texts, m_prompts);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("EMail Backup"));
        QCOMPARE(form.fileList().headerItem()->text(0), QStringLiteral("Backup Files"));
        QStringList listed;
        for (int i = 0; i < form.fileList().topLevelItemCount(); ++i)
            listed.append(form.fileList().topLevelItem(i)->text(0));
        listed.sort();
        QCOMPARE(listed, (QStringList{Utf8Name, Windows1252Name}));

        choose(form, Utf8Name);
        QCOMPARE(form.viewer().toPlainText(), QStringLiteral("Subject: Gr\u00fc\u00dfe\nFrom: a@example.test\n"));
        choose(form, Windows1252Name);
        QCOMPARE(form.viewer().toPlainText(), QStringLiteral("Subject: caf\u00e9\n"));
        QVERIFY(form.viewer().isReadOnly());
    }

    void saveWritesTheShownTextWithTheChosenExtension()
    {
        BackupForm form(home(), m_texts, m_prompts);
        form.show();
        choose(form, Utf8Name);
        test::ModalDialogs dialogs;
        const QString target = m_home.filePath(QStringLiteral("saved"));
        dialogs.setAnswer(QStringLiteral("SaveEMailDialog"), test::ModalDialogs::chooseFile(target));
        click(form, "SaveBtn");
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("SaveEMailDialog")});
        // HTML comes first, so a bare name becomes .htm; the copy comes back byte for byte.
        QCOMPARE(TestFiles::read(target + QStringLiteral(".htm")), Utf8Copy);

        dialogs.setAnswer(QStringLiteral("SaveEMailDialog"), [&](QWidget& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            files.selectNameFilter(files.nameFilters().at(1));
            test::ModalDialogs::chooseFile(target + QStringLiteral(".TXT"))(dialog);
        });
        click(form, "SaveBtn");
        QCOMPARE(TestFiles::read(target + QStringLiteral(".TXT")), Utf8Copy);
        QVERIFY(!QFile::exists(target + QStringLiteral(".TXT.txt")));
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void copyingALongSelectionIsConfirmedFirst()
    {
        QVERIFY(TestFiles::write(ebak(Utf8Name), QByteArray(BackupForm::CopyWarningLength + 1, 'x')));
        BackupForm form(home(), m_texts, m_prompts);
        form.show();
        choose(form, Utf8Name);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        form.viewer().selectAll();
        m_prompts.yesNoAnswers = {false, true};
        click(form, "CopyBtn");
        QCOMPARE(m_prompts.questions,
                 QStringList{QStringLiteral("Selection exceeds buffer size and may be truncated.")});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        click(form, "CopyBtn");
        QCOMPARE(QGuiApplication::clipboard()->text().size(), BackupForm::CopyWarningLength + 1);

        // A short selection is copied without a word.
        QTextCursor cursor = form.viewer().textCursor();
        cursor.setPosition(0);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        form.viewer().setTextCursor(cursor);
        click(form, "CopyBtn");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("xxx"));
        QCOMPARE(m_prompts.questions.size(), 2);
    }

    void deleteAllRemovesTheCopiesOnlyWhenConfirmed()
    {
        BackupForm form(home(), m_texts, m_prompts);
        form.show();
        click(form, "DeleteAllBtn");
        QCOMPARE(m_prompts.questions, QStringList{QStringLiteral("Delete all emails backup?")});
        QCOMPARE(form.fileList().topLevelItemCount(), 2);

        m_prompts.yesNoAnswers = {true};
        click(form, "DeleteAllBtn");
        QCOMPARE(form.fileList().topLevelItemCount(), 0);
        // The folder stays, with what is not a copy: the hidden file and the sub-folder.
        QCOMPARE(QDir(ebak()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral(".keep"), QStringLiteral("sub")}));

        QVERIFY(QDir(ebak()).removeRecursively());
        m_prompts.questions.clear();
        click(form, "DeleteAllBtn");
        QVERIFY(m_prompts.questions.isEmpty());
    }
};

QTEST_MAIN(BackupFormTest)
#include "BackupFormTest.moc"
