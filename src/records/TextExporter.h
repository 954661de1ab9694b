#pragma once

#include "records/DelimitedTable.h"

#include <string>

namespace vantor::records {

// Exports a table as tab-separated text: one line per record, no title line, every value in double
// quotes with its quotes doubled, CR LF line ends. A value that a spreadsheet would run as a formula (leading
// "=", "+", "-" or "@") gets a leading apostrophe.
class TextExporter
{
public:
    explicit TextExporter(DelimitedTable* table)
        : m_table(table)
    {}

    // The exported text; throws TableError when the table is missing or closed.
    std::string text() const;
    // Writes text() to fileName, with ".txt" added when the name has no extension; returns the name used.
    // Throws TableError.
    std::string exportToFile(const std::string& fileName) const;

private:
    DelimitedTable* m_table;
};

} // namespace vantor::records
