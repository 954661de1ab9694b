#include "mail/mime/FileBytes.h"

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
    errno = 0;
    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        fail("cannot create the file", path);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        fail("cannot write the file", path);
    if (std::fclose(file.release()) != 0)
        fail("cannot write the file", path);
}

} // namespace vantor::mail::mime
