#include "TempHome.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace vantor::filter::test {

TempHome::TempHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-filter-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary home directory");
    m_path = buffer.data();
}

TempHome::~TempHome()
{
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(m_path, error);
}

std::string TempHome::file(std::string_view relative) const
{
    return (std::filesystem::path(m_path) / relative).string();
}

void TempHome::write(std::string_view relative, std::string_view bytes) const
{
    const std::filesystem::path target = file(relative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + target.string());
}

std::string TempHome::read(std::string_view relative) const
{
    std::ifstream in(file(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempHome::exists(std::string_view relative) const
{
    return std::filesystem::exists(file(relative));
}

} // namespace vantor::filter::test
