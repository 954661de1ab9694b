#pragma once

#include "records/DelimitedTable.h"

#include <string>
#include <string_view>

namespace vantor::records {

// Exports a table as an HTML page holding one bordered table: a row of field names, then one row per
// record. Values are HTML-escaped; an empty value is written as "&nbsp". CR LF line ends.
class HtmlExporter
{
public:
    explicit HtmlExporter(DelimitedTable* table)
        : m_table(table)
    {}

    // The exported page; throws TableError when the table is missing or closed.
    std::string html() const;
    // Writes html() to fileName; throws TableError.
    void exportToFile(const std::string& fileName) const;

    // text with &, <, > and double quotes written as entities.
    static std::string escape(std::string_view text);

private:
    DelimitedTable* m_table;
};

} // namespace vantor::records
