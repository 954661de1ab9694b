#include "records/TextExporter.h"

#include "records/ExportTarget.h"

#include <filesystem>

namespace vantor::records {

namespace {

// A spreadsheet that opens the export runs a cell beginning with one of these as a formula; a subject
// written by a spammer must stay text there.
bool startsLikeFormula(const std::string& value)
{
    return !value.empty() &&
           (value.front() == '=' || value.front() == '+' || value.front() == '-' || value.front() == '@');
}

void appendQuoted(std::string& out, const std::string& value)
{
    out += '"';
    if (startsLikeFormula(value))
        out += '\'';
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string TextExporter::text() const
{
    DelimitedTable& table = ExportTarget::activeTable(m_table);
    std::string out;
    const std::size_t count = table.recordCount();
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<std::string> values = table.record(i);
        for (std::size_t field = 0; field < values.size(); ++field) {
            if (field > 0)
                out += '\t';
            appendQuoted(out, values[field]);
        }
        out += "\r\n";
    }
    return out;
}

std::string TextExporter::exportToFile(const std::string& fileName) const
{
    const std::string exported = text();
    const std::string target = std::filesystem::path(fileName).has_extension() ? fileName : fileName + ".txt";
    ExportTarget::writeFile(target, exported);
    return target;
}

} // namespace vantor::records
