#include "records/DeletedDatabase.h"

#include "support/TempHome.h"
#include "records/DelimitedTable.h"
#include "storage/ErrorLog.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;

const std::string Header(DeletedDatabase::Header);

ResultRow deletedRow(std::string sender, std::string subject)
{
    return ResultRow{std::move(sender), 3, {std::move(subject), "Home", "08/12/2026 14:05:33"}};
}

class DeletedDatabaseTest : public ::testing::Test
{
protected:
    std::string errorLogText() const { return readBytes(m_dir.dir() / "Error.log"); }

    TempHome m_dir;
    storage::ErrorLog m_errorLog{m_dir.path()};
};

TEST_F(DeletedDatabaseTest, NewDatabaseHoldsTheHeaderWithoutLineEnd)
{
    ASSERT_TRUE(DeletedDatabase::create(m_dir.path()));
    EXPECT_EQ(readBytes(DeletedDatabase::path(m_dir.path())), Header);
    EXPECT_EQ(Header.size(), 31u);
}

TEST_F(DeletedDatabaseTest, FirstUpdateCreatesTheFileAndAppendsEveryRow)
{
    DeletedDatabase::update(m_dir.path(), {deletedRow("a@x.com", "One, two"), deletedRow("b@x.com", "Three")},
                            m_errorLog);
    EXPECT_EQ(readBytes(DeletedDatabase::path(m_dir.path())),
              Header + "\r\na@x.com,\"One, two\",Home,08/12/2026 14:05:33\r\nb@x.com,Three,Home,08/12/2026 "
                       "14:05:33\r\n");
    DeletedDatabase::update(m_dir.path(), {deletedRow("c@x.com", "Four")}, m_errorLog);
    DelimitedTable table(DeletedDatabase::path(m_dir.path()).string());
    table.open();
    ASSERT_EQ(table.recordCount(), 3u);
    EXPECT_EQ(table.record(0)[1], "One, two");
    EXPECT_EQ(table.record(2)[0], "c@x.com");
    EXPECT_FALSE(std::filesystem::exists(m_dir.dir() / "Error.log"));
}

TEST_F(DeletedDatabaseTest, NoRowsLeaveEverythingAsItWas)
{
    DeletedDatabase::update(m_dir.path(), {}, m_errorLog);
    EXPECT_FALSE(std::filesystem::exists(DeletedDatabase::path(m_dir.path())));
}

TEST_F(DeletedDatabaseTest, EmptyFileGetsItsHeaderBeforeTheRecords)
{
    writeBytes(DeletedDatabase::path(m_dir.path()), "");
    DeletedDatabase::update(m_dir.path(), {deletedRow("a@x.com", "One")}, m_errorLog);
    DelimitedTable table(DeletedDatabase::path(m_dir.path()).string());
    table.open();
    EXPECT_EQ(table.fieldNames().front(), "EMail");
    EXPECT_EQ(table.recordCount(), 1u);
}

TEST_F(DeletedDatabaseTest, FileThatCannotBeCreatedIsLogged)
{
    // A home directory that does not exist: neither the database nor anything in it can be made.
    TempHome logHome;
    storage::ErrorLog errorLog(logHome.path());
    DeletedDatabase::update((m_dir.dir() / "missing").string(), {deletedRow("a@x.com", "One")}, errorLog);
    EXPECT_NE(
        readBytes(logHome.dir() / "Error.log").find("= 00012 - cannot create database file: backup.bak"),
        std::string::npos);
}

TEST_F(DeletedDatabaseTest, DatabaseThatCannotBeWrittenIsLogged)
{
    // A folder in place of the file: it exists, so nothing is created, and it cannot be opened as a table.
    std::filesystem::create_directory(DeletedDatabase::path(m_dir.path()));
    DeletedDatabase::update(m_dir.path(), {deletedRow("a@x.com", "One")}, m_errorLog);
    EXPECT_NE(errorLogText().find("= 00012 - cannot write delete emails in database: backup.bak"),
              std::string::npos);
}

} // namespace
} // namespace vantor::records
