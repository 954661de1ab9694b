#pragma once

#include "base/Clock.h"
#include "filter/FileStamp.h"
#include "storage/FileBytes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vantor::filter {

// Parsed file contents kept between uses and checked against the file at every use, so a change on disk
// is seen by the very next use while an unchanged file is not parsed again.
//
// A file is trusted unchanged when its stamp (identity, size, nanosecond times) is the same. On a file
// system whose clock is coarser than the change that happened, a rewrite within the same tick keeps the
// stamp; so an entry whose file was modified shortly before it was looked at is "racy" and its content is
// compared by hash until the file is old enough for its stamp alone to be trusted.
template <typename T> class FileCache
{
public:
    // Builds the value from the file at path, whose bytes are given; may read the file again itself.
    using Loader = std::function<std::shared_ptr<const T>(const std::string& path, std::string_view bytes)>;

    // Longer than the coarsest modification-time granularity in use (2 s on FAT).
    static constexpr std::int64_t RacyWindowNs = 3'000'000'000;

    // Reads the stamp of a file; FileStamp::of unless a test stands in for a coarse file system.
    using StampReader = std::function<std::optional<FileStamp>(const std::string& path)>;

    // clock: the time a file is looked at, which tells a recently modified file; it must outlive the cache.
    FileCache(Loader loader, const base::Clock& clock, StampReader stamps = defaultStamp)
        : m_loader(std::move(loader))
        , m_clock(&clock)
        , m_stamps(std::move(stamps))
    {}

    // The value for the file as it is now; null when the file is missing.
    // Throws what reading the file or the loader throws.
    std::shared_ptr<const T> get(const std::string& path)
    {
        const std::optional<FileStamp> stamp = m_stamps(path);
        if (!stamp) {
            m_entries.erase(path);
            return nullptr;
        }
        const std::int64_t observedNs = FileStamp::nanosecondsOf(m_clock->now());
        const auto found = m_entries.find(path);
        if (found != m_entries.end() && found->second.stamp == *stamp && !found->second.racy)
            return found->second.value;
        const std::optional<std::string> bytes = storage::filebytes::read(path);
        if (!bytes) {
            m_entries.erase(path);
            return nullptr;
        }
        const std::size_t hash = std::hash<std::string_view>{}(*bytes);
        if (found != m_entries.end() && found->second.stamp == *stamp && found->second.contentHash == hash) {
            found->second.racy = isRacy(*stamp, observedNs);
            return found->second.value;
        }
        Entry entry{*stamp, isRacy(*stamp, observedNs), hash, m_loader(path, *bytes)};
        return m_entries.insert_or_assign(path, std::move(entry)).first->second.value;
    }

private:
    struct Entry
    {
        FileStamp stamp;
        bool racy = true;
        std::size_t contentHash = 0;
        std::shared_ptr<const T> value;
    };

    static std::optional<FileStamp> defaultStamp(const std::string& path) { return FileStamp::of(path); }

    static bool isRacy(const FileStamp& stamp, std::int64_t observedNs)
    {
        return stamp.modifiedNs + RacyWindowNs >= observedNs;
    }

    Loader m_loader;
    const base::Clock* m_clock;
    StampReader m_stamps;
    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace vantor::filter
