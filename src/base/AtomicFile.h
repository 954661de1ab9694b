#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace vantor::base {

// Crash-safe replacement of a whole file: the new content goes to a temporary file beside it, is flushed
// to disk and renamed over the original, and the directory is flushed too. A failure at any point leaves
// the previous file as it was and no temporary file behind. A symbolic link is followed: the link stays
// and its target gets the new content.
class AtomicFile
{
public:
    // Replaces path's content with bytes. The file keeps its permission bits (and, where allowed, its
    // owner); a new file gets 0666 less the umask, like any file created. forcedMode (e.g. 0600) is
    // given to the file instead in both cases. An existing file that may not be written is refused like
    // a direct write would be. Returns the system error (generic category) or an empty error_code.
    [[nodiscard]] static std::error_code write(const std::filesystem::path& path, std::string_view bytes,
                                               std::optional<unsigned> forcedMode = std::nullopt);
    // The same with the new content given as pieces, written one after the other.
    [[nodiscard]] static std::error_code write(const std::filesystem::path& path,
                                               std::span<const std::string_view> pieces,
                                               std::optional<unsigned> forcedMode = std::nullopt);
};

} // namespace vantor::base
