#include "ui/dialogs/AccountManagerDialog.h"

#include "core/program/DisplayText.h"
#include "core/program/SettingsFile.h"
#include "storage/SettingKeys.h"
#include "ui/dialogs/AccountManagerFields.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

using core::displayText;
using core::uiText;

QStringList columnTitles(const storage::TextTable& texts)
{
    const auto title = [&texts](const char* key) { return uiText(texts, "AccountList", key); };
    return {title("001"), title("002"), title("007"), title("006"),
            title("007"), title("003"), title("004"), title("005")};
}

// The same mask for every stored password: its length is nobody's business. An empty cell says the check
// asks for the password.
const QString PasswordMask = QStringLiteral("********");

QStringList rowTexts(const core::AccountEntry& entry)
{
    return {displayText(entry.description),
            displayText(entry.popServer),
            QString::number(entry.popPort),
            displayText(entry.smtpServer),
            QString::number(entry.smtpPort),
            displayText(entry.username),
            entry.password.empty() && !entry.isInKeyring ? QString() : PasswordMask,
            displayText(entry.profile)};
}

} // namespace

AccountManagerDialog::AccountManagerDialog(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_texts(services.texts)
    , m_help(services.help)
    , m_logic(services.store, services.home, services.texts, services.prompts)
    , m_accountList(new QTreeWidget(this))
    , m_fields(new AccountManagerFields(services.texts, this))
    , m_addBtn(button("AddBtn", "001"))
    , m_saveBtn(button("SaveBtn", "002"))
    , m_deleteBtn(button("DeleteBtn", "003"))
    , m_okBtn(button("OKbtn", "004"))
    , m_importBtn(button("ImportBtn", "006"))
    , m_helpBtn(new QPushButton(uiText(services.texts, "Extra", "011"), this))
    , m_storeLabel(new QLabel(this))
    , m_moveStoreBtn(new QPushButton(this))
{
    m_storeLabel->setObjectName(QStringLiteral("StoreLabel"));
    m_moveStoreBtn->setObjectName(QStringLiteral("MoveStoreBtn"));
    m_logic.setUseKeyring(core::SettingsFile(services.home).read(storage::GeneralUseKeyring));
    setObjectName(QStringLiteral("AccountForm"));
    setWindowTitle(uiText(m_texts, "Extra", "010"));
    // A title bar without a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_helpBtn->setObjectName(QStringLiteral("Button1"));

    m_accountList->setObjectName(QStringLiteral("AccountList"));
    m_accountList->setRootIsDecorated(false);
    m_accountList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_accountList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_accountList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_accountList->setHeaderLabels(columnTitles(m_texts));

    auto* lower = new QHBoxLayout;
    lower->addWidget(m_fields, 1);
    lower->addLayout(buildButtons());
    auto* store = new QHBoxLayout;
    store->addWidget(m_storeLabel, 1);
    store->addWidget(m_moveStoreBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_accountList, 1);
    layout->addLayout(store);
    layout->addLayout(lower);

    connect(m_accountList, &QTreeWidget::itemSelectionChanged, this,
            &AccountManagerDialog::onSelectionChanged);
    connect(m_accountList, &QTreeWidget::itemChanged, this, &AccountManagerDialog::onItemChanged);
    connect(m_addBtn, &QPushButton::clicked, this, &AccountManagerDialog::addBtnClick);
    connect(m_saveBtn, &QPushButton::clicked, this, &AccountManagerDialog::saveBtnClick);
    connect(m_deleteBtn, &QPushButton::clicked, this, &AccountManagerDialog::deleteBtnClick);
    connect(m_okBtn, &QPushButton::clicked, this, &AccountManagerDialog::okBtnClick);
    connect(m_importBtn, &QPushButton::clicked, this, &AccountManagerDialog::importBtnClick);
    connect(m_helpBtn, &QPushButton::clicked, this, &AccountManagerDialog::helpBtnClick);
    connect(m_moveStoreBtn, &QPushButton::clicked, this, &AccountManagerDialog::moveStoreBtnClick);

    m_fields->setProfileChoices(m_logic.profileChoices(),
                                std::string(core::AccountManagerLogic::DefaultProfile));
    m_logic.reload();
    fillList();
    setRowButtonsEnabled(false);
    showStore(-1);
    resize(760, 560);
}

QPushButton* AccountManagerDialog::button(const char* objectName, const char* key)
{
    auto* result = new QPushButton(uiText(m_texts, "AccountButton", key), this);
    result->setObjectName(QString::fromLatin1(objectName));
    return result;
}

QLayout* AccountManagerDialog::buildButtons()
{
    auto* column = new QVBoxLayout;
    for (QPushButton* each : {m_addBtn, m_saveBtn, m_deleteBtn, m_importBtn, m_helpBtn})
        column->addWidget(each);
    column->addStretch();
    column->addWidget(m_okBtn);
    return column;
}

void AccountManagerDialog::addBtnClick()
{
    if (!m_logic.add(m_fields->fields()))
        return;
    m_fields->clearIdentity();
    fillList();
}

void AccountManagerDialog::saveBtnClick()
{
    const int row = selectedRow();
    if (row < 0 || !m_logic.save(row, m_fields->fields()))
        return;
    m_fields->clearIdentity();
    fillList();
    setRowButtonsEnabled(false);
}

void AccountManagerDialog::deleteBtnClick()
{
    const int row = selectedRow();
    if (row < 0 || !m_logic.remove(row))
        return;
    fillList();
    setRowButtonsEnabled(false);
    m_fields->clearAll();
}

void AccountManagerDialog::okBtnClick()
{
    // A tick that cannot be written has been reported; the dialog still closes, or a read-only file would
    // leave the user no way out.
    m_logic.commitTicks();
    accept();
}

void AccountManagerDialog::importBtnClick()
{
    emit importRequested();
    m_logic.reload();
    fillList();
    setRowButtonsEnabled(false);
}

void AccountManagerDialog::helpBtnClick()
{
    m_help.open(core::HelpManual::Context::AccountManager);
}

void AccountManagerDialog::moveStoreBtnClick()
{
    const int row = selectedRow();
    if (row < 0 || !m_logic.moveStore(row))
        return;
    const QSignalBlocker blocker(m_accountList);
    m_accountList->topLevelItem(row)->setText(
        6, rowTexts(m_logic.rows()[static_cast<std::size_t>(row)].entry)[6]);
    showStore(row);
}

void AccountManagerDialog::showStore(int row)
{
    m_storeLabel->clear();
    m_moveStoreBtn->setText(uiText(m_texts, "Extra", "127"));
    m_moveStoreBtn->setEnabled(false);
    if (row < 0)
        return;
    const bool isInKeyring = m_logic.rows()[static_cast<std::size_t>(row)].entry.isInKeyring;
    m_storeLabel->setText(uiText(m_texts, "Extra", "124") + QLatin1Char(' ') +
                          uiText(m_texts, "Extra", isInKeyring ? "125" : "126"));
    m_moveStoreBtn->setText(uiText(m_texts, "Extra", isInKeyring ? "128" : "127"));
    m_moveStoreBtn->setEnabled(true);
}

void AccountManagerDialog::reject() {}

void AccountManagerDialog::fillList()
{
    const QSignalBlocker blocker(m_accountList);
    m_accountList->clear();
    for (const core::AccountManagerRow& row : m_logic.rows()) {
        auto* item = new QTreeWidgetItem(m_accountList, rowTexts(row.entry));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.isTicked ? Qt::Checked : Qt::Unchecked);
    }
    m_accountList->clearSelection();
}

void AccountManagerDialog::onSelectionChanged()
{
    const int row = selectedRow();
    setRowButtonsEnabled(row >= 0);
    showStore(row);
    if (row < 0)
        return;
    const core::AccountFields fields = m_logic.fieldsOf(row);
    m_fields->setFields(fields, m_logic.profileChoices(fields.profile));
}

void AccountManagerDialog::onItemChanged(QTreeWidgetItem* item, int column)
{
    if (column == 0)
        m_logic.setTicked(m_accountList->indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
}

void AccountManagerDialog::setRowButtonsEnabled(bool enabled)
{
    m_saveBtn->setEnabled(enabled);
    m_deleteBtn->setEnabled(enabled);
}

int AccountManagerDialog::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_accountList->selectedItems();
    return selected.isEmpty() ? -1 : m_accountList->indexOfTopLevelItem(selected.constFirst());
}

} // namespace vantor::ui
