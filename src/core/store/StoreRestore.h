#pragma once

#include "core/program/UserPrompts.h"
#include "core/store/DbxStoreRoot.h"
#include "core/store/StoreProgress.h"
#include "storage/TextTable.h"

#include <QString>
#include <QStringList>

namespace vantor::core {

// "Restore EMails" without its windows: puts the files of a backup archive back into the store folder,
// asking before it replaces a file, for the password of an encrypted file and about a damaged one.
class StoreRestore
{
public:
    struct Outcome
    {
        // The files written, by their name in the store.
        QStringList restored;
        bool isCancelled = false;
    };

    StoreRestore(const DbxStoreRoot& store, const storage::TextTable& texts, UserPrompts& prompts);

    // Accepts archives without a comment and the program's own backups; anything else, an archive with an
    // entry that would land outside the store folder included, is refused before a file is written.
    Outcome restore(const QString& archive, StoreProgress& progress) const;

private:
    QString text(const char* key) const;
    QString targetName(const QString& entryName) const;

    const DbxStoreRoot& m_store;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
};

} // namespace vantor::core
