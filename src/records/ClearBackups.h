#pragma once

#include <string>

namespace vantor::records {

// Empties the backup folder "EBak" below homeDir: every file in it is removed, sub-directories are left alone.
// Called when the program exits; a missing folder is not an error.
void clearBackups(const std::string& homeDir);

} // namespace vantor::records
