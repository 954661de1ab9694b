#include "storage/TextTable.h"

#include "storage/BuiltInTexts.h"
#include "storage/LanguageFileInfo.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using vantor::test::TempHome;

using vantor::storage::TextTable;

namespace {

TEST(TextTable, StartsWithTheBuiltInEnglishTexts)
{
    const TextTable table;
    EXPECT_EQ(table.text("Menu", "001"), "General");
    EXPECT_EQ(table.text("Menu", "036"), "Send Translate Request");
    EXPECT_EQ(table.text("Message", "004"), "There are %s new mails in your accounts.");
    EXPECT_EQ(table.text("Message", "005"), "");
    EXPECT_EQ(table.text("SettingLabel", "008"), "Active advise new emails ");
    EXPECT_EQ(table.text("DataForm", "006"), "Close");
    EXPECT_EQ(table.text("Menu", "017"), "");
    EXPECT_EQ(table.text("Nowhere", "001"), "");
}

TEST(TextTable, TheTwiceListedSettingLabelsKeepBothEnglishTexts)
{
    TempHome home;
    TextTable table;
    EXPECT_EQ(table.text("SettingLabel", "036"), "Check accounts");
    EXPECT_EQ(table.text("SettingLabel", "036", 1), "Automatic check accounts");
    EXPECT_EQ(table.text("SettingLabel", "037", 1), "Manual check accounts");
    EXPECT_EQ(table.text("SettingLabel", "037", 2), "");
    EXPECT_EQ(table.text("Menu", "001", 1), "");

    home.write("Language/test.lng", "[SettingLabel]\n036=Kontrolle\n");
    table.loadLanguage(home.path(), "test");
    EXPECT_EQ(table.text("SettingLabel", "036"), "Kontrolle");
    EXPECT_EQ(table.text("SettingLabel", "036", 1), "Kontrolle");
    EXPECT_EQ(table.text("SettingLabel", "037", 1), "Manual check accounts");
}

TEST(TextTable, ALanguageFileOverridesOnlyWhatItHolds)
{
    TempHome home;
    home.write("Language/deutsch.lng", "[Menu]\n001=Allgemein\n002=\n[Status]\n003=Bereit\n");
    TextTable table;
    table.loadLanguage(home.path(), "Deutsch");
    EXPECT_EQ(table.text("Menu", "001"), "Allgemein");
    EXPECT_EQ(table.text("Menu", "002"), "");
    EXPECT_EQ(table.text("Menu", "003"), "Info");
    EXPECT_EQ(table.text("Status", "003"), "Bereit");

    table.loadLanguage(home.path(), "Klingon");
    EXPECT_EQ(table.text("Menu", "001"), "General");
    EXPECT_EQ(table.text("Menu", "002"), "View");
    EXPECT_EQ(table.text("Status", "003"), "Ready");
}

TEST(TextTable, AFullLanguageFileReplacesEveryText)
{
    TempHome home;
    std::string file;
    std::string section;
    for (const auto& entry : vantor::storage::builtInTexts()) {
        if (entry.section != section) {
            section = entry.section;
            file += "[" + section + "]\n";
        }
        file += std::string(entry.key) + "=T " + section + " " + std::string(entry.key) + "\n";
    }
    home.write("Language/test.lng", file);
    TextTable table;
    table.loadLanguage(home.path(), "TEST");
    std::size_t replaced = 0;
    for (const auto& entry : vantor::storage::builtInTexts()) {
        const std::string expected = "T " + std::string(entry.section) + " " + std::string(entry.key);
        replaced += table.text(entry.section, entry.key) == expected;
    }
    EXPECT_EQ(replaced, vantor::storage::builtInTexts().size());
    EXPECT_EQ(replaced, 466u);
}

TEST(TextTable, LanguageNamesMatchFilesWithoutRegardToCase)
{
    TempHome home;
    home.write("Language/english.lng", "[Tab]\n001=Centre\n");
    home.write("Language/ITALIANO.LNG", "[Tab]\n001=Centro\n");
    TextTable table;
    table.loadLanguage(home.path(), "English");
    EXPECT_EQ(table.text("Tab", "001"), "Centre");
    table.loadLanguage(home.path(), "english");
    EXPECT_EQ(table.text("Tab", "001"), "Centre");
    EXPECT_EQ(TextTable::languageFilePath(home.path(), "Italiano"), home.file("Language/ITALIANO.LNG"));
    table.loadLanguage(home.path(), "Italiano");
    EXPECT_EQ(table.text("Tab", "001"), "Centro");
    EXPECT_EQ(TextTable::languageFilePath(home.path(), "Nuovo"), home.file("Language/nuovo.lng"));
}

TEST(TextTable, AnUnreadableLanguageFileLeavesEnglish)
{
    TempHome home;
    std::filesystem::create_directories(home.file("Language/broken.lng"));
    TextTable table;
    EXPECT_NO_THROW(table.loadLanguage(home.path(), "broken"));
    EXPECT_EQ(table.text("Menu", "001"), "General");
    EXPECT_NO_THROW(table.loadLanguage(home.file("no-such-home"), "English"));
}

TEST(LanguageFileInfo, ReadsTheFileInfoSectionWithErrorForWhatIsMissing)
{
    TempHome home;
    home.write("Language/Deutsch.lng", "[File Info]\nAuthor=Hans\nVT Version=2.5\n");
    const auto info = vantor::storage::readLanguageFileInfo(home.path(), "Deutsch");
    EXPECT_EQ(info.author, "Hans");
    EXPECT_EQ(info.email, "ERROR");
    EXPECT_EQ(info.version, "2.5");

    home.write("Language/ITALIANO.LNG", "[File Info]\nAuthor=Gianni\n");
    EXPECT_EQ(vantor::storage::readLanguageFileInfo(home.path(), "ITALIANO").author, "Gianni");

    const auto missing = vantor::storage::readLanguageFileInfo(home.path(), "Klingon");
    EXPECT_EQ(missing.author, "ERROR");
    EXPECT_EQ(missing.email, "ERROR");
    EXPECT_EQ(missing.version, "ERROR");
}

} // namespace
