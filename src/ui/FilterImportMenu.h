#pragma once

#include "core/filters/FilterImport.h"
#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QAction>
#include <QMenu>

#include <array>

namespace vantor::ui {

class ResultListMenu;

// The drop-down of IEFBtn: eighteen commands that append a rule made of the selected result row to the
// profile of the row's account.
class FilterImportMenu : public QObject
{
    Q_OBJECT

public:
    FilterImportMenu(QMenu& menu, const ResultListMenu& selection, const core::HomeDirectory& home,
                     const storage::TextTable& texts, core::UserPrompts& prompts, QObject* parent = nullptr);

    void relabel();

    // The action of command index (menu order, see FilterImport::commands()).
    QAction& action(std::size_t index) { return *m_actions.at(index); }
    // Runs command index on the selected row of the list the user selected in last.
    void importSelected(std::size_t index);

private:
    struct Labelled
    {
        QAction* action;
        const char* key;
    };

    QMenu* addGroup(QMenu& parent, const char* objectName, const char* key);
    void addConditions(QMenu& group, std::size_t& next, const char* prefix);
    void addCommand(QMenu& group, std::size_t& next, const QString& objectName, const char* key);

    const ResultListMenu& m_selection;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    core::FilterImport m_import;
    std::array<QAction*, core::FilterImport::CommandCount> m_actions{};
    std::vector<Labelled> m_captions;
};

} // namespace vantor::ui
