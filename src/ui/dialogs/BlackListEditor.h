#pragma once

#include "core/program/UserPrompts.h"
#include "filter/BlackListStore.h"
#include "storage/TextTable.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>
#include <string>
#include <vector>

namespace vantor::ui {

// "Black List Editor": one list of BList in a text area to change and save, and a second list to copy lines
// from. The files change only through New, Delete and Save; OK drops whatever was not saved.
class BlackListEditor : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        const filter::BlackListStore& lists;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
    };

    explicit BlackListEditor(const Services& services, QWidget* parent = nullptr);

    QComboBox& listBox() { return *m_listBox; }
    QPlainTextEdit& listMemo() { return *m_listMemo; }
    QComboBox& sourceBox() { return *m_sourceBox; }
    QListWidget& sourceList() { return *m_sourceList; }
    QLabel& statusLabel() { return *m_statusLabel; }

    void newBtnClick();
    void deleteBtnClick();
    void saveBtnClick();
    void cleanBtnClick();
    void addBtnClick();
    void okBtnClick();

    // A name the user may give a new list: one plain file name inside BList, nothing that walks out of it or
    // that a file system in use refuses.
    static bool isPlainListName(const QString& name);

private:
    QPushButton* button(const char* objectName, const char* section, const char* key);
    QLayout* buildLayout();
    void fillBoxes();
    void listBoxChange();
    void sourceBoxChange();
    // The list's lines, or nothing after telling the user in the status label.
    std::optional<std::vector<std::string>> load(const QComboBox& box);
    std::vector<std::string> memoLines() const;
    void setMemoLines(const std::vector<std::string>& lines);
    bool writeList(const std::string& name);
    void showError(const char* key);

    const filter::BlackListStore& m_lists;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    QComboBox* m_listBox;
    QPlainTextEdit* m_listMemo;
    QComboBox* m_sourceBox;
    QListWidget* m_sourceList;
    QLabel* m_statusLabel;
    QPushButton* m_newBtn;
    QPushButton* m_deleteBtn;
    QPushButton* m_saveBtn;
    QPushButton* m_cleanBtn;
    QPushButton* m_addBtn;
    QPushButton* m_okBtn;
};

} // namespace vantor::ui
