#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vantor::fuzz {

// A directory of the fuzzing process's own, removed when the process exits. Harnesses over readers that
// only read files write each input to the same path in it, so a long run does not litter the disk.
class ScratchDirectory
{
public:
    explicit ScratchDirectory(std::string_view tool)
        : m_path(std::filesystem::temp_directory_path() /
                 (std::string(tool) + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Replaces the file with the bytes.
inline void writeFile(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace vantor::fuzz
