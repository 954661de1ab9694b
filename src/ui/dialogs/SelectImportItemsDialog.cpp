#include "ui/dialogs/SelectImportItemsDialog.h"

#include "core/filters/FilterImport.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "ui/widgets/OpenFileDialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

namespace {

QString problemText(records::VCardFile::Problem problem, const storage::TextTable& texts)
{
    switch (problem) {
    case records::VCardFile::Problem::TooLarge:
        return uiText(texts, "Extra", "065");
    case records::VCardFile::Problem::NoCards:
        return uiText(texts, "Extra", "064");
    case records::VCardFile::Problem::Unreadable:
    case records::VCardFile::Problem::None:
        break;
    }
    return uiText(texts, "Extra", "063");
}

} // namespace

SelectImportItemsDialog::SelectImportItemsDialog(std::vector<records::VCardContact> contacts,
                                                 const storage::TextTable& texts, QWidget* parent)
    : QDialog(parent)
    , m_contacts(std::move(contacts))
    , m_texts(texts)
    , m_contactList(new QListWidget(this))
    , m_selectAllBtn(new QPushButton(uiText(texts, "ImportForm", "003"), this))
    , m_importBtn(new QPushButton(uiText(texts, "ImportForm", "004"), this))
    , m_closeBtn(new QPushButton(uiText(texts, "ImportForm", "005"), this))
{
    setObjectName(QStringLiteral("SelectImportItems"));
    setWindowTitle(uiText(texts, "ImportForm", "001"));
    m_contactList->setObjectName(QStringLiteral("ContactList"));
    m_selectAllBtn->setObjectName(QStringLiteral("SelectAllBtn"));
    m_importBtn->setObjectName(QStringLiteral("ImportBtn"));
    m_closeBtn->setObjectName(QStringLiteral("CloseBtn"));
    for (const records::VCardContact& contact : m_contacts) {
        auto* row = new QListWidgetItem(core::displayText(contact.displayName), m_contactList);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(Qt::Unchecked);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAllBtn);
    buttons->addStretch();
    buttons->addWidget(m_importBtn);
    buttons->addWidget(m_closeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiText(texts, "ImportForm", "002"), this));
    layout->addWidget(m_contactList);
    layout->addLayout(buttons);
    resize(360, 420);

    connect(m_selectAllBtn, &QPushButton::clicked, this, &SelectImportItemsDialog::selectAllBtnClick);
    connect(m_importBtn, &QPushButton::clicked, this, &SelectImportItemsDialog::importBtnClick);
    connect(m_closeBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<filter::FilterRule> SelectImportItemsDialog::importFromFile(QWidget* parent,
                                                                        const storage::TextTable& texts,
                                                                        core::UserPrompts& prompts)
{
    const QString path = OpenFileDialog::run(parent, QStringLiteral("OpenContacts"),
                                             uiText(texts, "Extra", "061"), {uiText(texts, "Extra", "062")});
    if (path.isEmpty())
        return {};
    records::VCardFile file = records::readVCardFile(core::storedText(path));
    if (file.problem != records::VCardFile::Problem::None) {
        prompts.showError(
            core::fillPlaceholders(problemText(file.problem, texts), {QDir::toNativeSeparators(path)}));
        return {};
    }
    SelectImportItemsDialog dialog(std::move(file.contacts), texts, parent);
    dialog.exec();
    return dialog.importedRules();
}

void SelectImportItemsDialog::selectAllBtnClick()
{
    const QString selectAll = uiText(m_texts, "ImportForm", "003");
    const bool tick = m_selectAllBtn->text() == selectAll;
    for (int row = 0; row < m_contactList->count(); ++row)
        m_contactList->item(row)->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    m_selectAllBtn->setText(tick ? uiText(m_texts, "ImportForm", "006") : selectAll);
}

void SelectImportItemsDialog::importBtnClick()
{
    std::vector<records::VCardContact> ticked;
    for (int row = 0; row < m_contactList->count(); ++row)
        if (m_contactList->item(row)->checkState() == Qt::Checked)
            ticked.push_back(m_contacts.at(static_cast<std::size_t>(row)));
    m_importedRules = core::FilterImport::exceptionsFor(ticked);
    accept();
}

} // namespace vantor::ui
