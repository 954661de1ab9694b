#pragma once

#include <string>

namespace vantor::records {

// Removes every file of the backup folder "EBak" below homeDir (names beginning with "." and
// sub-directories are kept), then the folder itself when nothing is left in it.
// Called at exit; a missing folder or a file that cannot be removed is silently left alone.
void clearBackups(const std::string& homeDir);

} // namespace vantor::records
