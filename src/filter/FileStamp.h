#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vantor::filter {

// What identifies one state of a file without reading it: device and file number, size, and the
// modification and change times in nanoseconds. A rewrite in place changes the times; a replacement by
// rename changes the file number.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t fileNumber = 0;
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // The stamp of a regular file; nothing when path is missing or not a regular file.
    static std::optional<FileStamp> of(const std::string& path);
    // Now, on the clock the stamp times are taken from.
    static std::int64_t nowNs();

    bool operator==(const FileStamp&) const = default;
};

} // namespace vantor::filter
