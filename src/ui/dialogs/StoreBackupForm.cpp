#include "ui/dialogs/StoreBackupForm.h"

#include "core/program/DisplayText.h"
#include "records/StoreArchive.h"
#include "ui/widgets/ProgressWindow.h"
#include "ui/widgets/SaveFileDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

StoreBackupForm::StoreBackupForm(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_texts(services.texts)
    , m_backup(services.store, services.texts, services.prompts)
    , m_folders(m_backup.folders())
    , m_folderList(new QListWidget(this))
    , m_passwordCheck(new QCheckBox(uiText(m_texts, "Wizard", "007"), this))
    , m_passwordEdit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("StoreBackupForm"));
    setWindowTitle(uiText(m_texts, "Menu", "029"));
    auto* instruction = new QLabel(uiText(m_texts, "Wizard", "006"), this);
    instruction->setObjectName(QStringLiteral("InstructionLabel"));

    m_folderList->setObjectName(QStringLiteral("FolderList"));
    for (const core::StoreFolder& folder : m_folders) {
        auto* item = new QListWidgetItem(folder.name, m_folderList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_passwordCheck->setObjectName(QStringLiteral("PasswordCheck"));
    m_passwordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_passwordEdit->setMaxLength(static_cast<int>(records::StoreArchive::MaxPasswordLength));
    m_passwordEdit->setEnabled(false);
    connect(m_passwordCheck, &QCheckBox::toggled, m_passwordEdit, &QLineEdit::setEnabled);

    QPushButton* backupBtn = button("BackupBtn", uiText(m_texts, "Wizard", "008"));
    QPushButton* closeBtn = button("CloseBtn", uiText(m_texts, "BackupForm", "005"));
    connect(backupBtn, &QPushButton::clicked, this, &StoreBackupForm::backupBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* password = new QHBoxLayout;
    password->addWidget(m_passwordCheck);
    password->addWidget(m_passwordEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(backupBtn);
    buttons->addWidget(closeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addWidget(m_folderList, 1);
    layout->addLayout(password);
    layout->addLayout(buttons);
    resize(380, 360);
}

QPushButton* StoreBackupForm::button(const char* objectName, const QString& text)
{
    auto* result = new QPushButton(text, this);
    result->setObjectName(QString::fromLatin1(objectName));
    // Enter in the password field must not start a backup the user has not asked for yet.
    result->setAutoDefault(false);
    return result;
}

void StoreBackupForm::backupBtnClick()
{
    std::vector<core::StoreFolder> ticked;
    for (int row = 0; row < m_folderList->count(); ++row) {
        if (m_folderList->item(row)->checkState() == Qt::Checked)
            ticked.push_back(m_folders[static_cast<std::size_t>(row)]);
    }
    const bool usePassword = m_passwordCheck->isChecked();
    const QString password = usePassword ? m_passwordEdit->text() : QString();
    if (!m_backup.checkChoice(static_cast<int>(ticked.size()), usePassword, password))
        return;
    SaveFileDialog::Options options;
    options.confirmOverwrite = true;
    // So that the overwrite question names the archive that will be written, not the bare name typed.
    options.defaultSuffix = core::StoreBackup::Extension;
    const auto choice =
        SaveFileDialog::run(this, QStringLiteral("SaveBackupDialog"), uiText(m_texts, "Dialog", "005"),
                            {uiText(m_texts, "Extra", "097")}, options);
    if (!choice)
        return;
    ProgressWindow progress(windowTitle(), m_texts, this);
    if (m_backup.backup(choice->fileName, ticked, password, progress))
        accept();
}

} // namespace vantor::ui
