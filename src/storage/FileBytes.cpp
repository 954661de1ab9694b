#include "storage/FileBytes.h"

#include "base/AtomicFile.h"
#include "storage/IniError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::storage::filebytes {

namespace {

[[noreturn]] void fail(int error)
{
    throw IniError(errorText(error));
}

// Closes the descriptor when the scope ends.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads until capacity bytes have arrived or the file ends; returns how many arrived.
std::size_t readUpTo(int fd, char* data, std::size_t capacity)
{
    std::size_t filled = 0;
    while (filled < capacity) {
        const ssize_t count = ::read(fd, data + filled, capacity - filled);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

} // namespace

std::optional<std::string> read(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        fail(errno);
    }
    struct stat info
    {
    };
    if (::fstat(fd.get(), &info) != 0)
        fail(errno);
    if (S_ISDIR(info.st_mode))
        fail(EISDIR);
    // Read straight into the result. The size is only a first guess: the file may have grown since, and
    // some files (under /proc, for one) report 0.
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    bytes.resize(readUpTo(fd.get(), bytes.data(), bytes.size()));
    if (bytes.size() == static_cast<std::size_t>(info.st_size)) {
        char buffer[65536];
        while (const std::size_t count = readUpTo(fd.get(), buffer, sizeof buffer))
            bytes.append(buffer, count);
    }
    return bytes;
}

void replace(const std::string& path, std::string_view bytes, std::optional<unsigned> forcedMode)
{
    replace(path, std::span<const std::string_view>(&bytes, 1), forcedMode);
}

void replace(const std::string& path, std::span<const std::string_view> pieces,
             std::optional<unsigned> forcedMode)
{
    if (const std::error_code error = base::AtomicFile::write(path, pieces, forcedMode))
        fail(error.value());
}

std::string errorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(error);
    }
}

} // namespace vantor::storage::filebytes
