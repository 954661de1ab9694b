#include "records/ExportTarget.h"

#include "records/TableError.h"

#include <fstream>

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
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out)
        throw TableError("Cannot create file " + fileName);
}

} // namespace vantor::records
