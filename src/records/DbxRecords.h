#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::records {

// What the type bytes at the start of a .dbx file say it holds.
enum class DbxFileKind
{
    MessageStore,
    FolderList
};

// One folder of the mail client's folder list (folders.dbx).
struct DbxFolderInfo
{
    std::uint32_t id = 0;
    std::uint32_t parentId = 0;
    std::string name;
    // The folder's own .dbx file; empty for folders the client keeps no file for.
    std::string fileName;
};

// One message of a folder file. Texts are the bytes as stored.
struct DbxMessageInfo
{
    std::uint32_t index = 0;
    std::uint32_t flags = 0;
    std::string subject;
    // The sender as the list shows it (often a display name) and the sender's address.
    std::string sender;
    std::string senderAddress;
    std::string recipient;
    // Windows FILETIMEs (100 ns since 1601-01-01 UTC); 0 when the record has none.
    std::uint64_t dateTime = 0;
    std::uint64_t receivedDateTime = 0;
    std::uint32_t size = 0;
    // Where the message text's first block lies in the file; 0 when the record names none.
    std::uint32_t textOffset = 0;
    std::uint32_t recordOffset = 0;
};

// What one walk over a file's index gave. error is empty when the walk reached its end; otherwise it says why
// it stopped, and the lists hold what was read before.
struct DbxIndex
{
    DbxFileKind kind = DbxFileKind::MessageStore;
    std::vector<DbxFolderInfo> folders;
    std::vector<DbxMessageInfo> messages;
    std::string error;
};

// Seconds since 1970-01-01 UTC of a FILETIME.
std::int64_t unixSecondsOfFileTime(std::uint64_t fileTime);

} // namespace vantor::records
