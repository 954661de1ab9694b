#pragma once

#include "records/DelimitedTable.h"

#include <string>

namespace vantor::records {

// What both exports share: the table they read and the file they write.
class ExportTarget
{
public:
    // The table to export; throws TableError "Dataset is not specified" for none, "Dataset is not active"
    // for a closed one.
    static DelimitedTable& activeTable(DelimitedTable* table);
    // Writes text to fileName, replacing the file; throws TableError "Cannot create file %s".
    static void writeFile(const std::string& fileName, const std::string& text);
};

} // namespace vantor::records
