#include "records/BackupFolder.h"

#include "TempDir.h"
#include "records/ClearBackups.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vantor::records {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

class BackupFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(folder());
        writeBytes(folder() / "01012026 10_00_00 - a@x.com.vtb", "one");
        writeBytes(folder() / "02012026 11_00_00 - b@x.com.vtb", "two");
    }
    fs::path folder() const { return m_home.path() / "EBak"; }

    TempDir m_home;
};

TEST_F(BackupFolderTest, ListsFilesButNotFoldersOrHiddenEntries)
{
    fs::create_directory(folder() / "sub");
    writeBytes(folder() / ".hidden", "x");
    std::vector<std::string> names = listBackupFiles(m_home.str());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"01012026 10_00_00 - a@x.com.vtb",
                                               "02012026 11_00_00 - b@x.com.vtb"}));
}

TEST_F(BackupFolderTest, DeletingAllKeepsTheFolder)
{
    deleteBackupFiles(m_home.str());
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(listBackupFiles(m_home.str()).empty());
}

TEST_F(BackupFolderTest, ClearRemovesAFolderThatHeldOnlyFiles)
{
    clearBackups(m_home.str());
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(BackupFolderTest, ClearKeepsAFolderWithASubDirectory)
{
    fs::create_directory(folder() / "sub");
    writeBytes(folder() / "sub" / "inner.vtb", "kept");
    clearBackups(m_home.str());
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(listBackupFiles(m_home.str()).empty());
    EXPECT_TRUE(fs::exists(folder() / "sub" / "inner.vtb"));
}

TEST_F(BackupFolderTest, ClearRemovesALinkButNotWhatItPointsTo)
{
    TempDir elsewhere;
    writeBytes(elsewhere.path() / "precious.txt", "keep me");
    fs::create_directory_symlink(elsewhere.path(), folder() / "link");
    clearBackups(m_home.str());
    EXPECT_FALSE(fs::exists(folder()));
    EXPECT_TRUE(fs::exists(elsewhere.path() / "precious.txt"));
}

TEST(BackupFolderMissing, NothingHappensWithoutTheFolder)
{
    TempDir home;
    EXPECT_TRUE(listBackupFiles(home.str()).empty());
    EXPECT_NO_THROW(clearBackups(home.str()));
    EXPECT_NO_THROW(deleteBackupFiles(home.str()));

    // A file that happens to be called EBak is not a backup folder.
    writeBytes(home.path() / "EBak", "not a folder");
    clearBackups(home.str());
    EXPECT_TRUE(fs::is_regular_file(home.path() / "EBak"));
}

} // namespace
} // namespace vantor::records
