#pragma once

#include "core/check/CheckLists.h"
#include "core/check/ResultListFiles.h"

#include <QWidget>

namespace vantor::ui {

// General > Save List and View List: the kept list (EMailList, ".lef") or the deleted list (EMailDList,
// ".led") written to a list file the user names, or filled from one.
class ResultListFileCommands
{
public:
    enum class Which
    {
        Filtered,
        Deleted
    };

    ResultListFileCommands(core::CheckLists& lists, const storage::TextTable& texts,
                           core::UserPrompts& prompts, QWidget& parent);

    // "Save List As...": the chosen name gets the list's extension unless it has it in any letter case.
    void saveList(Which which);
    // "Open List": the chosen file goes into this list whatever its extension; only its type mark counts.
    void viewList(Which which);

private:
    core::ResultListModel& list(Which which);

    core::CheckLists& m_lists;
    const storage::TextTable& m_texts;
    core::ResultListFiles m_files;
    QWidget& m_parent;
};

} // namespace vantor::ui
