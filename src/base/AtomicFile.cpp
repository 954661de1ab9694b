#include "base/AtomicFile.h"

#include "base/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::base {

namespace {

// 0 or the errno of the failed write.
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A symbolic link is followed, so the link stays and its target gets the new content.
std::string resolveTarget(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path.string();
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path.string() : target.string();
}

// The directory entry is made durable too, so the rename survives a power cut.
void syncDirectory(const std::string& target)
{
    const std::string directory = std::filesystem::path(target).parent_path().string();
    FileDescriptor fd(
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

// Creates target + ".XXXXXX" with a free random suffix. Made like mkstemp, but with a mode of our choice,
// so that a new file gets what any created file gets: the umask and the directory's default ACL apply.
int createTemporary(const std::string& target, ::mode_t mode, std::string& name)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    name = target;
    name += ".XXXXXX";
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = name.size() - 6; i < name.size(); ++i)
            name[i] = Letters[random() % (sizeof Letters - 1)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Gives the temporary file the owner and permission bits the replaced file must have, then its content,
// flushed to disk. 0 or the errno of the failed step.
int fillTemporary(int fd, std::span<const std::string_view> pieces, const struct stat* original,
                  std::optional<unsigned> forcedMode)
{
    if (original != nullptr && (original->st_uid != ::geteuid() || original->st_gid != ::getegid())) {
        // Only root (or, for the group, a member of it) may hand the file back; for anyone else the
        // rewritten file becomes their own, as with any editor that saves by rename.
        [[maybe_unused]] const int ignored = ::fchown(fd, original->st_uid, original->st_gid);
    }
    // After the owner: a change of owner clears the set-id bits.
    if (forcedMode || original != nullptr) {
        const ::mode_t mode = forcedMode ? static_cast<::mode_t>(*forcedMode) : original->st_mode;
        if (::fchmod(fd, mode & 07777) != 0)
            return errno;
    }
    for (const std::string_view piece : pieces) {
        if (const int error = writeAll(fd, piece); error != 0)
            return error;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

std::error_code AtomicFile::write(const std::filesystem::path& path, std::string_view bytes,
                                  std::optional<unsigned> forcedMode)
{
    return write(path, std::span<const std::string_view>(&bytes, 1), forcedMode);
}

std::error_code AtomicFile::write(const std::filesystem::path& path, std::span<const std::string_view> pieces,
                                  std::optional<unsigned> forcedMode)
{
    const std::string target = resolveTarget(path);
    struct stat original
    {
    };
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return {errno, std::generic_category()};

    // Until its final bits are set, the temporary file is readable by its owner only: it may hold
    // passwords.
    const bool keepsMode = exists || forcedMode.has_value();
    std::string temporary;
    FileDescriptor fd(createTemporary(target, keepsMode ? 0600 : 0666, temporary));
    if (fd.get() < 0)
        return {errno, std::generic_category()};
    int error = fillTemporary(fd.get(), pieces, exists ? &original : nullptr, forcedMode);
    if (const int closeError = fd.closeNow(); error == 0)
        error = closeError;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return {error, std::generic_category()};
    }
    syncDirectory(target);
    return {};
}

} // namespace vantor::base
