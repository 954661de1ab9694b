#pragma once

#include "records/DbxRecords.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vantor::records {

class WindowedFile;

// Reads the mail client's .dbx store files, never writes them. Every offset a file gives is checked against
// its size, every node and text block is visited at most once, and a damaged or hostile file ends the walk
// with what was read so far and a message in the result; nothing here throws for bad content.
class DbxReader
{
public:
    // Opens the file and reads its header; the reads below say when that failed.
    explicit DbxReader(const std::filesystem::path& file);
    ~DbxReader();
    DbxReader(const DbxReader&) = delete;
    DbxReader& operator=(const DbxReader&) = delete;

    // The folder records of a folder list or the message records of a message store, as the type bytes at
    // the start of the file say. A file of another type, or one that cannot be opened, gives an error and
    // empty lists.
    DbxIndex readIndex();
    static DbxIndex readDbxIndex(const std::filesystem::path& file) { return DbxReader(file).readIndex(); }

    struct MessageText
    {
        // The message's bytes exactly as stored.
        std::string bytes;
        // Empty when the chain of blocks ended as a sound file ends it.
        std::string error;
    };
    // The text of the message whose first block lies at offset.
    MessageText readMessageText(std::uint32_t offset);
    static MessageText readDbxMessageText(const std::filesystem::path& file, std::uint32_t offset)
    {
        return DbxReader(file).readMessageText(offset);
    }

private:
    std::filesystem::path m_path;
    std::unique_ptr<WindowedFile> m_file;
    std::optional<DbxFileKind> m_kind;
    std::uint32_t m_itemCount = 0;
    std::uint32_t m_rootOffset = 0;
    std::string m_openError;
};

} // namespace vantor::records
