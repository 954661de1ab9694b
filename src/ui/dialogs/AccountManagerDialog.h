#pragma once

#include "core/accounts/AccountManagerLogic.h"
#include "core/accounts/AccountStore.h"
#include "core/program/HelpManual.h"
#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace vantor::ui {

class AccountManagerFields;

// "Account Manager": the accounts of account.vta with their ticks, and the fields to add, change or delete
// one. Every button writes the file at once; the ticks are written by OK, the only way out of the dialog.
// Create it for one opening, exec() it, and rebuild the window's account boxes afterwards.
class AccountManagerDialog : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        core::AccountStore& store;
        const core::HomeDirectory& home;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
        const core::HelpManual& help;
    };

    explicit AccountManagerDialog(const Services& services, QWidget* parent = nullptr);

    QTreeWidget& accountList() { return *m_accountList; }
    AccountManagerFields& fields() { return *m_fields; }
    const core::AccountManagerLogic& logic() const { return m_logic; }

    void addBtnClick();
    void saveBtnClick();
    void deleteBtnClick();
    void okBtnClick();
    void importBtnClick();
    void helpBtnClick();
    // Moves the selected account's password between the keyring and account.vta.
    void moveStoreBtnClick();

    // Escape and the window manager cannot close the dialog: it ends only through OK.
    void reject() override;

signals:
    // Import was clicked: the receiver runs the account import and returns; the list is then read again.
    void importRequested();

private:
    QPushButton* button(const char* objectName, const char* key);
    QLayout* buildButtons();
    void fillList();
    void onSelectionChanged();
    void onItemChanged(QTreeWidgetItem* item, int column);
    void setRowButtonsEnabled(bool enabled);
    int selectedRow() const;
    // The store of the selected account and the button that moves it.
    void showStore(int row);

    const storage::TextTable& m_texts;
    const core::HelpManual& m_help;
    core::AccountManagerLogic m_logic;
    QTreeWidget* m_accountList;
    AccountManagerFields* m_fields;
    QPushButton* m_addBtn;
    QPushButton* m_saveBtn;
    QPushButton* m_deleteBtn;
    QPushButton* m_okBtn;
    QPushButton* m_importBtn;
    QPushButton* m_helpBtn;
    QLabel* m_storeLabel;
    QPushButton* m_moveStoreBtn;
};

} // namespace vantor::ui
