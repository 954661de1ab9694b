#include "base/AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using vantor::base::AtomicFile;

namespace {

class AtomicFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vantor-base-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_savedUmask = ::umask(022);
    }
    void TearDown() override
    {
        ::umask(m_savedUmask);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    fs::path file(const std::string& name) const { return m_dir / name; }
    fs::path create(const std::string& name, const std::string& bytes, unsigned mode) const
    {
        const fs::path path = file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        fs::permissions(path, static_cast<fs::perms>(mode));
        return path;
    }
    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static unsigned modeOf(const fs::path& path)
    {
        struct stat info
        {
        };
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }
    // Every name in the directory, so that a temporary file left behind shows.
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path m_dir;
    ::mode_t m_savedUmask = 0;
};

TEST_F(AtomicFileTest, AnExistingFileKeepsItsModeAndANewOneGetsTheUmasksDefault)
{
    const fs::path existing = create("kept.ini", "old", 0640);
    EXPECT_FALSE(AtomicFile::write(existing, "new content"));
    EXPECT_EQ(read(existing), "new content");
    EXPECT_EQ(modeOf(existing), 0640u);

    // Not the 0600 a temporary file starts with: what an ordinary create under this umask gives.
    ::umask(027);
    const fs::path fresh = file("fresh.ini");
    EXPECT_FALSE(AtomicFile::write(fresh, "first"));
    EXPECT_EQ(read(fresh), "first");
    EXPECT_EQ(modeOf(fresh), 0640u);
    EXPECT_EQ(names(), (std::vector<std::string>{"fresh.ini", "kept.ini"}));
}

TEST_F(AtomicFileTest, AForcedModeWinsOverTheOldModeAndTheUmask)
{
    const fs::path shared = create("account.vta", "old", 0644);
    EXPECT_FALSE(AtomicFile::write(shared, "secret", 0600));
    EXPECT_EQ(modeOf(shared), 0600u);

    ::umask(0);
    const fs::path fresh = file("new.vta");
    EXPECT_FALSE(AtomicFile::write(fresh, "secret", 0600));
    EXPECT_EQ(modeOf(fresh), 0600u);
}

TEST_F(AtomicFileTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporaryFile)
{
    const fs::path path = create("big.led", "the old content", 0644);
    // The file size limit stops the write after the first kilobyte, as a full disk would; it is set in
    // a child process so that the test program itself keeps writing freely.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::error_code error = AtomicFile::write(path, std::string(64 * 1024, 'x'));
        ::_exit(error.value() == EFBIG ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write did not report EFBIG";
    EXPECT_EQ(read(path), "the old content");
    EXPECT_EQ(modeOf(path), 0644u);
    EXPECT_EQ(names(), std::vector<std::string>{"big.led"});
}

TEST_F(AtomicFileTest, ADirectoryInTheWayIsReportedAndLeftAlone)
{
    // Where the file belongs: the rename fails after the temporary file was written.
    fs::create_directory(file("taken"));
    create("taken/inside", "kept", 0644);
    EXPECT_EQ(AtomicFile::write(file("taken"), "bytes"), std::error_code(EISDIR, std::generic_category()));
    EXPECT_EQ(read(file("taken/inside")), "kept");

    // Where the folder belongs: nothing can be created at all.
    create("plain", "kept", 0644);
    EXPECT_EQ(AtomicFile::write(file("plain") / "file.ini", "bytes"),
              std::error_code(ENOTDIR, std::generic_category()));
    EXPECT_EQ(read(file("plain")), "kept");
    EXPECT_EQ(names(), (std::vector<std::string>{"plain", "taken"}));
}

} // namespace
