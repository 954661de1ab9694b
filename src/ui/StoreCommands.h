#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "core/store/DbxStoreRoot.h"
#include "storage/TextTable.h"

#include <QWidget>

namespace vantor::ui {

// The main menu's "Backup EMails" and "Restore EMails": both need to know where the mail client's store
// lies, and ask the user for it when nothing names it yet.
class StoreCommands
{
public:
    StoreCommands(const core::HomeDirectory& home, const storage::TextTable& texts,
                  core::UserPrompts& prompts);

    // The backup window, modally.
    void backupEMails(QWidget* parent);
    // Asks for an archive and puts its files back into the store.
    void restoreEMails(QWidget* parent);

private:
    // True when a store folder is known, after the user chose one if needed.
    bool ensureStore(QWidget* parent);

    core::DbxStoreRoot m_store;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
};

} // namespace vantor::ui
