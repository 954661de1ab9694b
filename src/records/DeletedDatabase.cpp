#include "records/DeletedDatabase.h"

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "records/DelimitedTable.h"
#include "records/TableError.h"
#include "storage/ErrorLog.h"

namespace vantor::records {

namespace fs = std::filesystem;

namespace {

// The record of a deleted row: the sender, then Subject, Account and Date/Time (missing sub-items empty).
std::vector<std::string> recordOf(const ResultRow& row)
{
    std::vector<std::string> values{row.caption};
    for (std::size_t i = 0; i < 3; ++i)
        values.push_back(i < row.subItems.size() ? row.subItems[i] : std::string());
    return values;
}

// An empty file has no header line: the first record would be taken for the field names.
bool needsHeader(const fs::path& file)
{
    std::error_code error;
    return !fs::exists(file, error) || (fs::is_regular_file(file, error) && fs::file_size(file, error) == 0);
}

} // namespace

fs::path DeletedDatabase::path(const std::string& homeDir)
{
    return fs::path(homeDir) / FileName;
}

bool DeletedDatabase::create(const std::string& homeDir)
{
    return !base::AtomicFile::write(path(homeDir), Header);
}

void DeletedDatabase::update(const std::string& homeDir, const std::vector<ResultRow>& deletedRows,
                             storage::ErrorLog& errorLog)
{
    if (deletedRows.empty())
        return;
    if (needsHeader(path(homeDir)) && !create(homeDir)) {
        errorLog.write(
            base::errorEntry(base::errorcode::DeletedDatabase, "cannot create database file: backup.bak"));
        return;
    }
    try {
        DelimitedTable table(path(homeDir).string());
        table.open();
        for (const ResultRow& row : deletedRows)
            table.append(recordOf(row));
        table.close();
    } catch (const TableError&) {
        errorLog.write(base::errorEntry(base::errorcode::DeletedDatabase,
                                        "cannot write delete emails in database: backup.bak"));
    }
}

} // namespace vantor::records
