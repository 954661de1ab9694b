#include "storage/IniFile.h"
#include "support/TempHome.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using vantor::test::TempHome;

using vantor::storage::IniError;
using vantor::storage::IniFile;

namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(IniFileWrite, WriteBackStoresNonEmptySectionsInOrderWithCrLfAndABlankLine)
{
    TempHome dir;
    {
        IniFile ini(dir.file("a.ini"));
        ini.writeString("First", "k", "v");
        ini.deleteKey("Empty", "k");
        ini.writeInteger("Second", "n", -3);
        ini.writeBool("Second", "yes", true);
        ini.writeBool("Second", "no", false);
        ini.writeHexInteger("Second", "colour", 255);
        ini.writeString("First", "j", "w");
        EXPECT_TRUE(ini.isModified());
    }
    EXPECT_EQ(dir.read("a.ini"),
              "[First]\r\nk=v\r\nj=w\r\n\r\n[Second]\r\nn=-3\r\nyes=1\r\nno=0\r\ncolour=000000FF\r\n\r\n");
}

// Unchanged sections are written back from the loaded bytes when those are already in file form; every
// other form must come out normalised all the same.
TEST(IniFileWrite, WriteBackNormalisesEveryFormOfUnchangedSections)
{
    const std::string a = "[A]\r\na=1\r\n\r\n";
    const std::string b = "[B]\r\nb=2\r\n\r\n";
    const std::string added = "[Z]\r\nz=1\r\n\r\n";
    const struct
    {
        const char* what;
        std::string loaded;
        std::string written;
    } cases[] = {
        {"file form", a + b, a + b},
        {"line feeds only", "[A]\na=1\n\n[B]\nb=2\n\n", a + b},
        {"header ends in a line feed", "[A]\na=1\r\n\r\n" + b, a + b},
        {"no blank lines", "[A]\r\na=1\r\n[B]\r\nb=2\r\n", a + b},
        {"two blank lines", "[A]\r\na=1\r\n\r\n\r\n" + b, a + b},
        {"blank line after the header", "[A]\r\n\r\na=1\r\n\r\n" + b, a + b},
        {"lines after the blank line", "[A]\r\na=1\r\n\r\nc=3\r\n\r\n" + b, "[A]\r\na=1\r\nc=3\r\n\r\n" + b},
        {"no line end at the end", a + "[B]\r\nb=2", a + b},
        {"no blank line at the end", a + "[B]\r\nb=2\r\n", a + b},
        {"lone carriage return", "[A]\r\na=\r1\r\n\r\n" + b, a + b},
        {"blank line of a lone carriage return", "[A]\r\na=1\r\n\r\r\n" + b, a + b},
        {"line over 255 characters", "[A]\r\na=" + std::string(300, 'x') + "\r\n\r\n" + b,
         "[A]\r\na=" + std::string(253, 'x') + "\r\n\r\n" + b},
        {"later duplicate", a + b + "[a]\r\nx=9\r\n\r\n", a + b},
        {"duplicate between", a + "[a]\r\nx=9\r\n\r\n" + b, a + b},
        {"empty section between", a + "[E]\r\n\r\n" + b, a + b},
        {"lines before the first section", "junk\r\n" + a + b, a + b},
        {"end-of-file mark", a + b + "\x1A[C]\r\nc=3\r\n\r\n", a + b},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        TempHome dir;
        {
            IniFile ini(dir.write("a.ini", each.loaded));
            ini.writeString("Z", "z", "1");
        }
        EXPECT_EQ(dir.read("a.ini"), each.written + added);
    }
}

TEST(IniFileWrite, EveryKindOfChangeRebuildsItsSectionAndKeepsTheOthers)
{
    const std::string file = "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\nc=3\r\n\r\n[C]\r\nc=3\r\n\r\n";
    const std::string a = "[A]\r\na=1\r\n\r\n";
    const std::string c = "[C]\r\nc=3\r\n\r\n";
    const struct
    {
        const char* what;
        void (*change)(IniFile&);
        std::string written;
    } cases[] = {
        {"value replaced", [](IniFile& ini) { ini.writeString("b", "B", "9"); },
         a + "[B]\r\nB=9\r\nc=3\r\n\r\n" + c},
        {"key appended", [](IniFile& ini) { ini.writeInteger("B", "d", 4); },
         a + "[B]\r\nb=2\r\nc=3\r\nd=4\r\n\r\n" + c},
        {"key deleted", [](IniFile& ini) { ini.deleteKey("B", "b"); }, a + "[B]\r\nc=3\r\n\r\n" + c},
        {"last key deleted", [](IniFile& ini) { ini.deleteKey("C", "c"); }, a + "[B]\r\nb=2\r\nc=3\r\n\r\n"},
        {"section renamed", [](IniFile& ini) { ini.renameSection("B", "Q"); },
         a + "[Q]\r\nb=2\r\nc=3\r\n\r\n" + c},
        {"section renamed over another", [](IniFile& ini) { ini.renameSection("C", "A"); },
         "[B]\r\nb=2\r\nc=3\r\n\r\n[A]\r\nc=3\r\n\r\n"},
        {"section erased", [](IniFile& ini) { ini.eraseSection("B"); }, a + c},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        TempHome dir;
        {
            IniFile ini(dir.write("a.ini", file));
            each.change(ini);
        }
        EXPECT_EQ(dir.read("a.ini"), each.written);
    }
}

