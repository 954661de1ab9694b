#include "support/TempHome.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace vantor::test {

TempHome::TempHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::filesystem::filesystem_error("cannot create a temporary home directory",
                                                std::error_code(errno, std::generic_category()));
    m_path = pattern;
}

TempHome::~TempHome()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempHome::file(std::string_view relative) const
{
    return (std::filesystem::path(m_path) / relative).string();
}

std::string TempHome::write(std::string_view relative, std::string_view bytes) const
{
    const std::string target = file(relative);
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    writeBytes(target, bytes);
    return target;
}

std::string TempHome::read(std::string_view relative) const
{
    return readBytes(file(relative));
}

bool TempHome::exists(std::string_view relative) const
{
    return std::filesystem::exists(file(relative));
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace vantor::test
