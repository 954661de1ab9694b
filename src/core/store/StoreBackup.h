#pragma once

#include "core/program/UserPrompts.h"
#include "core/store/DbxStoreRoot.h"
#include "core/store/StoreProgress.h"
#include "storage/TextTable.h"

#include <QString>

#include <vector>

namespace vantor::core {

// One folder of the mail client that can be backed up.
struct StoreFolder
{
    QString name;
    // The folder's own file in the store ("Inbox.dbx").
    QString fileName;
};

// "Backup EMails" without its window: which folders are offered, the checks of the choice, and the archive
// written with the comment that marks it as ours.
class StoreBackup
{
public:
    inline static const QString Comment = QStringLiteral("EMail Vantor Backup - Outlook Express");
    inline static const QString Extension = QStringLiteral("oeb");

    StoreBackup(const DbxStoreRoot& store, const storage::TextTable& texts, UserPrompts& prompts);

    // The folders of folders.dbx from the third record on (the first two are the store itself and its
    // top folder), those with a file of their own; empty when the folder list cannot be read.
    std::vector<StoreFolder> folders() const;

    // Whether the window's choice can be backed up; shows the reason and returns false when not.
    bool checkChoice(int tickedCount, bool usePassword, const QString& password) const;

    // Adds the folders' files to archive (".oeb" added unless the name ends so), keeping what the archive
    // already holds; password empty for none. True when written; false after an error was shown or when
    // the user cancelled, and then the archive is as it was.
    bool backup(const QString& archive, const std::vector<StoreFolder>& folders, const QString& password,
                StoreProgress& progress) const;

private:
    const DbxStoreRoot& m_store;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
};

} // namespace vantor::core
