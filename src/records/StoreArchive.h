#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantor::records {

// A ZIP archive that holds copies of the mail client's store files. Every operation opens the archive, does
// its work and closes it again; nothing is kept open between calls. Adding goes through a temporary file
// beside the archive that replaces it only when everything was written, and extracting goes through a
// temporary file beside the target, so a failure, a wrong password or a cancel never leaves half a file.
class StoreArchive
{
public:
    // Longest password the archives take, in characters.
    static constexpr std::size_t MaxPasswordLength = 80;

    enum class Status
    {
        Ok,
        // The archive file does not exist.
        Missing,
        // The file exists but is no ZIP archive, or cannot be read.
        NotAnArchive,
        // The archive (or its temporary file) could not be written; the old archive is unchanged.
        CannotWrite,
        // A file to add could not be read; nothing was written.
        CannotRead,
        PasswordTooLong,
        // The entry is encrypted and no password, or a wrong one, was given; nothing was written.
        WrongPassword,
        // The entry's data failed its check (CRC or authentication code); nothing was written.
        Corrupted,
        // The entry's name would leave the target directory, or names a folder; nothing was written.
        UnsafeName,
        NoSuchEntry,
        // The progress callback asked to stop; nothing was written.
        Cancelled
    };

    struct Entry
    {
        std::string name;
        // Uncompressed size in bytes.
        std::uint64_t size = 0;
        // Modification time, seconds since 1970-01-01 UTC (the archive keeps it to two seconds).
        std::int64_t modified = 0;
        bool isEncrypted = false;
    };

    struct Contents
    {
        Status status = Status::Ok;
        std::string comment;
        std::vector<Entry> entries;
    };

    // Called while data is written or extracted with the name of the file at work and the share of the whole
    // operation done (0 to 1); returning false cancels the operation.
    using Progress = std::function<bool(const std::string& file, double fraction)>;

    struct ExtractOptions
    {
        // Empty for an entry that is not encrypted.
        std::string password;
        // The name the file gets in the target directory; empty keeps the entry's name.
        std::string targetName;
        // Writes the file even when its data fails the check.
        bool keepCorrupted = false;
        Progress progress;
    };

    explicit StoreArchive(std::filesystem::path file);

    const std::filesystem::path& file() const { return m_file; }

    // The archive's comment and its entries in central directory order.
    Contents read() const;

    // Adds each file under its own name (the last part of its path), replacing an entry of the same name and
    // keeping every other entry, and sets the archive's comment. A missing archive is created. With a
    // password the new entries are encrypted with AES-256. PasswordTooLong, CannotRead (with *failedFile set)
    // and an unsafe name are found before anything is written.
    Status add(const std::vector<std::filesystem::path>& files, const std::string& comment,
               const std::string& password, const Progress& progress = {},
               std::filesystem::path* failedFile = nullptr) const;

    // Extracts the entry of that name into directory, replacing a file of the target name there. The file
    // gets the entry's modification time.
    Status extract(const std::string& entryName, const std::filesystem::path& directory,
                   const ExtractOptions& options) const;

    // True for a name that stays inside the directory it is extracted to as one plain file: no folder part,
    // no "..", no absolute path, no drive letter, no backslash.
    static bool isSafeEntryName(const std::string& name);
    // Characters of a UTF-8 text, as the password limit counts them.
    static std::size_t characterCount(const std::string& text);

private:
    std::filesystem::path m_file;
};

} // namespace vantor::records
