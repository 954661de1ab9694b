#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantor::filter::test {

// A fresh home directory under the system's temporary directory, removed with everything in it.
class TempHome
{
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(std::string_view relative) const;
    // Writes bytes to home/relative, creating the folders on the way.
    void write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::string m_path;
};

} // namespace vantor::filter::test
