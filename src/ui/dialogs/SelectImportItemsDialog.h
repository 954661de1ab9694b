#pragma once

#include "core/program/UserPrompts.h"
#include "filter/FilterRule.h"
#include "records/VCardReader.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include <vector>

namespace vantor::ui {

// "Select Import Items": the contacts of an address book with ticks; "Import" makes every address of the
// ticked contacts an exception of the profile editor.
class SelectImportItemsDialog : public QDialog
{
    Q_OBJECT

public:
    SelectImportItemsDialog(std::vector<records::VCardContact> contacts, const storage::TextTable& texts,
                            QWidget* parent = nullptr);

    // The whole command: the user picks a vCard file, ticks contacts and imports them. The exceptions to
    // append, none when the user cancels or the file cannot be used (the reason is shown).
    static std::vector<filter::FilterRule> importFromFile(QWidget* parent, const storage::TextTable& texts,
                                                          core::UserPrompts& prompts);

    QListWidget& contactList() { return *m_contactList; }
    QPushButton& selectAllBtn() { return *m_selectAllBtn; }
    QPushButton& importBtn() { return *m_importBtn; }
    // What "Import" produced; empty until then.
    const std::vector<filter::FilterRule>& importedRules() const { return m_importedRules; }

    // Ticks every row and offers "Unsel. All", or unticks every row and offers "Select All".
    void selectAllBtnClick();
    void importBtnClick();

private:
    std::vector<records::VCardContact> m_contacts;
    const storage::TextTable& m_texts;
    QListWidget* m_contactList;
    QPushButton* m_selectAllBtn;
    QPushButton* m_importBtn;
    QPushButton* m_closeBtn;
    std::vector<filter::FilterRule> m_importedRules;
};

} // namespace vantor::ui
