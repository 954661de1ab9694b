#include "ui/dialogs/BlackListEditor.h"

#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::BlackListEditor;

class BlackListEditorTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<filter::BlackListStore> m_lists;
    storage::TextTable m_texts;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    std::unique_ptr<BlackListEditor> m_editor;

    QString listFile(const QString& name) const
    {
        return m_dir.filePath(QStringLiteral("BList/") + name + QStringLiteral(".vtl"));
    }
    void writeList(const QString& name, const QByteArray& bytes)
    {
        QVERIFY(TestFiles::write(listFile(name), bytes));
    }
    BlackListEditor& open()
    {
        m_editor =
            std::make_unique<BlackListEditor>(BlackListEditor::Services{*m_lists, m_texts, *m_prompts});
        m_editor->show();
        return *m_editor;
    }
    // As a user picking the entry from the drop-down.
    static void choose(QComboBox& box, const QString& name)
    {
        const int index = box.findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        box.setCurrentIndex(index);
        emit box.activated(index);
    }
    static QStringList entries(const QComboBox& box)
    {
        QStringList result;
        for (int i = 0; i < box.count(); ++i)
            result.append(box.itemText(i));
        result.sort();
        return result;
    }
    // Every file under the home directory, relative to it.
    QStringList filesInHome() const
    {
        QStringList result;
        QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            result.append(QDir(m_dir.path()).relativeFilePath(it.next()));
        result.sort();
        return result;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_lists = std::make_unique<filter::BlackListStore>(QFile::encodeName(m_dir.path()).toStdString());
        m_prompts = std::make_unique<test::ScriptedUserPrompts>();
        writeList(QStringLiteral("Default"), "a@spam.test\r\nspam.test\r\n");
        writeList(QStringLiteral("Spam"), "s1\r\ns2\r\ns3\r\n");
    }
    void cleanup() { m_editor.reset(); }

    void newRefusesATakenNameAndStartsFromTheTextArea()
    {
        BlackListEditor& editor = open();
        QCOMPARE(editor.windowTitle(), QStringLiteral("Black List Editor"));
        QCOMPARE(editor.listBox().currentIndex(), 0);
        QCOMPARE(editor.listMemo().toPlainText(), editor.listBox().currentText() == QStringLiteral("Spam")
                                                      ? QStringLiteral("s1\ns2\ns3")
                                                      : QStringLiteral("a@spam.test\nspam.test"));
        editor.listMemo().setPlainText(QStringLiteral("one\ntwo\n"));

        m_prompts->textAnswers = {QStringLiteral("Spam")};
        editor.newBtnClick();
        QCOMPARE(m_prompts->textPrompts, QStringList{QStringLiteral("New|Files:")});
        QCOMPARE(m_prompts->errors,
                 QStringList{QStringLiteral(
                     "Spam is name of another Black List. Cannot create new Black List with this name.")});
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Spam"))), QByteArray("s1\r\ns2\r\ns3\r\n"));

        // Cancel does nothing; blanks around a name are not part of it.
        m_prompts->textAnswers = {QString(), QStringLiteral(" Fresh ")};
        editor.newBtnClick();
        editor.newBtnClick();
        QCOMPARE(m_prompts->errors.size(), 1);
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Fresh"))), QByteArray("one\r\ntwo\r\n"));
        QCOMPARE(editor.listBox().currentText(), QStringLiteral("Fresh"));
        QCOMPARE(entries(editor.sourceBox()),
                 (QStringList{QStringLiteral("Default"), QStringLiteral("Fresh"), QStringLiteral("Spam")}));
    }

    void newRefusesNamesThatAreNotPlainFileNames()
    {
        BlackListEditor& editor = open();
        editor.listMemo().setPlainText(QStringLiteral("evil"));
        const QStringList before = filesInHome();
        const QStringList hostile{
            QStringLiteral("../escape"), QStringLiteral(".."),          QStringLiteral("sub/list"),
            QStringLiteral("a\\b"),      QStringLiteral("   "),         QStringLiteral("c:list"),
            QStringLiteral(".hidden"),   QStringLiteral("nul"),         QStringLiteral("a\tb"),
            QStringLiteral("what?"),     QString(300, QLatin1Char('x'))};
        for (const QString& name : hostile) {
            m_prompts->textAnswers = {name};
            editor.newBtnClick();
        }
        QCOMPARE(m_prompts->errors,
                 QStringList(hostile.size(), QStringLiteral("Cannot save Black List file.")));
        QCOMPARE(filesInHome(), before);
        QCOMPARE(editor.listBox().count(), 2);
    }

    void deleteRefusesDefaultAndAsksForTheOthers()
    {
        BlackListEditor& editor = open();
        // Nothing chosen, as after a delete: nothing to delete, nothing asked.
        editor.listBox().setCurrentIndex(-1);
        editor.deleteBtnClick();
        QVERIFY(m_prompts->questions.isEmpty() && m_prompts->errors.isEmpty());

        choose(editor.listBox(), QStringLiteral("Default"));
        editor.deleteBtnClick();
        QCOMPARE(m_prompts->errors, QStringList{QStringLiteral("Cannot delete Default Black List file.")});
        QVERIFY(m_prompts->questions.isEmpty());
        QVERIFY(QFile::exists(listFile(QStringLiteral("Default"))));

        choose(editor.listBox(), QStringLiteral("Spam"));
        choose(editor.sourceBox(), QStringLiteral("Spam"));
        m_prompts->yesNoAnswers = {false, true};
        editor.deleteBtnClick();
        QCOMPARE(m_prompts->questions, QStringList{QStringLiteral("Delete Black List?")});
        QVERIFY(QFile::exists(listFile(QStringLiteral("Spam"))));
        editor.deleteBtnClick();
        QVERIFY(!QFile::exists(listFile(QStringLiteral("Spam"))));
        QCOMPARE(entries(editor.listBox()), QStringList{QStringLiteral("Default")});
        QCOMPARE(entries(editor.sourceBox()), QStringList{QStringLiteral("Default")});
        QVERIFY(editor.listMemo().toPlainText().isEmpty());
        QCOMPARE(editor.sourceList().count(), 0);
    }

    void cleanAndOkLeaveTheFileSaveReplacesIt()
    {
        BlackListEditor& editor = open();
        choose(editor.listBox(), QStringLiteral("Default"));
        QCOMPARE(editor.listMemo().toPlainText(), QStringLiteral("a@spam.test\nspam.test"));

        m_prompts->yesNoAnswers = {false, true};
        editor.cleanBtnClick();
        QVERIFY(!editor.listMemo().toPlainText().isEmpty());
        editor.cleanBtnClick();
        QVERIFY(editor.listMemo().toPlainText().isEmpty());
        QCOMPARE(m_prompts->questions.constLast(), QStringLiteral("Clear Black List?"));
        editor.okBtnClick();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Default"))),
                 QByteArray("a@spam.test\r\nspam.test\r\n"));

        open();
        choose(m_editor->listBox(), QStringLiteral("Spam"));
        m_editor->listMemo().setPlainText(QStringLiteral("s1\n\nnew@spam.test"));
        m_prompts->yesNoAnswers = {false, true};
        m_editor->saveBtnClick();
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Spam"))), QByteArray("s1\r\ns2\r\ns3\r\n"));
        m_editor->saveBtnClick();
        QCOMPARE(m_prompts->questions.constLast(), QStringLiteral("Save Black List?"));
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Spam"))),
                 QByteArray("s1\r\n\r\nnew@spam.test\r\n"));
    }

    void addCopiesTheSelectedSourceLinesInListOrder()
    {
        BlackListEditor& editor = open();
        choose(editor.listBox(), QStringLiteral("Default"));
        choose(editor.sourceBox(), QStringLiteral("Spam"));
        QCOMPARE(editor.sourceList().count(), 3);
        editor.sourceList().item(2)->setSelected(true);
        editor.sourceList().item(0)->setSelected(true);
        editor.addBtnClick();
        QCOMPARE(editor.listMemo().toPlainText(), QStringLiteral("a@spam.test\nspam.test\ns1\ns3"));
        QCOMPARE(TestFiles::read(listFile(QStringLiteral("Default"))),
                 QByteArray("a@spam.test\r\nspam.test\r\n"));
    }

    void aListThatCannotBeReadLeavesTheTextAreaAlone()
    {
        // Listed (any file counts), but there is no notes.vtl behind the name.
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("BList/notes.txt")), "x\r\n"));
        BlackListEditor& editor = open();
        choose(editor.listBox(), QStringLiteral("Default"));
        choose(editor.listBox(), QStringLiteral("notes"));
        QCOMPARE(editor.statusLabel().text(), QStringLiteral("Cannot read BlackList!!!"));
        QCOMPARE(editor.listMemo().toPlainText(), QStringLiteral("a@spam.test\nspam.test"));
        choose(editor.listBox(), QStringLiteral("Spam"));
        QVERIFY(editor.statusLabel().text().isEmpty());
    }
};

QTEST_MAIN(BlackListEditorTest)
#include "BlackListEditorTest.moc"
