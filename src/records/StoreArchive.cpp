#include "records/StoreArchive.h"

#include "base/FileDescriptor.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace vantor::records {

namespace {

using Status = StoreArchive::Status;

// Closes an archive opened for reading; one opened for writing is closed explicitly (zip_close) and then
// released here only when that failed.
struct ArchiveHandle
{
    zip_t* archive = nullptr;
    ~ArchiveHandle()
    {
        if (archive)
            zip_discard(archive);
    }
};

struct EntryFile
{
    zip_file_t* file = nullptr;
    ~EntryFile()
    {
        if (file)
            zip_fclose(file);
    }
};

Status openStatus(int error)
{
    switch (error) {
    case ZIP_ER_NOENT:
        return Status::Missing;
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return Status::NotAnArchive;
    default:
        return Status::CannotWrite;
    }
}

zip_t* openArchive(const std::filesystem::path& file, int flags, Status* status)
{
    int error = ZIP_ER_OK;
    zip_t* archive = zip_open(file.c_str(), flags, &error);
    if (!archive)
        *status = (flags & ZIP_RDONLY) && error == ZIP_ER_OPEN ? Status::NotAnArchive : openStatus(error);
    return archive;
}

StoreArchive::Entry entryAt(zip_t* archive, zip_uint64_t index)
{
    StoreArchive::Entry entry;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0)
        return entry;
    if (stat.valid & ZIP_STAT_NAME)
        entry.name = stat.name;
    if (stat.valid & ZIP_STAT_SIZE)
        entry.size = stat.size;
    if (stat.valid & ZIP_STAT_MTIME)
        entry.modified = stat.mtime;
    entry.isEncrypted = (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
    return entry;
}

// What zip_close reports goes to the caller's progress callback; a "stop" from it is kept until libzip asks
// whether to cancel, which it does between its steps.
struct AddProgress
{
    const StoreArchive::Progress* progress;
    std::vector<std::pair<std::string, double>> fileEnds;
    bool isCancelled = false;
};

void onAddProgress(zip_t*, double fraction, void* state)
{
    auto& add = *static_cast<AddProgress*>(state);
    if (add.isCancelled)
        return;
    std::string file;
    for (const auto& [name, end] : add.fileEnds) {
        file = name;
        if (fraction <= end)
            break;
    }
    add.isCancelled = !(*add.progress)(file, fraction);
}

int onAddCancel(zip_t*, void* state)
{
    return static_cast<AddProgress*>(state)->isCancelled ? 1 : 0;
}

mode_t newFileMode(const std::filesystem::path& target)
{
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

StoreArchive::StoreArchive(std::filesystem::path file)
    : m_file(std::move(file))
{}

bool StoreArchive::isSafeEntryName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    // A colon is a drive letter or an alternate data stream on Windows; slashes of either kind make a path.
    return name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

std::size_t StoreArchive::characterCount(const std::string& text)
{
    std::size_t count = 0;
    for (const char byte : text)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

StoreArchive::Contents StoreArchive::read() const
{
    Contents contents;
    ArchiveHandle handle;
    handle.archive = openArchive(m_file, ZIP_RDONLY | ZIP_CHECKCONS, &contents.status);
    if (!handle.archive)
        return contents;
    int length = 0;
    if (const char* comment = zip_get_archive_comment(handle.archive, &length, ZIP_FL_ENC_RAW))
        contents.comment.assign(comment, static_cast<std::size_t>(length));
    const zip_int64_t count = zip_get_num_entries(handle.archive, 0);
    for (zip_int64_t index = 0; index < count; ++index)
        contents.entries.push_back(entryAt(handle.archive, static_cast<zip_uint64_t>(index)));
    return contents;
}

StoreArchive::Status StoreArchive::add(const std::vector<std::filesystem::path>& files,
                                       const std::string& comment, const std::string& password,
                                       const Progress& progress, std::filesystem::path* failedFile) const
{
    if (characterCount(password) > MaxPasswordLength)
        return Status::PasswordTooLong;
    std::uintmax_t totalSize = 0;
    std::vector<std::uintmax_t> sizes;
    for (const std::filesystem::path& file : files) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        if (error || !std::ifstream(file, std::ios::binary)) {
            if (failedFile)
                *failedFile = file;
            return Status::CannotRead;
        }
        if (!isSafeEntryName(file.filename().string()))
            return Status::UnsafeName;
        sizes.push_back(size);
        totalSize += size;
    }

    Status status = Status::Ok;
    ArchiveHandle handle;
    handle.archive = openArchive(m_file, ZIP_CREATE, &status);
    if (!handle.archive)
        return status;
    if (zip_set_archive_comment(handle.archive, comment.data(), static_cast<zip_uint16_t>(comment.size())) !=
        0)
        return Status::CannotWrite;
    AddProgress state{&progress, {}, false};
    std::uintmax_t sizeSoFar = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        zip_source_t* source = zip_source_file(handle.archive, files[i].c_str(), 0, -1);
        if (!source) {
            if (failedFile)
                *failedFile = files[i];
            return Status::CannotRead;
        }
        const std::string name = files[i].filename().string();
        const zip_int64_t index = zip_file_add(handle.archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            return Status::CannotWrite;
        }
        // The fastest deflate level: mail folders shrink nearly as well with it, in a fraction of the time.
        zip_set_file_compression(handle.archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
        if (!password.empty() && zip_file_set_encryption(handle.archive, static_cast<zip_uint64_t>(index),
                                                         ZIP_EM_AES_256, password.c_str()) != 0)
            return Status::CannotWrite;
        sizeSoFar += sizes[i];
        state.fileEnds.emplace_back(name, totalSize ? static_cast<double>(sizeSoFar) / totalSize : 1.0);
    }
    if (progress) {
        zip_register_progress_callback_with_state(handle.archive, 0.001, onAddProgress, nullptr, &state);
        zip_register_cancel_callback_with_state(handle.archive, onAddCancel, nullptr, &state);
    }
    // libzip writes a temporary file beside the archive and renames it over the archive only here, at the
    // end; a failure or a cancel removes the temporary file and leaves the archive as it was.
    if (zip_close(handle.archive) == 0) {
        handle.archive = nullptr;
        return Status::Ok;
    }
    const int error = zip_error_code_zip(zip_get_error(handle.archive));
    if (error == ZIP_ER_CANCELLED || state.isCancelled)
        return Status::Cancelled;
    if (error == ZIP_ER_READ || error == ZIP_ER_OPEN)
        return Status::CannotRead;
    return Status::CannotWrite;
}

StoreArchive::Status StoreArchive::extract(const std::string& entryName,
                                           const std::filesystem::path& directory,
                                           const ExtractOptions& options) const
{
    const std::string targetName = options.targetName.empty() ? entryName : options.targetName;
    if (!isSafeEntryName(entryName) || !isSafeEntryName(targetName))
        return Status::UnsafeName;
    Status status = Status::Ok;
    ArchiveHandle handle;
    handle.archive = openArchive(m_file, ZIP_RDONLY, &status);
    if (!handle.archive)
        return status;
    const zip_int64_t count = zip_get_num_entries(handle.archive, 0);
    zip_int64_t index = 0;
    Entry entry;
    for (; index < count; ++index) {
        entry = entryAt(handle.archive, static_cast<zip_uint64_t>(index));
        if (entry.name == entryName)
            break;
    }
    if (index == count)
        return Status::NoSuchEntry;

    EntryFile source;
    source.file = zip_fopen_index_encrypted(handle.archive, static_cast<zip_uint64_t>(index), 0,
                                            options.password.empty() ? nullptr : options.password.c_str());
    if (!source.file) {
        const int error = zip_error_code_zip(zip_get_error(handle.archive));
        return error == ZIP_ER_NOPASSWD || error == ZIP_ER_WRONGPASSWD ? Status::WrongPassword
                                                                       : Status::Corrupted;
    }

    const std::filesystem::path target = directory / targetName;
    std::string temporary = (directory / ("." + targetName + ".XXXXXX")).string();
    base::FileDescriptor out(::mkstemp(temporary.data()));
    if (out.get() < 0)
        return Status::CannotWrite;
    const auto fail = [&temporary](Status result) {
        ::unlink(temporary.c_str());
        return result;
    };

    std::array<char, 65536> buffer;
    std::uint64_t done = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(source.file, buffer.data(), buffer.size());
        if (got == 0)
            break;
        if (got < 0) {
            const int error = zip_error_code_zip(zip_file_get_error(source.file));
            // Libzip checks the CRC (or an encrypted entry's authentication code) once the last byte is read,
            // so a file written in spite of a failed check holds every byte the archive has.
            if (error == ZIP_ER_CRC && options.keepCorrupted)
                break;
            return fail(error == ZIP_ER_WRONGPASSWD ? Status::WrongPassword : Status::Corrupted);
        }
        if (!writeAll(out.get(), buffer.data(), static_cast<std::size_t>(got)))
            return fail(Status::CannotWrite);
        done += static_cast<std::uint64_t>(got);
        if (options.progress &&
            !options.progress(entryName, entry.size ? static_cast<double>(done) / entry.size : 1.0))
            return fail(Status::Cancelled);
    }

    const struct timespec times[2] = {{entry.modified, 0}, {entry.modified, 0}};
    if (::fchmod(out.get(), newFileMode(target)) != 0 || ::futimens(out.get(), times) != 0 ||
        ::fsync(out.get()) != 0 || out.closeNow() != 0)
        return fail(Status::CannotWrite);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(Status::CannotWrite);
    base::FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return Status::Ok;
}

} // namespace vantor::records
