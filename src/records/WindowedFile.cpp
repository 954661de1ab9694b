#include "records/WindowedFile.h"

#include <algorithm>
#include <cstring>

namespace vantor::records {

namespace fs = std::filesystem;

WindowedFile::WindowedFile(const fs::path& path, std::size_t window)
    : m_windowSize(window)
{
    // The window is the only buffer: the stream's own would read a few kilobytes more at every seek.
    m_in.rdbuf()->pubsetbuf(nullptr, 0);
    m_in.open(path, std::ios::binary);
    std::error_code error;
    m_size = fs::file_size(path, error);
    if (error)
        m_in.close();
}

const unsigned char* WindowedFile::view(std::uint64_t offset, std::size_t length)
{
    if (offset > m_size || length > m_size - offset || length > std::max(m_windowSize, m_window.size()))
        return nullptr;
    const bool isInWindow = offset >= m_windowStart && offset - m_windowStart + length <= m_window.size();
    if (!isInWindow) {
        const auto windowLength =
            static_cast<std::size_t>(std::min<std::uint64_t>(std::max(m_windowSize, length), m_size - offset));
        m_window.resize(windowLength);
        if (!readDirect(offset, m_window.data(), windowLength)) {
            m_window.clear();
            return nullptr;
        }
        m_windowStart = offset;
    }
    return &m_window[static_cast<std::size_t>(offset - m_windowStart)];
}

bool WindowedFile::read(std::uint64_t offset, unsigned char* out, std::size_t length)
{
    if (offset > m_size || length > m_size - offset)
        return false;
    // Nothing to copy, and out may be the null data of an empty vector.
    if (length == 0)
        return true;
    // A piece larger than the window goes straight to its destination.
    if (length > m_windowSize)
        return readDirect(offset, out, length);
    const unsigned char* piece = view(offset, length);
    if (piece == nullptr)
        return false;
    std::memcpy(out, piece, length);
    return true;
}

bool WindowedFile::read(std::uint64_t offset, std::vector<unsigned char>& out, std::size_t length)
{
    if (offset > m_size || length > m_size - offset)
        return false;
    out.resize(length);
    return read(offset, out.data(), length);
}

bool WindowedFile::readDirect(std::uint64_t offset, unsigned char* out, std::size_t length)
{
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(length));
    return m_in.gcount() == static_cast<std::streamsize>(length);
}

} // namespace vantor::records
