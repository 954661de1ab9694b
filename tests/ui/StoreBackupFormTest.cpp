#include "ui/dialogs/StoreBackupForm.h"

#include "ModalDialogs.h"
#include "core/store/StoreRestore.h"
#include "records/StoreArchive.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/StoreCommands.h"
#include "ui/widgets/ProgressWindow.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace vantor;
using test::TestFiles;
using Choice = core::UserPrompts::Choice;
using records::StoreArchive;

namespace {

const QString DbxData = QStringLiteral(VANTOR_TEST_DATA "/dbx/");

// Counts the reports and can ask to stop, as the Cancel button of the progress window does.
struct RecordedProgress : core::StoreProgress
{
    int reports = 0;
    bool isStopping = false;
    bool report(const QString&, double) override
    {
        ++reports;
        return !isStopping;
    }
    void pause() override {}
    void finish() override {}
};

std::filesystem::path native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void setModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class StoreBackupFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    std::unique_ptr<core::DbxStoreRoot> m_store;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QString path(const char* relative) const { return path(QString::fromUtf8(relative)); }
    // A store folder of the mail client with its folder list and two folder files, made the known store.
    void makeStore(const QString& name)
    {
        QVERIFY(QDir().mkpath(path(name)));
        QVERIFY(QFile::copy(DbxData + QStringLiteral("DbxOutlookExpress/Folders.dbx"),
                            path(name + QStringLiteral("/Folders.dbx"))));
        QVERIFY(QFile::copy(DbxData + QStringLiteral("DbxOutlookExpress/Inbox.dbx"),
                            path(name + QStringLiteral("/Inbox.dbx"))));
        QVERIFY(QFile::copy(DbxData + QStringLiteral("Mail-Transport-Dbx/test.dbx"),
                            path(name + QStringLiteral("/Outbox.dbx"))));
        QVERIFY(m_store->choose(path(name)));
    }
    core::StoreRestore::Outcome restore(const QString& archive, const QString& intoStore)
    {
        m_store->choose(path(intoStore));
        RecordedProgress progress;
        return core::StoreRestore(*m_store, m_texts, m_prompts).restore(archive, progress);
    }
    static void click(QWidget& form, const char* name)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_store = std::make_unique<core::DbxStoreRoot>(*m_home);
        m_prompts = test::ScriptedUserPrompts();
        makeStore(QStringLiteral("store"));
    }

    void theWindowOffersTheFoldersWithFilesAndChecksTheChoice()
    {
        ui::StoreBackupForm form({*m_store, m_texts, m_prompts});
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Backup EMails"));
        // "Outlook Express" and "Local Folders" are the store itself; "Hotmail" has no file to back up.
        QCOMPARE(form.folderList().count(), 2);
        QCOMPARE(form.folderList().item(0)->text(), QStringLiteral("Inbox"));
        QCOMPARE(form.folderList().item(1)->text(), QStringLiteral("Outbox"));

        test::ModalDialogs dialogs;
        click(form, "BackupBtn");
        form.folderList().item(1)->setCheckState(Qt::Checked);
        form.passwordCheck().setChecked(true);
        click(form, "BackupBtn");
        QCOMPARE(m_prompts.errors, (QStringList{QStringLiteral("You must select some items."),
                                                QStringLiteral("You must insert password.")}));
        QVERIFY(dialogs.seen().isEmpty());

        // The field takes 80 characters; the rule behind it refuses an 81st however the text arrives.
        form.passwordEdit().setText(QString(81, QLatin1Char('p')));
        QCOMPARE(form.passwordEdit().text().size(), 80);
        m_prompts.errors.clear();
        QVERIFY(
            !core::StoreBackup(*m_store, m_texts, m_prompts).checkChoice(1, true, QString(81, QChar(0xe4))));
        QCOMPARE(m_prompts.errors, QStringList{QStringLiteral("Passwords must be 80 characters or less.")});
        QVERIFY(QDir(m_dir.path()).entryList({QStringLiteral("*.oeb")}).isEmpty());
    }

    void backupWithPasswordRestoresIntoAnEmptyStoreOnlyWithThatPassword()
    {
        ui::StoreBackupForm form({*m_store, m_texts, m_prompts});
        form.show();
        form.folderList().item(0)->setCheckState(Qt::Checked);
        form.folderList().item(1)->setCheckState(Qt::Checked);
        form.passwordCheck().setChecked(true);
        QTest::keyClicks(&form.passwordEdit(), QStringLiteral("geheim"));
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("SaveBackupDialog"), test::ModalDialogs::chooseFile(path("mail")));
        dialogs.setAnswer(QStringLiteral("ProgressWindow"), {});
        click(form, "BackupBtn");
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(dialogs.seen().value(0), QStringLiteral("SaveBackupDialog"));

        const QString archive = path("mail.oeb");
        const auto contents = StoreArchive(native(archive)).read();
        QCOMPARE(contents.status, StoreArchive::Status::Ok);
        QCOMPARE(contents.comment, std::string("EMail Vantor Backup - Outlook Express"));
        QCOMPARE(contents.entries.size(), std::size_t(2));
        QCOMPARE(contents.entries[0].name, std::string("Inbox.dbx"));
        QVERIFY(contents.entries[0].isEncrypted && contents.entries[1].isEncrypted);

        // A wrong password is asked again; an empty answer gives the file up. Nothing is written.
        QVERIFY(QDir().mkpath(path("empty")));
        m_prompts.passwordAnswers = {QStringLiteral("wrong")};
        QVERIFY(restore(archive, QStringLiteral("empty")).restored.isEmpty());
        QCOMPARE(m_prompts.passwordPrompts.size(), 3);
        QVERIFY(m_prompts.passwordPrompts.at(0).endsWith(
            QStringLiteral("|A new password is required for Inbox.dbx")));
        QVERIFY(filesIn(path("empty")).isEmpty());

        // The right password, once typed, opens the second file as well.
        m_prompts.passwordPrompts.clear();
        m_prompts.passwordAnswers = {QStringLiteral("wrong"), QStringLiteral("geheim")};
        const auto outcome = restore(archive, QStringLiteral("empty"));
        QCOMPARE(outcome.restored, (QStringList{QStringLiteral("Inbox.dbx"), QStringLiteral("Outbox.dbx")}));
        QCOMPARE(m_prompts.passwordPrompts.size(), 2);
        QCOMPARE(filesIn(path("empty")),
                 (QStringList{QStringLiteral("Inbox.dbx"), QStringLiteral("Outbox.dbx")}));
        for (const QString& name : {QStringLiteral("Inbox.dbx"), QStringLiteral("Outbox.dbx")})
            QCOMPARE(TestFiles::read(path("empty/") + name), TestFiles::read(path("store/") + name));
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void overwriteQuestionsFollowTheFileTimes()
    {
        const QString archive = path("plain.oeb");
        RecordedProgress progress;
        QVERIFY(core::StoreBackup(*m_store, m_texts, m_prompts)
                    .backup(path("plain"),
                            {{QStringLiteral("Inbox"), QStringLiteral("Inbox.dbx")},
                             {QStringLiteral("Outbox"), QStringLiteral("Outbox.dbx")}},
                            QString(), progress));
        QVERIFY(progress.reports > 0);

        // Another store: an Inbox older than the backup, an Outbox (in other letter case) newer than it.
        QVERIFY(TestFiles::write(path("other/Inbox.dbx"), "old inbox"));
        QVERIFY(TestFiles::write(path("other/OUTBOX.DBX"), "new outbox"));
        setModified(path("other/Inbox.dbx"), QDateTime(QDate(2001, 5, 1), QTime(12, 0)));
        setModified(path("other/OUTBOX.DBX"), QDateTime::currentDateTime().addDays(1));

        m_prompts.choiceAnswers = {Choice::Cancel};
        QVERIFY(restore(archive, QStringLiteral("other")).isCancelled);
        QCOMPARE(TestFiles::read(path("other/Inbox.dbx")), QByteArray("old inbox"));

        m_prompts.questions.clear();
        m_prompts.choiceDefaults.clear();
        m_prompts.choiceAnswers = {Choice::Yes, Choice::No};
        const auto outcome = restore(archive, QStringLiteral("other"));
        QCOMPARE(
            m_prompts.questions,
            (QStringList{QStringLiteral("Inbox.dbx is older than the zipped file.\nOverwrite this file? ..."),
                         QStringLiteral("OUTBOX.DBX is the same age or newer than the zipped file.\n"
                                        "Do you really want to overwrite this file? ...")}));
        QCOMPARE(m_prompts.choiceDefaults, (QList<Choice>{Choice::Yes, Choice::No}));
        QCOMPARE(outcome.restored, QStringList{QStringLiteral("Inbox.dbx")});
        QCOMPARE(TestFiles::read(path("other/Inbox.dbx")), TestFiles::read(path("store/Inbox.dbx")));
        QCOMPARE(filesIn(path("other")),
                 (QStringList{QStringLiteral("Inbox.dbx"), QStringLiteral("OUTBOX.DBX")}));

        // The file just restored carries the backup's time, so a second restore finds it the same age.
        m_prompts.questions.clear();
        m_prompts.choiceAnswers = {Choice::No, Choice::No};
        restore(archive, QStringLiteral("other"));
        QVERIFY(
            m_prompts.questions.value(0).startsWith(QStringLiteral("Inbox.dbx is the same age or newer")));
    }

    void cancelInTheProgressWindowLeavesTheArchiveAsItWas()
    {
        const std::vector<core::StoreFolder> inbox = {{QStringLiteral("Inbox"), QStringLiteral("Inbox.dbx")}};
        core::StoreBackup backup(*m_store, m_texts, m_prompts);
        RecordedProgress quiet;
        QVERIFY(backup.backup(path("kept.oeb"), inbox, QString(), quiet));
        const QByteArray before = TestFiles::read(path("kept.oeb"));

        ui::ProgressWindow progress(QStringLiteral("Backup EMails"), m_texts, nullptr);
        progress.dialog().cancel();
        QVERIFY(!backup.backup(path("kept.oeb"), {{QStringLiteral("Outbox"), QStringLiteral("Outbox.dbx")}},
                               QStringLiteral("pw"), progress));
        QVERIFY(!backup.backup(path("new.oeb"), inbox, QString(), progress));
        QCOMPARE(TestFiles::read(path("kept.oeb")), before);
        QVERIFY(!QFile::exists(path("new.oeb")));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*.oeb*")}),
                 QStringList{QStringLiteral("kept.oeb")});
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void archivesNotMadeAsBackupsAreRefusedBeforeAnythingIsWritten()
    {
        // Another program's comment, and an entry that climbs out of the store.
        QVERIFY(StoreArchive(native(path("foreign.oeb")))
                    .add({native(path("store/Inbox.dbx"))}, "Made by something else", "") ==
                StoreArchive::Status::Ok);
        int error = 0;
        zip_t* zip = zip_open(native(path("climb.oeb")).c_str(), ZIP_CREATE, &error);
        QVERIFY(zip);
        static const char payload[] = "outside";
        zip_file_add(zip, "../x.dbx", zip_source_buffer(zip, payload, sizeof payload - 1, 0), 0);
        QCOMPARE(zip_close(zip), 0);
        QVERIFY(TestFiles::write(path("text.oeb"), "no archive"));

        QVERIFY(QDir().mkpath(path("empty")));
        for (const char* name : {"foreign.oeb", "climb.oeb"}) {
            restore(path(QString::fromLatin1(name)), QStringLiteral("empty"));
            QCOMPARE(m_prompts.errors.takeFirst(),
                     path(QString::fromLatin1(name)) +
                         QStringLiteral(" is not a backup of mail folders made by EMail Vantor."));
        }
        restore(path("text.oeb"), QStringLiteral("empty"));
        QCOMPARE(m_prompts.errors.takeFirst(),
                 path("text.oeb") + QStringLiteral("\nis not a valid Zip file."));
        QVERIFY(filesIn(path("empty")).isEmpty());
        QVERIFY(!QFile::exists(path("x.dbx")));
    }

    void theCommandsAskForTheStoreWhenNoneIsKnown()
    {
        QVERIFY(m_store->choose(QString()));
        ui::StoreCommands commands(*m_home, m_texts, m_prompts);
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("StoreFolderDialog"), test::ModalDialogs::chooseFile(path("store")));
        commands.backupEMails(nullptr);
        QCOMPARE(m_prompts.errors,
                 QStringList{QStringLiteral(
                     "No folder of the mail client is known. Choose the folder that holds folders.dbx.")});
        QCOMPARE(dialogs.seen(),
                 (QStringList{QStringLiteral("StoreFolderDialog"), QStringLiteral("StoreBackupForm")}));
        QCOMPARE(QDir(m_store->folder()).canonicalPath(), QDir(path("store")).canonicalPath());
    }
};

QTEST_MAIN(StoreBackupFormTest)
#include "StoreBackupFormTest.moc"
