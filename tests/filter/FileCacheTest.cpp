#include "filter/FileCache.h"

#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace vantor::filter {
namespace {

using vantor::test::TempHome;

// Remembers how often the cache parsed a file; the value is the file's text.
struct CountingLoader
{
    int* loads;
    std::shared_ptr<const std::string> operator()(const std::string&, std::string_view bytes) const
    {
        ++*loads;
        return std::make_shared<const std::string>(bytes);
    }
};

void setModified(const std::string& path, std::filesystem::file_time_type time)
{
    std::filesystem::last_write_time(path, time);
}

TEST(FileCacheTest, UnchangedOldFileIsParsedOnce)
{
    TempHome home;
    home.write("a.txt", "first");
    setModified(home.file("a.txt"), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, base::systemClock());
    EXPECT_EQ(*cache.get(home.file("a.txt")), "first");
    EXPECT_EQ(*cache.get(home.file("a.txt")), "first");
    EXPECT_EQ(*cache.get(home.file("a.txt")), "first");
    EXPECT_EQ(loads, 1);
}

TEST(FileCacheTest, SameSizeRewriteWithinTheSameSecondIsSeenAtOnce)
{
    TempHome home;
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, base::systemClock());
    home.write("a.txt", "aaaa");
    EXPECT_EQ(*cache.get(home.file("a.txt")), "aaaa");
    home.write("a.txt", "bbbb");
    EXPECT_EQ(*cache.get(home.file("a.txt")), "bbbb");
}

TEST(FileCacheTest, RewriteWithTheOldModificationTimeRestoredIsSeen)
{
    TempHome home;
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    home.write("a.txt", "aaaa");
    setModified(home.file("a.txt"), past);
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, base::systemClock());
    EXPECT_EQ(*cache.get(home.file("a.txt")), "aaaa");
    home.write("a.txt", "bbbb");
    setModified(home.file("a.txt"), past);
    EXPECT_EQ(*cache.get(home.file("a.txt")), "bbbb");
}

// A file system whose times are too coarse to tell two writes in the same tick apart: while the clock says
// the file was modified moments ago its content is compared, so every rewrite is seen; once the clock is past
// the racy window the unchanged stamp alone is trusted, until the file gets a new time.
TEST(FileCacheTest, CoarseStampsFallBackToTheContentWhileTheClockSaysTheFileIsRecent)
{
    TempHome home;
    const std::string path = home.file("a.txt");
    base::SettableClock clock;
    std::int64_t modifiedNs = FileStamp::nanosecondsOf(clock.now());
    const auto frozenStamp = [&](const std::string&) {
        return std::optional<FileStamp>(FileStamp{1, 1, 4, modifiedNs, 0});
    };
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, clock, frozenStamp);
    home.write("a.txt", "aaaa");
    EXPECT_EQ(*cache.get(path), "aaaa");
    clock.advance(std::chrono::seconds(2));
    home.write("a.txt", "bbbb");
    EXPECT_EQ(*cache.get(path), "bbbb");
    EXPECT_EQ(*cache.get(path), "bbbb");
    EXPECT_EQ(loads, 2);

    clock.advance(std::chrono::seconds(2));
    EXPECT_EQ(*cache.get(path), "bbbb");
    home.write("a.txt", "cccc");
    EXPECT_EQ(*cache.get(path), "bbbb");
    EXPECT_EQ(loads, 2);

    modifiedNs = FileStamp::nanosecondsOf(clock.now());
    EXPECT_EQ(*cache.get(path), "cccc");
    EXPECT_EQ(loads, 3);
}

TEST(FileCacheTest, MissingOrVanishedFileGivesNothing)
{
    TempHome home;
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, base::systemClock());
    EXPECT_EQ(cache.get(home.file("none.txt")), nullptr);
    home.write("a.txt", "x");
    EXPECT_NE(cache.get(home.file("a.txt")), nullptr);
    std::filesystem::remove(home.file("a.txt"));
    EXPECT_EQ(cache.get(home.file("a.txt")), nullptr);
    std::filesystem::create_directory(home.file("a.txt"));
    EXPECT_EQ(cache.get(home.file("a.txt")), nullptr);
}

TEST(FileCacheTest, ReplacementByRenameIsSeenThroughTheFileIdentity)
{
    TempHome home;
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    home.write("a.txt", "aaaa");
    home.write("b.txt", "bbbb");
    setModified(home.file("a.txt"), past);
    setModified(home.file("b.txt"), past);
    int loads = 0;
    FileCache<std::string> cache(CountingLoader{&loads}, base::systemClock());
    EXPECT_EQ(*cache.get(home.file("a.txt")), "aaaa");
    std::filesystem::rename(home.file("b.txt"), home.file("a.txt"));
    EXPECT_EQ(*cache.get(home.file("a.txt")), "bbbb");
}

} // namespace
} // namespace vantor::filter
