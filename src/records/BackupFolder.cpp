#include "records/BackupFolder.h"

namespace vantor::records {

namespace fs = std::filesystem;

fs::path backupFolderPath(const std::string& homeDir)
{
    return fs::path(homeDir) / BackupFolderName;
}

std::vector<std::string> listBackupFiles(const std::string& homeDir)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(backupFolderPath(homeDir), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        // The entry itself, not what a link points to: a link to a folder is a file here, and
        // removing it removes only the link.
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        const std::string name = it->path().filename().string();
        if (statusError || fs::is_directory(status) || name.starts_with('.'))
            continue;
        names.push_back(name);
    }
    return names;
}

void deleteBackupFiles(const std::string& homeDir)
{
    const fs::path folder = backupFolderPath(homeDir);
    for (const std::string& name : listBackupFiles(homeDir)) {
        std::error_code ignored;
        fs::remove(folder / name, ignored);
    }
}

} // namespace vantor::records
