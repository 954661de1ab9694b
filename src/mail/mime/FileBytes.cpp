#include "mail/mime/FileBytes.h"

#include "base/AtomicFile.h"
#include "base/FileReader.h"

#include <system_error>

namespace vantor::mail::mime {

std::string readFileBytes(const std::filesystem::path& path)
{
    std::string bytes;
    if (const std::error_code error = base::readFile(path, bytes))
        throw std::filesystem::filesystem_error("cannot read the file", path, error);
    return bytes;
}

void writeFileBytes(const std::filesystem::path& path, std::string_view bytes)
{
    if (const std::error_code error = base::AtomicFile::write(path, bytes))
        throw std::filesystem::filesystem_error("cannot write the file", path, error);
}

} // namespace vantor::mail::mime
