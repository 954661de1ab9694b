#include "ui/pages/DbxReaderPage.h"

#include "ModalDialogs.h"
#include "records/DbxReader.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::TestFiles;
using ui::DbxReaderPage;

namespace {

const QString Samples = QStringLiteral(VANTOR_TEST_DATA "/dbx/");

QStringList folderNames(QTreeWidget& tree)
{
    QStringList names;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        names.append((*it)->text(0));
    return names;
}

QTreeWidgetItem* folder(QTreeWidget& tree, const QString& name)
{
    const auto found = tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

class DbxReaderPageTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    QString store(const QString& name = {}) const { return m_dir.filePath(QStringLiteral("store/") + name); }
    void useStore() const
    {
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("home/setting.ini")),
                                 "[DBX]\r\nStoreRoot=" + store().toUtf8() + "\r\n"));
    }
    static void copy(const QString& sample, const QString& target)
    {
        QVERIFY(TestFiles::write(target, TestFiles::read(Samples + sample)));
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("home"))));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.filePath(QStringLiteral("home")));
        // The client's own names; the page finds them whatever their letter case.
        copy(QStringLiteral("DbxOutlookExpress/Folders.dbx"), store(QStringLiteral("Folders.dbx")));
        copy(QStringLiteral("DbxOutlookExpress/Inbox.dbx"), store(QStringLiteral("Inbox.dbx")));
        copy(QStringLiteral("IPED/test_OutlookDBX.dbx"), store(QStringLiteral("Outbox.dbx")));
        m_prompts = test::ScriptedUserPrompts();
    }

    void showsTheStoreAMessageAndSavesItByteForByte()
    {
        useStore();
        DbxReaderPage page(*m_home, m_texts, m_prompts);
        page.show();
        QVERIFY(page.loadFolders(DbxReaderPage::Moment::StartUp));
        QCOMPARE(folderNames(page.folderTree()),
                 (QStringList{QStringLiteral("Outlook Express"), QStringLiteral("Local Folders"),
                              QStringLiteral("Inbox"), QStringLiteral("Outbox"), QStringLiteral("Hotmail")}));
        QCOMPARE(folder(page.folderTree(), QStringLiteral("Inbox"))->parent()->text(0),
                 QStringLiteral("Local Folders"));

        page.folderTree().setCurrentItem(folder(page.folderTree(), QStringLiteral("Inbox")));
        QCOMPARE(page.messageList().topLevelItemCount(), 1);
        QTreeWidgetItem* row = page.messageList().topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("Microsoft Outlook Express Team"));
        QCOMPARE(row->text(2), QStringLiteral("Welcome to Outlook Express 6"));
        page.messageList().setCurrentItem(row);
        QVERIFY(page.textView().toPlainText().contains(QStringLiteral("Subject: Welcome to Outlook Express 6")));

        test::ModalDialogs dialogs;
        const QString saved = m_dir.filePath(QStringLiteral("welcome"));
        dialogs.setAnswer(QStringLiteral("SaveMessageDialog"), test::ModalDialogs::chooseFile(saved));
        QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("SaveMessageBtn")), Qt::LeftButton);
        const auto stored = records::DbxReader::readDbxMessageText(store(QStringLiteral("Inbox.dbx")).toStdString(),
                                                                    row->text(4).toUInt());
        QCOMPARE(TestFiles::read(saved + QStringLiteral(".eml")), QByteArray::fromStdString(stored.bytes));

        // A folder without a file of its own empties the list and reads nothing.
        page.folderTree().setCurrentItem(folder(page.folderTree(), QStringLiteral("Hotmail")));
        QCOMPARE(page.messageList().topLevelItemCount(), 0);
        QVERIFY(page.textView().toPlainText().isEmpty());
    }

    void sortsSizesAsNumbersAndShowsEightBitTextReadable()
    {
        useStore();
        DbxReaderPage page(*m_home, m_texts, m_prompts);
        QVERIFY(page.loadFolders(DbxReaderPage::Moment::StartUp));
        page.folderTree().setCurrentItem(folder(page.folderTree(), QStringLiteral("Outbox")));
        QTreeWidget& list = page.messageList();
        QCOMPARE(list.topLevelItemCount(), 28);
        list.sortByColumn(5, Qt::AscendingOrder);
        for (int i = 1; i < list.topLevelItemCount(); ++i)
            QVERIFY(list.topLevelItem(i - 1)->text(5).toLongLong() <= list.topLevelItem(i)->text(5).toLongLong());
        // The client stores subjects in its code page.
        QVERIFY(!list.findItems(QStringLiteral("Cat\u00f3lica"), Qt::MatchContains, 2).isEmpty());
    }

    void asksForTheStoreWhenNoneIsKnownAndSaysWhenItCannotBeRead()
    {
        DbxReaderPage page(*m_home, m_texts, m_prompts);
        const QString firstHint = page.hintLabel().text();
        QVERIFY(!page.loadFolders(DbxReaderPage::Moment::StartUp));
        QCOMPARE(page.hintLabel().text(), firstHint);

        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("ChooseStoreDialog"), [this](QWidget& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            files.selectFile(store());
            files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(store());
            static_cast<QDialog&>(files).accept();
        });
        QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("UpdateBtn")), Qt::LeftButton);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("ChooseStoreDialog")});
        QCOMPARE(page.folderTree().topLevelItemCount(), 1);
        QVERIFY(TestFiles::read(m_dir.filePath(QStringLiteral("home/setting.ini"))).contains("StoreRoot="));

        // Another kind of .dbx file where the folder list should be.
        QVERIFY(QFile::remove(store(QStringLiteral("Folders.dbx"))));
        copy(QStringLiteral("DbxOutlookExpress/Offline.dbx"), store(QStringLiteral("folders.dbx")));
        QVERIFY(!page.loadFolders(DbxReaderPage::Moment::StartUp));
        QCOMPARE(page.folderTree().topLevelItemCount(), 0);
        QVERIFY(page.hintLabel().text().startsWith(QStringLiteral("Close Outlook and press Update\n")));
    }
};

QTEST_MAIN(DbxReaderPageTest)
#include "DbxReaderPageTest.moc"
