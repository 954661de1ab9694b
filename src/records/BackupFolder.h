#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantor::records {

// Name of the folder below the home directory that holds the copies of deleted messages.
inline constexpr const char* BackupFolderName = "EBak";

// homeDir + "/EBak".
std::filesystem::path backupFolderPath(const std::string& homeDir);

// File names (no path) of the backups: entries of EBak that are not directories and do not begin
// with ".", in the order the file system lists them. Empty when the folder is missing.
std::vector<std::string> listBackupFiles(const std::string& homeDir);

// Removes every file that listBackupFiles names; the folder stays. Files that cannot be removed stay too.
void deleteBackupFiles(const std::string& homeDir);

} // namespace vantor::records
