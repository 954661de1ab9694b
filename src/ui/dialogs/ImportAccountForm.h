#pragma once

#include "core/accounts/AccountImport.h"
#include "core/accounts/AccountStore.h"
#include "core/program/UserPrompts.h"
#include "platform/MailClientAccountSource.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <vector>

namespace vantor::ui {

// "Import Accounts": step 1 ticks accounts of the mail client, step 2 completes them in a grid, and Finish
// adds them all to account.vta in one write. Close writes nothing. Create it for one opening and exec() it.
class ImportAccountForm : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        core::AccountStore& store;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
        const platform::MailClientAccountSource& source;
        // [General] UseKeyring: the imported passwords go to the keyring when one answers.
        bool useKeyring = false;
    };

    // The grid's columns; the password cell is masked.
    enum Column
    {
        DescriptionColumn,
        PopColumn,
        PopPortColumn,
        SmtpColumn,
        SmtpPortColumn,
        UsernameColumn,
        PasswordColumn,
        ColumnCount
    };

    explicit ImportAccountForm(const Services& services, QWidget* parent = nullptr);

    QTreeWidget& accountsList() { return *m_accountsList; }
    QTableWidget& grid() { return *m_grid; }
    // The text of a grid cell, the masked password included.
    QString cellText(int row, Column column) const;
    void setCellText(int row, Column column, const QString& text);
    int step() const { return m_pages->currentIndex() + 1; }

    // Next on step 1, Finish on step 2.
    void nextBtnClick();
    void backBtnClick();
    void closeBtnClick();

private:
    QPushButton* button(const char* objectName, const char* section, const char* key);
    QWidget* buildFirstPage();
    QWidget* buildSecondPage();
    void showStep(int step);
    void fillGrid();
    std::vector<core::AccountFields> gridRows() const;

    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    core::AccountImport m_import;
    // The rows of the grid came from these, which keep the client's TLS choices the grid does not show.
    std::vector<core::AccountFields> m_gridSources;
    // The offered account of each grid row, so that going back for one more tick keeps what was typed.
    std::vector<int> m_gridAccounts;
    QLabel* m_stepLabel;
    QLabel* m_instruction;
    QStackedWidget* m_pages;
    QTreeWidget* m_accountsList;
    QLabel* m_damagedFiles;
    QTableWidget* m_grid;
    QPushButton* m_backBtn;
    QPushButton* m_nextBtn;
    QPushButton* m_closeBtn;
};

} // namespace vantor::ui
