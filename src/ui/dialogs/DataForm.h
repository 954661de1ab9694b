#pragma once

#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QPushButton>
#include <QTableView>

#include <string>

namespace vantor::core {
class DeletedTableModel;
}

namespace vantor::ui {

// "EMails Delete Database": backup.bak of the home directory in a read-only grid that sorts by a click on a
// column title, with deletion of one record or all, the text and HTML exports, print, print preview and a
// PDF of the printed pages. The file is opened when the window is first shown (created holding only its
// header when missing) and written when the window closes.
class DataForm : public QDialog
{
    Q_OBJECT

public:
    DataForm(const std::string& homeDir, const storage::TextTable& texts, core::UserPrompts& prompts,
             QWidget* parent = nullptr);
    ~DataForm() override;

    // Creates the window, shows it modally and destroys it when it closes.
    static void showDatabase(const std::string& homeDir, const storage::TextTable& texts,
                             core::UserPrompts& prompts, QWidget* parent = nullptr);

    QTableView& grid() { return *m_grid; }

    void exportBtnClick();
    void printBtnClick();
    void previewBtnClick();
    void savePdfBtnClick();
    void deleteBtnClick();
    void deleteAllBtnClick();

    // Closing writes the deletions; a failure is reported and the window closes all the same.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The error "Dataset is not active" when the database could not be opened; false then.
    bool requireActive();
    void selectRow(int row);
    void sizeColumns();

    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    core::DeletedTableModel* m_model;
    QTableView* m_grid;
    bool m_opened = false;
};

} // namespace vantor::ui
