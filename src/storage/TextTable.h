#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::storage {

// Every caption and message of the user interface, addressed by section and three-digit key ("001").
// Starts with the built-in English texts; a language file can replace any of them.
class TextTable
{
public:
    // The table filled with the built-in English texts.
    TextTable();

    // The current text; an empty string for a section/key the table does not hold.
    const std::string& text(std::string_view section, std::string_view key) const;
    // SettingLabel 036 and 037 are listed twice: occurrence 0 gives the main window's check drop-down
    // ("Check accounts", "Check accounts with preview"), occurrence 1 the settings dialog's radio buttons
    // ("Automatic check accounts", "Manual check accounts"). Every other key has only occurrence 0.
    const std::string& text(std::string_view section, std::string_view key, std::size_t occurrence) const;

    // Every text back to its built-in English value.
    void reset();
    // reset(), then override every text found in the language's file (see languageFilePath);
    // a missing or unreadable file leaves the texts read so far. Never throws.
    void loadLanguage(const std::string& homeDir, std::string_view languageName);

    // homeDir/Language/<lower-cased name>.lng; where the directory holds an entry whose name differs
    // only in letter case, that entry's path.
    static std::string languageFilePath(const std::string& homeDir, std::string_view name);

private:
    std::vector<std::string> m_texts;
};

} // namespace vantor::storage
