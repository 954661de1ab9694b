#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "records/DbxRecords.h"
#include "storage/TextTable.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include <vector>

namespace vantor::ui {

// Page 4: the mail client's .dbx store, read without the client. The folder tree on the left, the messages
// of the chosen folder on the right, the chosen message's source below them, which Save Message writes to
// an .eml file. The page only reads the store.
class DbxReaderPage : public QWidget
{
    Q_OBJECT

public:
    enum class Moment
    {
        StartUp,
        UpdateButton
    };

    DbxReaderPage(const core::HomeDirectory& home, const storage::TextTable& texts, core::UserPrompts& prompts,
                  QWidget* parent = nullptr);

    // Reads folders.dbx of the store into the tree; false when the store cannot be read, and the hint label
    // says so. At start-up nothing is read, and nothing is said, while no store is known.
    bool loadFolders(Moment moment);
    void relabel();

    QTreeWidget& folderTree() { return *m_folderTree; }
    QTreeWidget& messageList() { return *m_messageList; }
    QPlainTextEdit& textView() { return *m_textView; }
    QLabel& hintLabel() { return *m_hint; }

    // Update: asks for the store's folder first when none is known.
    void updateClick();
    // Lets the user point the page at another store folder, and reads it.
    void chooseStoreClick();
    void saveMessageClick();

private:
    void showFolder(QTreeWidgetItem* item);
    void showMessage(QTreeWidgetItem* row);
    void clearMessages();
    bool chooseStore();

    const core::HomeDirectory& m_home;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    QTreeWidget* m_folderTree;
    QTreeWidget* m_messageList;
    QPlainTextEdit* m_textView;
    QLabel* m_hint;
    QPushButton* m_updateBtn;
    QPushButton* m_storeBtn;
    QPushButton* m_saveBtn;
    std::vector<records::DbxFolderInfo> m_folders;
    // The file of the folder whose messages the list shows.
    QString m_folderFile;
    // The shown message's bytes as stored, which Save Message writes unchanged.
    std::string m_messageBytes;
};

} // namespace vantor::ui