TEST(IniFileWrite, UnchangedValuesLeaveTheDocumentAndTheFileUntouched)
{
    TempHome dir;
    const std::string path = dir.write("a.ini", "[A]\nk=v\nn=5\n");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(path, old);
    {
        IniFile ini(path);
        ini.writeString("a", "k", "v");
        ini.writeInteger("A", "n", 5);
        ini.deleteKey("A", "missing");
        ini.eraseSection("missing");
        ini.renameSection("A", "A");
        EXPECT_FALSE(ini.isModified());
    }
    EXPECT_EQ(fs::last_write_time(path), old);
    EXPECT_EQ(dir.read("a.ini"), "[A]\nk=v\nn=5\n");
}

TEST(IniFileWrite, AWriteReplacesTheFirstOfTwoKeysInTheWritersCase)
{
    TempHome dir;
    {
        IniFile ini(dir.write("a.ini", "[A]\nKey=1\nkey=2\n"));
        ini.writeString("A", "KEY", "3");
        EXPECT_EQ(ini.readSectionValues("A"), (Lines{"KEY=3", "key=2"}));
        ini.writeString("A", "Key", "3");
        EXPECT_EQ(ini.readSectionValues("A"), (Lines{"Key=3", "key=2"}));
    }
    EXPECT_EQ(dir.read("a.ini"), "[A]\r\nKey=3\r\nkey=2\r\n\r\n");
}

TEST(IniFileWrite, WriteStringCutsItsLineTo255AndWriteAnsiStringDoesNot)
{
    IniFile ini("");
    ini.writeString("A", "key", std::string(300, 'v'));
    ini.writeAnsiString("A", "long", std::string(300, 'w'));
    const Lines lines = ini.readSectionValues("A");
    EXPECT_EQ(lines.at(0), "key=" + std::string(251, 'v'));
    EXPECT_EQ(lines.at(1).size(), 305u);
}

// A key is cut to 255 characters wherever it is used, so every spelling that agrees in those names one line.
TEST(IniFileWrite, AKeyOver255CharactersNamesTheLineOfItsFirst255)
{
    IniFile ini("");
    const std::string key(255, 'k');
    ini.writeAnsiString("A", key + "first", "1");
    EXPECT_EQ(ini.readSectionValues("A"), (Lines{key + "=1"}));
    EXPECT_EQ(ini.readString("A", key + "second", ""), "1");
    EXPECT_EQ(ini.readInteger("A", key, 0), 1);
    ini.deleteKey("A", key + "third");
    EXPECT_TRUE(ini.readSectionValues("A").empty());
}

TEST(IniFileWrite, LineBreaksInNamesAndValuesCannotSplitTheLine)
{
    TempHome dir;
    {
        IniFile ini(dir.file("a.ini"));
        ini.writeString("A", "k", "one\r\n[Forged]\nx=1");
        ini.writeString("B\nC", "j", "2");
        // Written again under the same names: the stored entries are found, not doubled (a reload would
        // drop the second section, and read the first line of a key).
        ini.writeString("B\nC", "j\r\nk", "3");
        ini.writeString("B\nC", "j\r\nk", "4");
        EXPECT_EQ(ini.readString("B\nC", "j\r\nk", ""), "4");
    }
    IniFile ini(dir.file("a.ini"));
    EXPECT_EQ(ini.readSections(), (Lines{"A", "B C"}));
    EXPECT_EQ(ini.readString("A", "k", ""), "one  [Forged] x=1");
    EXPECT_EQ(ini.readSection("B C"), (Lines{"j", "j  k"}));
    EXPECT_EQ(ini.readString("B C", "j  k", ""), "4");
}

