#include "support/TempHome.h"
#include "storage/IniFile.h"

#include <gtest/gtest.h>

using vantor::test::TempHome;

using vantor::storage::IniError;
using vantor::storage::IniFile;

namespace {

using Lines = std::vector<std::string>;

TEST(IniFileLoad, MissingFileIsAnEmptyDocumentAndIsNotCreated)
{
    TempHome dir;
    {
        IniFile ini(dir.file("none.ini"));
        EXPECT_TRUE(ini.readSections().empty());
        EXPECT_FALSE(ini.isModified());
        EXPECT_EQ(ini.readString("A", "k", "def"), "def");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
}

TEST(IniFileLoad, LineEndsAtLineFeedOrCrLfAndLoneCarriageReturnsAreDropped)
{
    TempHome dir;
    IniFile ini(dir.write("a.ini", "[A]\r\nk=v\rx\nm=1\n\n\r\n[B]\rz\nn=2"));
    // "[B]" followed by a lone CR reads as "[B]z": not a header, so its lines stay in A.
    EXPECT_EQ(ini.readSectionValues("A"), (Lines{"k=vx", "m=1", "[B]z", "n=2"}));
    EXPECT_FALSE(ini.sectionExists("B"));
}

TEST(IniFileLoad, LongLinesAreCutTo255CharactersAndTheirRestSkipped)
{
    TempHome dir;
    const std::string value(400, 'x');
    IniFile ini(dir.write("a.ini", "[A]\nk=" + value + "\nnext=1\n"));
    EXPECT_EQ(ini.readAnsiString("A", "k", ""), value.substr(0, 253));
    EXPECT_EQ(ini.readSectionValues("A").size(), 2u);
    EXPECT_EQ(ini.readString("A", "next", ""), "1");
}

TEST(IniFileLoad, EndOfFileMarkAtLineStartEndsReading)
{
    TempHome dir;
    IniFile ini(dir.write("a.ini", "[A]\nk=a\x1A"
                                   "b\n\x1A rest\n[B]\nm=1\n"));
    EXPECT_EQ(ini.readString("A", "k", ""), "a\x1A"
                                            "b");
    EXPECT_EQ(ini.readSections(), (Lines{"A"}));
}

TEST(IniFileLoad, SectionHeadersAreTakenWithoutTrimming)
{
    TempHome dir;
    IniFile ini(dir.write("a.ini", "[ A ]\nk=1\n [B]\n[C] \n[]\ne=2\n"));
    EXPECT_EQ(ini.readSections(), (Lines{" A ", ""}));
    EXPECT_EQ(ini.readSectionValues(" A "), (Lines{"k=1", " [B]", "[C] "}));
    EXPECT_FALSE(ini.sectionExists("A"));
    EXPECT_EQ(ini.readString("", "e", ""), "2");
}

TEST(IniFileLoad, LinesBeforeTheFirstSectionVanishOnlyWhenSomethingElseChanged)
{
    TempHome dir;
    const std::string original = "x=1\n[A]\nk=v\n";
    dir.write("a.ini", original);
    {
        IniFile ini(dir.file("a.ini"));
        EXPECT_EQ(ini.readString("", "x", "def"), "def");
    }
    EXPECT_EQ(dir.read("a.ini"), original);
    {
        IniFile ini(dir.file("a.ini"));
        ini.writeString("A", "k", "w");
    }
    EXPECT_EQ(dir.read("a.ini"), "[A]\r\nk=w\r\n\r\n");
}

TEST(IniFileLoad, ByteOrderMarkHidesTheFirstSection)
{
    TempHome dir;
    IniFile ini(dir.write("a.ini", "\xEF\xBB\xBF[A]\nk=v\n[B]\nm=1\n"));
    EXPECT_EQ(ini.readSections(), (Lines{"B"}));
    EXPECT_EQ(ini.readString("A", "k", "def"), "def");
}

TEST(IniFileLoad, LaterDuplicateSectionsAreDroppedAndTheFileRewritten)
{
    TempHome dir;
    dir.write("a.ini", "[A]\nk=1\n[B]\n[a]\nk=2\nj=3\n");
    {
        IniFile ini(dir.file("a.ini"));
        EXPECT_TRUE(ini.isModified());
        EXPECT_EQ(ini.readSections(), (Lines{"A", "B"}));
        EXPECT_EQ(ini.readSectionValues("a"), (Lines{"k=1"}));
    }
    EXPECT_EQ(dir.read("a.ini"), "[A]\r\nk=1\r\n\r\n");
}

// Enough sections that names share slots of the lookup of names already seen, each name three times
// in other spellings: only the first of each survives, in file order.
TEST(IniFileLoad, EveryLaterSpellingOfANameIsDroppedAmongManySections)
{
    constexpr int Names = 300;
    std::string text;
    Lines expected;
    for (int round = 0; round < 3; ++round) {
        for (int n = 0; n < Names; ++n) {
            const std::string name = (round == 1 ? "SEC" : round == 2 ? "sEc" : "Sec") + std::to_string(n);
            text += "[" + name + "]\nround=" + std::to_string(round) + "\n";
            if (round == 0)
                expected.push_back(name);
        }
    }
    TempHome dir;
    const IniFile ini(dir.write("a.ini", text));
    EXPECT_EQ(ini.readSections(), expected);
    for (int n = 0; n < Names; n += 37)
        EXPECT_EQ(ini.readString("sec" + std::to_string(n), "round", ""), "0") << n;
}

TEST(IniFileLoad, UnreadableFileRaisesAnInputOutputError)
{
    TempHome dir;
    std::filesystem::create_directory(dir.file("folder.ini"));
    try {
        IniFile ini(dir.file("folder.ini"));
        FAIL() << "a directory loaded as an INI file";
    } catch (const IniError& error) {
        EXPECT_STREQ(error.what(), "I/O error 21");
    }
}

} // namespace
