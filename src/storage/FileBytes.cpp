#include "storage/FileBytes.h"

#include "base/AtomicFile.h"
#include "base/FileReader.h"
#include "storage/IniError.h"

#include <cerrno>

namespace vantor::storage::filebytes {

namespace {

[[noreturn]] void fail(int error)
{
    throw IniError(errorText(error));
}

} // namespace

std::optional<std::string> read(const std::string& path)
{
    std::string bytes;
    if (const std::error_code error = base::readFile(path, bytes)) {
        if (error.value() == ENOENT)
            return std::nullopt;
        fail(error.value());
    }
    return bytes;
}

void replace(const std::string& path, std::string_view bytes, std::optional<unsigned> forcedMode)
{
    if (const std::error_code error = base::AtomicFile::write(path, bytes, forcedMode))
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
