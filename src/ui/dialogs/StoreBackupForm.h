#pragma once

#include "core/program/UserPrompts.h"
#include "core/store/DbxStoreRoot.h"
#include "core/store/StoreBackup.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <vector>

namespace vantor::ui {

// "Backup EMails": the mail client's folders to tick, an optional password, and Backup, which adds the
// ticked folders' files to an archive the user names and closes the window once they are written.
class StoreBackupForm : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        const core::DbxStoreRoot& store;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
    };

    explicit StoreBackupForm(const Services& services, QWidget* parent = nullptr);

    QListWidget& folderList() { return *m_folderList; }
    QCheckBox& passwordCheck() { return *m_passwordCheck; }
    QLineEdit& passwordEdit() { return *m_passwordEdit; }

    void backupBtnClick();

private:
    QPushButton* button(const char* objectName, const QString& text);

    const storage::TextTable& m_texts;
    core::StoreBackup m_backup;
    std::vector<core::StoreFolder> m_folders;
    QListWidget* m_folderList;
    QCheckBox* m_passwordCheck;
    QLineEdit* m_passwordEdit;
};

} // namespace vantor::ui
