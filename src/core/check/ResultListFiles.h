#pragma once

#include "core/check/ResultListModel.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QString>

namespace vantor::core {

// The result lists of the first page saved to list files and viewed again from them; every failure is told
// to the user in the program's texts.
class ResultListFiles
{
public:
    ResultListFiles(const storage::TextTable& texts, UserPrompts& prompts);

    // Writes the list's column titles and rows to path; false, after an error box naming the file, when it
    // cannot be written.
    bool save(const ResultListModel& list, const QString& path) const;
    // Shows the file's rows in the list, under the file's column titles. A file that is not a list file
    // leaves the list as it was; a damaged row stops the reading after the rows before it. Both are told.
    void load(ResultListModel& list, const QString& path) const;

private:
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
};

} // namespace vantor::core
