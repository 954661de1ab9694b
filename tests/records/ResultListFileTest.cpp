#include "records/ResultListFile.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;
using Status = ListLoadResult::Status;

ResultList listWithColumns(std::vector<std::string> titles)
{
    ResultList list;
    for (std::string& title : titles)
        list.columns.push_back({std::move(title), -1});
    return list;
}

ResultList deletedList()
{
    ResultList list = listWithColumns({"EMail Deleted", "Subject", "Account", "Date/Time"});
    list.rows.push_back({"a@x.com", 3, {"Cheap pills", "Home", "08/12/2026 14:05:33"}});
    list.rows.push_back({"b@y.org", 5, {"Hello", "Work", "09/12/2026 08:00:00"}});
    return list;
}

class ResultListFileTest : public ::testing::Test
{
protected:
    std::string listFile() const { return m_dir.file("list.led"); }

    TempHome m_dir;
};

TEST_F(ResultListFileTest, SavedFileHasTheListLayout)
{
    // Nothing of an older file stays, not even in a section the list writes too.
    writeBytes(listFile(), "[Old]\r\nstale=1\r\n[Item]\r\nR7=stale;1;0;\r\n");
    ResultListFile::save(deletedList(), listFile());
    EXPECT_EQ(readBytes(listFile()), "[General]\r\n"
                                     "Type=EMail Vantor List File\r\n"
                                     "ATTENTION=YOU DON NOT CHANGE NOTHING IN THIS FILE\r\n"
                                     "\r\n"
                                     "[ListView]\r\n"
                                     "Items=2\r\n"
                                     "Columns=4\r\n"
                                     "\r\n"
                                     "[Column]\r\n"
                                     "C0=EMail Deleted;-1;\r\n"
                                     "C1=Subject;-1;\r\n"
                                     "C2=Account;-1;\r\n"
                                     "C3=Date/Time;-1;\r\n"
                                     "\r\n"
                                     "[Item]\r\n"
                                     "R0=a@x.com;3;3;Cheap pills;Home;08/12/2026 14:05:33;\r\n"
                                     "R1=b@y.org;5;3;Hello;Work;09/12/2026 08:00:00;\r\n"
                                     "\r\n");
}

TEST_F(ResultListFileTest, LoadGivesBackWhatWasSaved)
{
    const ResultList saved = deletedList();
    ResultListFile::save(saved, listFile());
    ResultList loaded = listWithColumns({"", "", "", ""});
    loaded.rows.push_back({"old row", 1, {}});
    const ListLoadResult result = ResultListFile::load(loaded, listFile());
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_FALSE(result.isFailure());
    ASSERT_EQ(loaded.rows.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.rows[i].caption, saved.rows[i].caption);
        EXPECT_EQ(loaded.rows[i].icon, saved.rows[i].icon);
        EXPECT_EQ(loaded.rows[i].subItems, saved.rows[i].subItems);
    }
    EXPECT_EQ(loaded.columns[0].title, "EMail Deleted");
    EXPECT_EQ(loaded.columns[3].title, "Date/Time");
}

TEST_F(ResultListFileTest, EmptyListEmptiesTheTarget)
{
    ResultListFile::save(listWithColumns({"EMail Filtered", "Subject", "Account", "Date/Time"}), listFile());
    ResultList target = deletedList();
    EXPECT_EQ(ResultListFile::load(target, listFile()).status, Status::Loaded);
    EXPECT_TRUE(target.rows.empty());
    EXPECT_EQ(target.columns[0].title, "EMail Filtered");
}

TEST_F(ResultListFileTest, SemicolonInASubjectShiftsTheSubItems)
{
    ResultList list = deletedList();
    list.rows[0].subItems[0] = "Buy; now";
    ResultListFile::save(list, listFile());
    ResultList loaded = listWithColumns({"", "", "", ""});
    ResultListFile::load(loaded, listFile());
    EXPECT_EQ(loaded.rows[0].subItems, (std::vector<std::string>{"Buy", " now", "Home"}));
}

TEST_F(ResultListFileTest, SingleColumnListKeepsOnlyTheCount)
{
    ResultList list = listWithColumns({"Only"});
    list.rows.push_back({"x", 2, {"hidden"}});
    ResultListFile::save(list, listFile());
    EXPECT_NE(readBytes(listFile()).find("R0=x;2;1;\r\n"), std::string::npos);
    ResultList loaded = listWithColumns({""});
    ResultListFile::load(loaded, listFile());
    EXPECT_EQ(loaded.rows[0].subItems, (std::vector<std::string>{""}));
}

