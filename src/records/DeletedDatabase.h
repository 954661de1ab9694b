#pragma once

#include "records/ResultRow.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::storage {
class ErrorLog;
}

namespace vantor::records {

// backup.bak in the home directory: the permanent table of deleted messages.
class DeletedDatabase
{
public:
    inline static constexpr std::string_view FileName = "backup.bak";
    // The first line; a new file holds exactly these 31 bytes, with no line end.
    inline static constexpr std::string_view Header = "EMail,Subject,Account,Date/Time";

    static std::filesystem::path path(const std::string& homeDir);

    // Writes a new database holding only the header, replacing any file of that name; false on failure.
    static bool create(const std::string& homeDir);

    // Appends one record per deleted row, top to bottom: sender (caption), then the sub-items Subject,
    // Account and Date/Time. Creates the file first when it is missing or empty. Failures are logged
    // (" 00012 - cannot create database file: backup.bak", " 00012 - cannot write delete emails in
    // database: backup.bak") and never thrown. Nothing happens for no rows.
    static void update(const std::string& homeDir, const std::vector<ResultRow>& deletedRows,
                       storage::ErrorLog& errorLog);
};

} // namespace vantor::records
