#include "records/ExportTarget.h"

#include "base/AtomicFile.h"
#include "records/TableError.h"

namespace vantor::records {

DelimitedTable& ExportTarget::activeTable(DelimitedTable* table)
{
    if (table == nullptr)
        throw TableError("Dataset is not specified");
    if (!table->isOpen())
        throw TableError("Dataset is not active");
    return *table;
}

void ExportTarget::writeFile(const std::string& fileName, const std::string& text)
{
    // An export replacing an earlier one leaves that one whole when it fails.
    if (base::AtomicFile::write(fileName, text))
        throw TableError("Cannot create file " + fileName);
}

} // namespace vantor::records
