#include "filter/FileStamp.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#define VANTOR_HAVE_STAT 1
#endif

namespace vantor::filter {

namespace {

#ifdef VANTOR_HAVE_STAT
std::int64_t nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

const timespec& modificationTime(const struct stat& info)
{
#ifdef __APPLE__
    return info.st_mtimespec;
#else
    return info.st_mtim;
#endif
}

const timespec& changeTime(const struct stat& info)
{
#ifdef __APPLE__
    return info.st_ctimespec;
#else
    return info.st_ctim;
#endif
}
#endif

} // namespace

std::optional<FileStamp> FileStamp::of(const std::string& path)
{
#ifdef VANTOR_HAVE_STAT
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uintmax_t>(info.st_size), nanoseconds(modificationTime(info)),
                     nanoseconds(changeTime(info))};
#else
    // Without stat there is no file number or change time; size and modification time still catch every
    // change the racy-window check in the file cache does not.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return FileStamp{0, 0, size, nanosecondsOf(std::chrono::file_clock::to_sys(modified)), 0};
#endif
}

std::int64_t FileStamp::nanosecondsOf(std::chrono::system_clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

} // namespace vantor::filter
