#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace vantor::records {

// Reads pieces of a file at given offsets, refusing any piece that does not lie wholly inside the file. Small
// pieces come from a window of the file kept in memory, so that many small reads close to each other cost one
// read of the disk, not one each.
class WindowedFile
{
public:
    static constexpr std::size_t DefaultWindow = 256 * 1024;

    explicit WindowedFile(const std::filesystem::path& path, std::size_t window = DefaultWindow);

    bool isOpen() const { return m_in.is_open(); }
    std::uint64_t size() const { return m_size; }

    // How much one read of the disk brings in: large for pieces that follow each other, small for pieces
    // scattered over the file, where a large window would mostly bring in what nobody asks for.
    void setWindow(std::size_t bytes) { m_windowSize = bytes; }

    // The piece, in the window; valid until the next call. Null when the piece reaches outside the file, is
    // larger than the window, or cannot be read.
    const unsigned char* view(std::uint64_t offset, std::size_t length);
    // False, with nothing read, when the piece reaches outside the file or the file cannot be read.
    bool read(std::uint64_t offset, unsigned char* out, std::size_t length);
    bool read(std::uint64_t offset, std::vector<unsigned char>& out, std::size_t length);

private:
    bool readDirect(std::uint64_t offset, unsigned char* out, std::size_t length);

    std::ifstream m_in;
    std::uint64_t m_size = 0;
    std::size_t m_windowSize;
    std::vector<unsigned char> m_window;
    std::uint64_t m_windowStart = 0;
};

} // namespace vantor::records
