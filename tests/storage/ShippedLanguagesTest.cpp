#include "storage/BuiltInTexts.h"
#include "storage/IniFile.h"
#include "storage/TextTable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>

namespace {

using vantor::storage::builtInTexts;
using vantor::storage::IniFile;

const std::string LanguageDir = VANTOR_LANGUAGE_DIR;

// The place holders of a text in order: a translation must fill the same values.
std::string placeholders(const std::string& text)
{
    std::string found;
    for (std::size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
         at = text.find('%', at + 1)) {
        if (text[at + 1] == 's' || text[at + 1] == 'd')
            found += text.substr(at, 2);
    }
    return found;
}

// Section and key of every line of the file outside [File Info], and of every text of the table.
std::set<std::pair<std::string, std::string>> keysOf(const IniFile& file)
{
    std::set<std::pair<std::string, std::string>> keys;
    for (const std::string& section : file.readSections()) {
        if (section == "File Info")
            continue;
        for (const std::string& key : file.readSection(section))
            keys.emplace(section, key);
    }
    return keys;
}

std::set<std::pair<std::string, std::string>> tableKeys()
{
    std::set<std::pair<std::string, std::string>> keys;
    for (const auto& entry : builtInTexts())
        keys.emplace(entry.section, entry.key);
    return keys;
}

TEST(ShippedLanguages, EnglishHoldsEveryBuiltInTextAsItIs)
{
    const IniFile english(LanguageDir + "/English.lng");
    EXPECT_EQ(keysOf(english), tableKeys());
    std::set<std::pair<std::string, std::string>> compared;
    for (const auto& entry : builtInTexts()) {
        // A key listed twice in the table has one line in a file: it carries the first text.
        if (!compared.emplace(entry.section, entry.key).second)
            continue;
        EXPECT_EQ(english.readString(entry.section, entry.key, "(missing)"), entry.text)
            << entry.section << " " << entry.key;
    }
    EXPECT_EQ(english.readString("File Info", "VT Version", ""), "2.5");
}

TEST(ShippedLanguages, GermanTranslatesEveryTextKeepingItsPlaceholders)
{
    const IniFile german(LanguageDir + "/Deutsch.lng");
    EXPECT_EQ(keysOf(german), tableKeys());
    for (const auto& entry : builtInTexts()) {
        const std::string text = german.readString(entry.section, entry.key, "(missing)");
        EXPECT_EQ(text.empty(), entry.text.empty()) << entry.section << " " << entry.key;
        EXPECT_EQ(placeholders(text), placeholders(std::string(entry.text)))
            << entry.section << " " << entry.key;
    }
    EXPECT_FALSE(german.readString("File Info", "Author", "").empty());

    vantor::storage::TextTable table;
    table.loadLanguage(std::string(LanguageDir) + "/..", "deutsch");
    EXPECT_EQ(table.text("Menu", "001"), german.readString("Menu", "001", ""));
    EXPECT_NE(table.text("Menu", "001"), "General");
}

} // namespace
