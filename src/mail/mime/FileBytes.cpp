#include "mail/mime/FileBytes.h"

#include "base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace vantor::mail::mime {

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void fail(const char* what, const std::filesystem::path& path)
{
    const int code = errno != 0 ? errno : EIO;
    throw std::filesystem::filesystem_error(what, path, std::error_code(code, std::generic_category()));
}

} // namespace

std::string readFileBytes(const std::filesystem::path& path)
{
    errno = 0;
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        fail("cannot open the file", path);
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, got);
        if (got < sizeof buffer)
            break;
    }
    if (std::ferror(file.get()))
        fail("cannot read the file", path);
    return bytes;
}

void writeFileBytes(const std::filesystem::path& path, std::string_view bytes)
{
    if (const std::error_code error = base::AtomicFile::write(path, bytes))
        throw std::filesystem::filesystem_error("cannot write the file", path, error);
}

} // namespace vantor::mail::mime
