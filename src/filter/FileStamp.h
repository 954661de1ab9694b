#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vantor::filter {

// What identifies one state of a file without reading it: device and file number, size, and the
// modification and change times in nanoseconds of the system clock (since 1970). A rewrite in place changes
// the times; a replacement by rename changes the file number.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t fileNumber = 0;
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // The stamp of a regular file; nothing when path is missing or not a regular file.
    static std::optional<FileStamp> of(const std::string& path);
    // A time point of the system clock in the stamps' unit.
    static std::int64_t nanosecondsOf(std::chrono::system_clock::time_point time);

    bool operator==(const FileStamp&) const = default;
};

} // namespace vantor::filter
