#include "filter/StoreNames.h"

namespace vantor::filter {

namespace {

// Any file extension counts, and names of four characters or fewer give an empty name: the store
// drops the last four characters whatever they are.
constexpr std::size_t ExtensionLength = 4;

} // namespace

std::vector<std::string> listStoreNames(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    if (error)
        return names;
    for (const std::filesystem::directory_entry& entry : entries) {
        if (entry.is_directory(error))
            continue;
        const std::string fileName = entry.path().filename().string();
        if (fileName.empty() || fileName.front() == '.')
            continue;
        names.push_back(
            fileName.substr(0, fileName.size() > ExtensionLength ? fileName.size() - ExtensionLength : 0));
    }
    return names;
}

std::string storeFilePath(const std::string& homeDir, std::string_view dir, std::string_view name,
                          std::string_view extension)
{
    std::string path;
    path.reserve(homeDir.size() + dir.size() + name.size() + extension.size() + 2);
    path += homeDir;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path.append(dir).append("/").append(name).append(extension);
    return path;
}

} // namespace vantor::filter
