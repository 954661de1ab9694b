#include "storage/FileBytes.h"

#include "storage/IniError.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::storage::filebytes {

namespace {

[[noreturn]] void fail(int error)
{
    throw IniError(errorText(error));
}

// Closes the descriptor when the scope ends, unless released.
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
    // Closes now and reports the error that close itself may bring (a deferred write error).
    int closeNow()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

void writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

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

// A symbolic link is followed, so the link stays and its target gets the new content.
std::string resolveTarget(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

// The directory entry is made durable too, so the rename survives a power cut.
void syncDirectory(const std::string& target)
{
    std::string directory = std::filesystem::path(target).parent_path().string();
    if (directory.empty())
        directory = ".";
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

// Writes the temporary file completely, with the original's permissions; throws on any failure.
void fillTemporary(int fd, std::span<const std::string_view> pieces, const struct stat* original)
{
    if (original != nullptr && ::fchmod(fd, original->st_mode & 07777) != 0)
        fail(errno);
    for (const std::string_view piece : pieces)
        writeAll(fd, piece);
    if (::fsync(fd) != 0)
        fail(errno);
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

void replace(const std::string& path, std::string_view bytes)
{
    replace(path, std::span<const std::string_view>(&bytes, 1));
}

void replace(const std::string& path, std::span<const std::string_view> pieces)
{
    const std::string target = resolveTarget(path);
    struct stat original
    {
    };
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        fail(errno);

    std::string temporary = target + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        fail(errno);
    try {
        fillTemporary(fd.get(), pieces, exists ? &original : nullptr);
        if (const int error = fd.closeNow(); error != 0)
            fail(error);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            fail(errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    syncDirectory(target);
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
