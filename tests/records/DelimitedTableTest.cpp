#include "records/DelimitedTable.h"

#include "support/TempHome.h"
#include "records/DeletedDatabase.h"
#include "records/TableError.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantor::records {
namespace {

using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;
using Values = std::vector<std::string>;

const std::string Header(DeletedDatabase::Header);

class DelimitedTableTest : public ::testing::Test
{
protected:
    std::string dbFile() const { return m_dir.file("backup.bak"); }

    TempHome m_dir;
};

TEST_F(DelimitedTableTest, MissingFileCannotBeOpened)
{
    DelimitedTable table(dbFile());
    try {
        table.open();
        FAIL() << "opened a missing file";
    } catch (const TableError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + dbFile());
    }
    EXPECT_FALSE(table.isOpen());
    EXPECT_THROW(table.recordCount(), TableError);
}

TEST_F(DelimitedTableTest, FirstAppendOnNewFileKeepsLongValuesWhole)
{
    writeBytes(dbFile(), Header);
    const std::string subject = "A subject that is much longer than the thirty-one bytes of the header";
    const std::string line = "spammer@example.com," + subject + ",Home,08/12/2026 14:05:33";
    {
        DelimitedTable table(dbFile());
        table.open();
        EXPECT_EQ(table.fieldNames(), (Values{"EMail", "Subject", "Account", "Date/Time"}));
        EXPECT_EQ(table.fieldCapacity(), 31u);
        EXPECT_EQ(table.recordCount(), 0u);
        table.append({"spammer@example.com", subject, "Home", "08/12/2026 14:05:33"});
        EXPECT_TRUE(table.isModified());
        table.close();
    }
    // The header gains its line end once records follow it.
    EXPECT_EQ(readBytes(dbFile()), Header + "\r\n" + line + "\r\n");

    DelimitedTable reopened(dbFile());
    reopened.open();
    EXPECT_EQ(reopened.fieldCapacity(), line.size());
    ASSERT_EQ(reopened.recordCount(), 1u);
    EXPECT_EQ(reopened.record(0), (Values{"spammer@example.com", subject, "Home", "08/12/2026 14:05:33"}));
}

TEST_F(DelimitedTableTest, CapacityIsTheLongestLineOr250)
{
    writeBytes(dbFile(), "a,b\r\n123456789012\r\nxy\r\n");
    DelimitedTable table(dbFile());
    table.open();
    EXPECT_EQ(table.fieldCapacity(), 12u);
    table.close();

    writeBytes(dbFile(), "\r\n\r\n");
    table.open();
    EXPECT_EQ(table.fieldCapacity(), DelimitedTable::DefaultCapacity);
}

TEST_F(DelimitedTableTest, NavigationAndDeleteRewriteTheFile)
{
    writeBytes(dbFile(), Header + "\r\na@x,One\r\nb@x,Two\nc@x,Three");
    DelimitedTable table(dbFile());
    table.open();
    EXPECT_EQ(table.recordCount(), 3u);
    EXPECT_EQ(table.lineCount(), 4u);
    Values seen;
    for (table.first(); !table.atEnd(); table.next())
        seen.push_back(table.currentRecord()[0]);
    EXPECT_EQ(seen, (Values{"a@x", "b@x", "c@x"}));

    table.first();
    table.next();
    ASSERT_TRUE(table.deleteCurrent());
    EXPECT_EQ(table.currentRecord()[0], "c@x");
    table.close();
    // Every line written back with CR LF, the kept ones with their text unchanged.
    EXPECT_EQ(readBytes(dbFile()), Header + "\r\na@x,One\r\nc@x,Three\r\n");
}

TEST_F(DelimitedTableTest, DeletingEveryRecordLeavesTheHeader)
{
    writeBytes(dbFile(), Header + "\r\na@x,One\r\nb@x,Two\r\n");
    DelimitedTable table(dbFile());
    table.open();
    while (table.deleteCurrent()) {
    }
    EXPECT_EQ(table.recordCount(), 0u);
    EXPECT_FALSE(table.deleteCurrent());
    table.close();
    EXPECT_EQ(readBytes(dbFile()), Header + "\r\n");
}

TEST_F(DelimitedTableTest, AppendWritesOnlyTheNewLines)
{
    // Lines ending in a lone LF would become CR LF in a rewrite: an append leaves them alone.
    const std::string before = Header + "\na@x,One\nb@x,Two";
    writeBytes(dbFile(), before);
    {
        DelimitedTable table(dbFile());
        table.open();
        table.append({"c@x", "Three, and more"});
        table.append({"d@x", "Four"});
    } // closed by the destructor
    EXPECT_EQ(readBytes(dbFile()), before + "\r\nc@x,\"Three, and more\"\r\nd@x,Four\r\n");
}

TEST_F(DelimitedTableTest, RecordsAppendedBeforeReadingAreSeenAfterTheFileLines)
{
    writeBytes(dbFile(), Header + "\r\na@x,One\r\n");
    DelimitedTable table(dbFile());
    table.open();
    table.append({"b@x", "Two"});
    ASSERT_EQ(table.recordCount(), 2u);
    EXPECT_EQ(table.record(1), (Values{"b@x", "Two", "", ""}));
    table.append({"c@x", "Three"});
    EXPECT_EQ(table.recordCount(), 3u);
    table.close();
    EXPECT_EQ(readBytes(dbFile()), Header + "\r\na@x,One\r\nb@x,Two\r\nc@x,Three\r\n");
}

// Sets the limit on the size of any file this process writes; beyond it a write fails (EFBIG) as on a full
// disk, also for root.
void limitFileSize(rlim_t bytes)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// Runs check in a child process, so that a file size limit stays there; its result is the exit status.
int inChildProcess(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        int result = 99;
        try {
            result = check();
        } catch (...) {
        }
        ::_exit(result);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(DelimitedTableTest, FailedWriteKeepsTheTableOpenAndTheOldFileWhole)
{
    const std::string old = Header + "\r\na@x,One\r\n";
    writeBytes(dbFile(), old);
    const int failedStep = inChildProcess([&] {
        DelimitedTable table(dbFile());
        table.open();
        if (!table.deleteCurrent())
            return 1;
        limitFileSize(16);
        try {
            table.close();
            return 2;
        } catch (const TableError&) {
        }
        if (!table.isOpen() || !table.isModified() || readBytes(dbFile()) != old)
            return 3;
        limitFileSize(RLIM_INFINITY);
        table.close();
        return table.isOpen() ? 4 : 0;
    });
    EXPECT_EQ(failedStep, 0);
    EXPECT_EQ(readBytes(dbFile()), Header + "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1)
        << "temporary file left";
}

TEST_F(DelimitedTableTest, ClosedTableRefusesReadsAndAppends)
{
    DelimitedTable table(dbFile());
    EXPECT_THROW(table.append({"a"}), TableError);
    EXPECT_THROW(table.first(), TableError);
    EXPECT_NO_THROW(table.close());
}

} // namespace
} // namespace vantor::records
