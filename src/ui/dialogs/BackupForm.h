#pragma once

#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <string>

namespace vantor::ui {

// "EMail Backup": the copies of deleted messages kept in EBak, one list row per file, the chosen copy shown
// for reading, and the commands to save it elsewhere, copy from it, or delete every copy.
class BackupForm : public QDialog
{
    Q_OBJECT

public:
    // More than this many characters may not survive the trip through the clipboard of older systems, so
    // copying them is confirmed first.
    static constexpr int CopyWarningLength = 32000;

    BackupForm(std::string homeDir, const storage::TextTable& texts, core::UserPrompts& prompts,
               QWidget* parent = nullptr);

    // Creates the window, shows it modally and destroys it when it closes.
    static void showBackups(const std::string& homeDir, const storage::TextTable& texts,
                            core::UserPrompts& prompts, QWidget* parent = nullptr);

    QTreeWidget& fileList() { return *m_fileList; }
    QPlainTextEdit& viewer() { return *m_viewer; }

    void saveBtnClick();
    void copyBtnClick();
    void deleteAllBtnClick();

private:
    void listFiles();
    void showFile(const QString& name);

    std::string m_homeDir;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    QTreeWidget* m_fileList;
    QPlainTextEdit* m_viewer;
};

} // namespace vantor::ui
