#include "base/FileReader.h"

#include "base/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::base {

namespace {

// Reads until capacity bytes have arrived or the file ends: how many arrived, or -1 (errno set).
long readUpTo(int fd, char* data, std::size_t capacity)
{
    std::size_t filled = 0;
    while (filled < capacity) {
        const ssize_t count = ::read(fd, data + filled, capacity - filled);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        filled += static_cast<std::size_t>(count);
    }
    return static_cast<long>(filled);
}

std::error_code systemError(int error)
{
    return {error, std::generic_category()};
}

} // namespace

std::error_code readFile(const std::filesystem::path& path, std::string& bytes)
{
    bytes.clear();
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return systemError(errno);
    struct stat info
    {
    };
    if (::fstat(fd.get(), &info) != 0)
        return systemError(errno);
    if (S_ISDIR(info.st_mode))
        return systemError(EISDIR);
    // Read straight into the result. The size is only a first guess: the file may have grown since, and
    // some files (under /proc, for one) report 0.
    bytes.resize(static_cast<std::size_t>(info.st_size));
    long got = readUpTo(fd.get(), bytes.data(), bytes.size());
    if (got < 0) {
        bytes.clear();
        return systemError(errno);
    }
    bytes.resize(static_cast<std::size_t>(got));
    if (bytes.size() == static_cast<std::size_t>(info.st_size)) {
        char buffer[65536];
        while ((got = readUpTo(fd.get(), buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        if (got < 0) {
            bytes.clear();
            return systemError(errno);
        }
    }
    return {};
}

std::string readFile(const std::filesystem::path& path)
{
    std::string bytes;
    if (const std::error_code error = readFile(path, bytes))
        throw std::filesystem::filesystem_error("cannot read the file", path, error);
    return bytes;
}

} // namespace vantor::base