TEST_F(ResultListFileTest, FilesOfOtherKindsAreRefusedAndLeaveTheListAlone)
{
    ResultList target = deletedList();
    writeBytes(listFile(), "[General]\r\nType=Something Else\r\n[ListView]\r\nItems=0\r\n");
    ListLoadResult result = ResultListFile::load(target, listFile());
    EXPECT_EQ(result.status, Status::NotAListFile);
    EXPECT_EQ(result.message, "This is not a EMail Vantor List file.");
    EXPECT_EQ(result.textKey, "038");
    EXPECT_EQ(target.rows.size(), 2u);

    writeBytes(listFile(), "[ListView]\r\nItems=0\r\n");
    result = ResultListFile::load(target, listFile());
    EXPECT_EQ(result.status, Status::FileError);
    EXPECT_EQ(result.message, "File error.");
    EXPECT_EQ(result.textSection, "Message");
    EXPECT_EQ(result.textKey, "039");
    EXPECT_EQ(target.rows.size(), 2u);
}

TEST_F(ResultListFileTest, MissingFileChangesNothing)
{
    ResultList target = deletedList();
    EXPECT_EQ(ResultListFile::load(target, m_dir.file("none.lef")).status, Status::NoFile);
    EXPECT_EQ(target.rows.size(), 2u);
}

TEST_F(ResultListFileTest, MalformedRowStopsTheLoadKeepingEarlierRows)
{
    writeBytes(listFile(), "[General]\r\nType=EMail Vantor List File\r\n"
                           "[ListView]\r\nItems=4\r\nColumns=2\r\n"
                           "[Item]\r\nR0=a@x.com;3;1;One;\r\nR1=b@x.com;4;1\r\nR2=c@x.com;x;1;Three;\r\n");
    ResultList target = listWithColumns({"", ""});
    const ListLoadResult result = ResultListFile::load(target, listFile());
    EXPECT_EQ(result.status, Status::InvalidNumber);
    EXPECT_EQ(result.message, "'x' is not a valid integer value");
    ASSERT_EQ(target.rows.size(), 2u);
    // Fields missing at the end of a row give empty sub-items.
    EXPECT_EQ(target.rows[1].subItems, (std::vector<std::string>{""}));

    // A row key that is missing reads as "ERRORE", which holds no number either.
    writeBytes(listFile(), "[General]\r\nType=EMail Vantor List File\r\n[ListView]\r\nItems=1\r\n");
    EXPECT_EQ(ResultListFile::load(target, listFile()).message, "'ERRORE' is not a valid integer value");
    EXPECT_TRUE(target.rows.empty());
}

TEST_F(ResultListFileTest, AbsurdSubItemCountIsBounded)
{
    writeBytes(listFile(), "[General]\r\nType=EMail Vantor List File\r\n"
                           "[ListView]\r\nItems=1\r\n[Item]\r\nR0=a;1;2000000000;s;\r\n");
    ResultList target = listWithColumns({"", ""});
    EXPECT_EQ(ResultListFile::load(target, listFile()).status, Status::Loaded);
    ASSERT_EQ(target.rows.size(), 1u);
    EXPECT_EQ(target.rows[0].subItems.size(), 255u);
    EXPECT_EQ(target.rows[0].subItems[0], "s");
}

TEST_F(ResultListFileTest, MoreColumnsThanTheListIsAnError)
{
    ResultListFile::save(deletedList(), listFile());
    ResultList target = listWithColumns({"", ""});
    const ListLoadResult result = ResultListFile::load(target, listFile());
    EXPECT_EQ(result.status, Status::TooManyColumns);
    EXPECT_EQ(result.message, "List index out of bounds (2)");
    EXPECT_EQ(target.columns[1].title, "Subject");
    EXPECT_TRUE(target.rows.empty());
}

TEST_F(ResultListFileTest, LongRowIsCutAtTheLineLimit)
{
    ResultList list = deletedList();
    list.rows[0].subItems[0] = std::string(300, 's');
    ResultListFile::save(list, listFile());
    ResultList loaded = listWithColumns({"", "", "", ""});
    ResultListFile::load(loaded, listFile());
    // "R0=" and "a@x.com;3;3;" take 15 of the 255 characters of the line; the rest of the row is lost.
    EXPECT_EQ(loaded.rows[0].subItems, (std::vector<std::string>{std::string(240, 's'), "", ""}));
}

} // namespace
} // namespace vantor::records
