// Reads arbitrary bytes as a black list file, then writes the lines back and reads them again. The lines
// must hold every byte of the file but its line breaks, and a list written must read back unchanged.
#include "filter/BlackListStore.h"
#include "fuzz_support/Require.h"
#include "fuzz_support/ScratchDirectory.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vantor::filter::BlackListStore;
using vantor::fuzz::require;

const BlackListStore& store()
{
    static const vantor::fuzz::ScratchDirectory home("vantor-blacklist-fuzz");
    static const BlackListStore store = [] {
        std::filesystem::create_directories(home.path() / "BList");
        return BlackListStore((home.path() / "").string());
    }();
    return store;
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// The line breaks of the bytes as the reader must count them: CR LF is one, as are a lone CR and a lone LF.
std::size_t lineBreakBytes(std::string_view bytes, std::size_t& breaks)
{
    std::size_t breakBytes = 0;
    breaks = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!isLineBreak(bytes[i]))
            continue;
        ++breaks;
        ++breakBytes;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++breakBytes;
            ++i;
        }
    }
    return breakBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const BlackListStore& lists = store();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantor::fuzz::writeFile(lists.path(BlackListStore::DefaultName), data, size);

    const auto lines = lists.read(BlackListStore::DefaultName);
    require(lines.has_value());
    std::size_t breaks = 0;
    std::size_t textBytes = size - lineBreakBytes(bytes, breaks);
    const bool lastLineOpen = !bytes.empty() && !isLineBreak(bytes.back());
    require(lines->size() == breaks + (lastLineOpen ? 1 : 0));
    for (const std::string& line : *lines) {
        require(line.find_first_of("\r\n") == std::string::npos);
        textBytes -= line.size();
    }
    require(textBytes == 0);

    lists.write(BlackListStore::DefaultName, *lines);
    require(lists.read(BlackListStore::DefaultName) == lines);
    require(lists.exists(BlackListStore::DefaultName));
    return 0;
}
