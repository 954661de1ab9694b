#include "records/ClearBackups.h"

#include "records/BackupFolder.h"

namespace vantor::records {

namespace fs = std::filesystem;

void clearBackups(const std::string& homeDir)
{
    const fs::path folder = backupFolderPath(homeDir);
    std::error_code ignored;
    // Only a real folder is ours to remove: a file or a link that happens to be called EBak stays.
    if (!fs::is_directory(fs::symlink_status(folder, ignored)))
        return;
    deleteBackupFiles(homeDir);
    // remove() takes only an empty folder: one that still holds a sub-directory or a hidden file stays.
    fs::remove(folder, ignored);
}

} // namespace vantor::records
