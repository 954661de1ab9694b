#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantor::test {

// A fresh home directory under the system's temporary folder, removed with everything in it at the end
// (read-only folders a test left behind included).
class TempHome
{
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return m_path; }
    std::filesystem::path dir() const { return m_path; }
    std::string file(std::string_view relative) const;
    // Writes bytes to home/relative, creating the folders on the way; returns the file's path.
    std::string write(std::string_view relative, std::string_view bytes) const;
    // The bytes of home/relative; empty when it cannot be read.
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::string m_path;
};

// Whole files by absolute path, for tests that set up or inspect the program's files byte for byte.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace vantor::test
