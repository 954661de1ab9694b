#include "ui/StoreCommands.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/store/StoreRestore.h"
#include "ui/dialogs/StoreBackupForm.h"
#include "ui/widgets/OpenFileDialog.h"
#include "ui/widgets/ProgressWindow.h"

#include <QFileDialog>

namespace vantor::ui {

using core::uiText;

StoreCommands::StoreCommands(const core::HomeDirectory& home, const storage::TextTable& texts,
                             core::UserPrompts& prompts)
    : m_store(home)
    , m_texts(texts)
    , m_prompts(prompts)
{}

bool StoreCommands::ensureStore(QWidget* parent)
{
    if (!m_store.folder().isEmpty())
        return true;
    // Outside Windows no registry names the store: the user points at it once, and setting.ini keeps it.
    m_prompts.showError(uiText(m_texts, "Extra", "099"));
    QFileDialog dialog(parent, uiText(m_texts, "Extra", "004"));
    dialog.setObjectName(QStringLiteral("StoreFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    if (!m_store.choose(dialog.selectedFiles().constFirst())) {
        m_prompts.showError(
            core::fillPlaceholders(uiText(m_texts, "Extra", "041"), {QStringLiteral("setting.ini")}));
        return false;
    }
    return true;
}

void StoreCommands::backupEMails(QWidget* parent)
{
    if (!ensureStore(parent))
        return;
    StoreBackupForm form({m_store, m_texts, m_prompts}, parent);
    form.exec();
}

void StoreCommands::restoreEMails(QWidget* parent)
{
    if (!ensureStore(parent))
        return;
    const QString archive =
        OpenFileDialog::run(parent, QStringLiteral("SelectBackupDialog"), uiText(m_texts, "Dialog", "001"),
                            {uiText(m_texts, "Extra", "097")});
    if (archive.isEmpty())
        return;
    ProgressWindow progress(uiText(m_texts, "Menu", "030"), m_texts, parent);
    core::StoreRestore(m_store, m_texts, m_prompts).restore(archive, progress);
}

} // namespace vantor::ui
