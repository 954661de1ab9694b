#pragma once

#include <string>
#include <string_view>

namespace vantor::storage {

// The "File Info" section of a language file, shown by the settings dialog.
struct LanguageFileInfo
{
    std::string author;
    std::string email;
    std::string version;
};

// Reads Author, EMail and VT Version of homeDir/Language/<listText>.lng, the file name matched without
// regard to case; "ERROR" for each one that is missing, and for all when the file is missing or
// unreadable. Never throws.
LanguageFileInfo readLanguageFileInfo(const std::string& homeDir, std::string_view listText);

} // namespace vantor::storage
