#include "storage/LanguageFileInfo.h"

#include "storage/IniFile.h"
#include "storage/TextTable.h"

namespace vantor::storage {

LanguageFileInfo readLanguageFileInfo(const std::string& homeDir, std::string_view listText)
{
    static constexpr std::string_view Missing = "ERROR";
    static constexpr std::string_view Section = "File Info";
    try {
        // Found as the language loader finds it, so a file listed as "Italiano" from "ITALIANO.LNG" opens.
        const IniFile file(TextTable::languageFilePath(homeDir, listText));
        return {file.readString(Section, "Author", Missing), file.readString(Section, "EMail", Missing),
                file.readString(Section, "VT Version", Missing)};
    } catch (...) {
        return {std::string(Missing), std::string(Missing), std::string(Missing)};
    }
}

} // namespace vantor::storage