TEST(IniFileWrite, EmptyKeyErasesTheSectionAndAllEmptyWritesBack)
{
    TempHome dir;
    IniFile ini(dir.write("a.ini", "[A]\nk=1\n[B]\nk=2\n[C]\nk=3\n"));
    ini.writeString("A", "", "");
    ini.writeString("B", "", "ignored value");
    EXPECT_EQ(ini.readSections(), (Lines{"C"}));
    EXPECT_EQ(dir.read("a.ini"), "[A]\nk=1\n[B]\nk=2\n[C]\nk=3\n");
    ini.writeString("", "", "");
    EXPECT_FALSE(ini.isModified());
    EXPECT_EQ(dir.read("a.ini"), "[C]\r\nk=3\r\n\r\n");
}

TEST(IniFileWrite, DeleteKeyRemovesOnlyTheFirstMatchingLine)
{
    IniFile ini("");
    ini.writeString("A", "k", "1");
    ini.writeAnsiString("A", "j", "2");
    ini.deleteKey("A", "K");
    EXPECT_EQ(ini.readSectionValues("A"), (Lines{"j=2"}));
    ini.deleteKey("Missing", "k");
    EXPECT_FALSE(ini.sectionExists("Missing"));
}

TEST(IniFileWrite, RenameSectionKeepsThePlaceAndReachesTheFile)
{
    TempHome dir;
    {
        IniFile ini(dir.write("a.ini", "[Acc1]\nn=1\n[Acc3]\nn=3\n[Acc4]\nn=4\n"));
        ini.renameSection("Acc3", "Acc2");
        ini.renameSection("Acc9", "Acc8");
        EXPECT_TRUE(ini.isModified());
        EXPECT_EQ(ini.readSections(), (Lines{"Acc1", "Acc2", "Acc4"}));
    }
    EXPECT_EQ(dir.read("a.ini"), "[Acc1]\r\nn=1\r\n\r\n[Acc2]\r\nn=3\r\n\r\n[Acc4]\r\nn=4\r\n\r\n");

    IniFile ini(dir.file("a.ini"));
    ini.renameSection("Acc4", "acc1");
    EXPECT_EQ(ini.readSections(), (Lines{"Acc2", "acc1"}));
    EXPECT_EQ(ini.readString("ACC1", "n", ""), "4");
    ini.renameSection("acc1", "ACC1");
    EXPECT_EQ(ini.readSections(), (Lines{"Acc2", "ACC1"}));
}

TEST(IniFileWrite, WriteBackFollowsSymbolicLinksAndKeepsPermissions)
{
    TempHome dir;
    const std::string target = dir.write("real.ini", "[A]\nk=1\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, dir.file("link.ini"));
    {
        IniFile ini(dir.file("link.ini"));
        ini.writeString("A", "k", "2");
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(dir.read("real.ini"), "[A]\r\nk=2\r\n\r\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniFileWrite, MissingDirectoryRaisesAndKeepsTheDocumentModified)
{
    TempHome dir;
    IniFile ini(dir.file("no/such/dir/a.ini"));
    ini.writeString("A", "k", "v");
    try {
        ini.updateFile();
        FAIL() << "write into a missing directory succeeded";
    } catch (const IniError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_TRUE(ini.isModified());
    EXPECT_EQ(ini.readString("A", "k", ""), "v");
}

// Limits the size of files this process may write, so that a write fails half-way like on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int);
};

TEST(IniFileWrite, FailedWriteBackLeavesThePreviousFileIntact)
{
    TempHome dir;
    const std::string original = "[A]\r\nk=old\r\n\r\n";
    IniFile ini(dir.write("a.ini", original));
    ini.writeAnsiString("A", "k", std::string(100000, 'n'));
    {
        const FileSizeLimit limit(4096);
        try {
            ini.updateFile();
            FAIL() << "write beyond the size limit succeeded";
        } catch (const IniError& error) {
            EXPECT_STREQ(error.what(), "I/O error 27");
        }
    }
    EXPECT_TRUE(ini.isModified());
    EXPECT_EQ(dir.read("a.ini"), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    ini.updateFile();
    EXPECT_FALSE(ini.isModified());
    EXPECT_EQ(dir.read("a.ini"), "[A]\r\nk=" + std::string(100000, 'n') + "\r\n\r\n");
}

TEST(IniFileWrite, ReleaseNeverThrowsAndAMemoryDocumentIsNeverWritten)
{
    TempHome dir;
    EXPECT_NO_THROW({
        IniFile ini(dir.file("missing/a.ini"));
        ini.writeString("A", "k", "v");
    });
    IniFile memory("");
    memory.writeString("A", "k", "v");
    memory.updateFile();
    EXPECT_FALSE(memory.isModified());
    EXPECT_EQ(memory.readString("A", "k", ""), "v");
}

} // namespace
