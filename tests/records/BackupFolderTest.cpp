#include "records/BackupFolder.h"

#include "support/TempHome.h"
#include "records/ClearBackups.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vantor::records {
namespace {

namespace fs = std::filesystem;
using vantor::test::TempHome;
using vantor::test::writeBytes;

class BackupFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(folder());
        writeBytes(folder() / "01012026 10_00_00 - a@x.com.vtb", "one");
        writeBytes(folder() / "02012026 11_00_00 - b@x.com.vtb", "two");
    }
    fs::path folder() const { return m_home.dir() / "EBak"; }

    TempHome m_home;
};

TEST_F(BackupFolderTest, ListsFilesButNotFoldersOrHiddenEntries)
{
    fs::create_directory(folder() / "sub");
    writeBytes(folder() / ".hidden", "x");
    std::vector<std::string> names = listBackupFiles(m_home.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"01012026 10_00_00 - a@x.com.vtb",
                                               "02012026 11_00_00 - b@x.com.vtb"}));
}

TEST_F(BackupFolderTest, DeletingAllKeepsTheFolder)
{
    deleteBackupFiles(m_home.path());
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(listBackupFiles(m_home.path()).empty());
}

TEST_F(BackupFolderTest, ClearRemovesAFolderThatHeldOnlyFiles)
{
    clearBackups(m_home.path());
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(BackupFolderTest, ClearKeepsAFolderWithASubDirectory)
{
    fs::create_directory(folder() / "sub");
    writeBytes(folder() / "sub" / "inner.vtb", "kept");
    clearBackups(m_home.path());
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(listBackupFiles(m_home.path()).empty());
    EXPECT_TRUE(fs::exists(folder() / "sub" / "inner.vtb"));
}

TEST_F(BackupFolderTest, ClearRemovesALinkButNotWhatItPointsTo)
{
    TempHome elsewhere;
    writeBytes(elsewhere.dir() / "precious.txt", "keep me");
    fs::create_directory_symlink(elsewhere.path(), folder() / "link");
    clearBackups(m_home.path());
    EXPECT_FALSE(fs::exists(folder()));
    EXPECT_TRUE(fs::exists(elsewhere.dir() / "precious.txt"));
}

TEST(BackupFolderMissing, NothingHappensWithoutTheFolder)
{
    TempHome home;
    EXPECT_TRUE(listBackupFiles(home.path()).empty());
    EXPECT_NO_THROW(clearBackups(home.path()));
    EXPECT_NO_THROW(deleteBackupFiles(home.path()));

    // A file that happens to be called EBak is not a backup folder.
    writeBytes(home.dir() / "EBak", "not a folder");
    clearBackups(home.path());
    EXPECT_TRUE(fs::is_regular_file(home.dir() / "EBak"));
}

} // namespace
} // namespace vantor::records
